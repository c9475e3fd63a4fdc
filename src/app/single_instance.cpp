#include "app/single_instance.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStringDecoder>
#include <QThread>

#include <optional>
#include <string_view>
#include <unistd.h>

namespace halden {
namespace {

const QByteArray kRaiseRequest = QByteArrayLiteral("raise\n");
const QByteArray kAnswer = QByteArrayLiteral("done\n");
// A question travels as one line of UTF-8 after its word: "show 3 ft in cm\n" to be shown in the
// lists where it can, "find 3 ft in cm\n" in the unit finder.
constexpr std::string_view kShowWord = "show ";
constexpr std::string_view kFindWord = "find ";
static_assert(kShowWord.size() == kFindWord.size());

// How long a second start waits for a copy that holds the lock but does not listen yet (it is
// starting), and for each step of the conversation with it.
constexpr int kClaimWaitMs = 5000;
constexpr int kRetryMs = 50;
constexpr int kConnectWaitMs = 1000;
constexpr int kAnswerWaitMs = 3000;
// A request longer than this is not one of ours.
constexpr qint64 kLongestRequest = static_cast<qint64>(kShowWord.size()) + SingleInstance::kLongestQuestion + 1;
// A local socket's path must fit in 108 bytes; a longer runtime directory gives way to /tmp.
constexpr qsizetype kLongestRuntimeDir = 60;
constexpr qsizetype kKeyHexDigits = 24;

// The directory with every symbolic link and ".." resolved, as far as it exists yet (the
// configuration directory is only made at the first save).
QString ResolvedDirectory(const QString& dir) {
    QString path = QDir::cleanPath(QDir::current().absoluteFilePath(dir));
    QString rest;
    while (!path.isEmpty()) {
        const QString canonical = QFileInfo(path).canonicalFilePath();
        if (!canonical.isEmpty()) {
            return QDir::cleanPath(canonical + rest);
        }
        const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
        if (slash <= 0) {
            break;
        }
        rest.prepend(path.mid(slash));
        path.truncate(slash);
    }
    return QDir::cleanPath(path + rest);
}

// The user's own runtime directory where there is one, else the temporary directory (the key
// names the user there).
QString RuntimeDirectory() {
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir::isAbsolutePath(runtime) && runtime.size() <= kLongestRuntimeDir &&
        QFileInfo(runtime).isDir()) {
        return runtime;
    }
    const QString temp = QDir::tempPath();
    return temp.size() <= kLongestRuntimeDir ? temp : QStringLiteral("/tmp");
}

struct HandedQuestion {
    QString text;
    bool inFinder = false;
};

// The question a request hands over; nothing for a request that is not a question of ours.
std::optional<HandedQuestion> QuestionInRequest(const QByteArray& request) {
    const bool inFinder = request.startsWith(kFindWord);
    if ((!inFinder && !request.startsWith(kShowWord)) || !request.endsWith('\n')) {
        return std::nullopt;
    }
    const auto wordSize = static_cast<qsizetype>(kShowWord.size());
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(request.mid(wordSize, request.size() - wordSize - 1));
    if (utf8.hasError() || !QuestionFits(text)) {
        return std::nullopt;
    }
    return HandedQuestion{text, inFinder};
}

}  // namespace

bool QuestionFits(const QString& question) {
    return !question.isEmpty() && !question.contains(QLatin1Char('\n')) && !question.contains(QLatin1Char('\r')) &&
           question.toUtf8().size() <= SingleInstance::kLongestQuestion;
}

QString InstanceKeyFor(const QString& configDir) {
    const QByteArray digest =
        QCryptographicHash::hash(ResolvedDirectory(configDir).toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("halducnv-%1-%2").arg(::getuid()).arg(QString::fromLatin1(digest.left(kKeyHexDigits)));
}

SingleInstance::SingleInstance(const QString& configDir, QObject* parent)
    : QObject(parent), serverPath_(RuntimeDirectory() + QLatin1Char('/') + InstanceKeyFor(configDir)) {
    lock_ = std::make_unique<QLockFile>(serverPath_ + QStringLiteral(".lock"));
    // A running copy's lock is never old enough to be taken; only a lock whose process is gone is.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::HandOverQuestion(const QString& question, bool inFinder) {
    if (QuestionFits(question)) {
        const std::string_view word = inFinder ? kFindWord : kShowWord;
        request_ = QByteArray(word.data(), static_cast<qsizetype>(word.size())) + question.toUtf8() + '\n';
    }
}

SingleInstance::Claim SingleInstance::ClaimDirectory() {
    const QDeadlineTimer deadline(kClaimWaitMs);
    while (true) {
        if (lock_->tryLock(0)) {
            // The lock of a copy started under another program name reads as left behind; that
            // copy still answers on its socket.
            if (AskRunningCopy()) {
                lock_->unlock();
                return Claim::OtherRaised;
            }
            Listen();
            return Claim::First;
        }
        if (lock_->error() != QLockFile::LockFailedError) {
            // No lock can be made here (no such directory, no permission): the program runs
            // unguarded, as it would without this check.
            return Claim::First;
        }
        if (AskRunningCopy()) {
            return Claim::OtherRaised;
        }
        if (deadline.hasExpired()) {
            return Claim::OtherSilent;
        }
        QThread::msleep(kRetryMs);
    }
}

bool SingleInstance::AskRunningCopy() const {
    QLocalSocket socket;
    socket.connectToServer(serverPath_);
    if (!socket.waitForConnected(kConnectWaitMs)) {
        return false;
    }
    socket.write(request_.isEmpty() ? kRaiseRequest : request_);
    socket.waitForBytesWritten(kAnswerWaitMs);
    // The running copy answers once it has come to the front; a connected copy is running either way.
    socket.waitForReadyRead(kAnswerWaitMs);
    return true;
}

void SingleInstance::Listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::ConnectionArrived);
    // The socket of a copy that crashed is still there.
    QLocalServer::removeServer(serverPath_);
    // Without a socket the lock still keeps a second copy from starting; it then ends unanswered.
    server_->listen(serverPath_);
}

void SingleInstance::ConnectionArrived() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine() && socket->bytesAvailable() <= kLongestRequest) {
                return;
            }
            const QByteArray request = socket->readLine(kLongestRequest + 1);
            const std::optional<HandedQuestion> question = QuestionInRequest(request);
            if (request == kRaiseRequest || question) {
                emit raiseRequested();
            }
            if (question) {
                emit questionRequested(question->text, question->inFinder);
            }
            socket->write(kAnswer);
            socket->flush();
            socket->disconnectFromServer();
        });
    }
}

}  // namespace halden

// The meta-object code of this file's classes, compiled in the same batch rather than on its own.
// The code generator writes it before the build compiles this file; tools that read the sources
// without building (the linter) go without it.
#if __has_include("moc_single_instance.cpp")
#include "moc_single_instance.cpp"
#endif
