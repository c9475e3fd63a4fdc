#include "app/single_instance.h"

#include "app/instance_request.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace halden {
namespace {

// The running copy's answer, written once it has come to the front.
const QByteArray kAnswer = QByteArrayLiteral("done\n");

// How long a second start waits for a copy that holds the lock but does not listen yet (it is
// starting), and for each step of the conversation with it; how long the running copy keeps a
// connection that sends no request.
constexpr int kClaimWaitMs = 5000;
constexpr int kRetryMs = 50;
constexpr int kConnectWaitMs = 1000;
constexpr int kAnswerWaitMs = 3000;
constexpr int kRequestWaitMs = 5000;
constexpr qsizetype kKeyHexDigits = 24;
// Permission bits that open a folder to the group or to others.
constexpr mode_t kOpenToOthers = S_IRWXG | S_IRWXO;
constexpr mode_t kPrivateFolderMode = S_IRWXU;

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

// Whether a socket named name fits in folder: a local socket's path holds at most 107 bytes.
bool SocketFits(const QString& folder, const QString& name) {
    constexpr std::size_t kLongestSocketPath = sizeof(sockaddr_un::sun_path) - 1;
    return static_cast<std::size_t>(QFile::encodeName(folder).size() + 1 + QFile::encodeName(name).size()) <=
           kLongestSocketPath;
}

// Why folder is not a folder of this user's alone (the link itself is looked at, never what it
// names); empty when it is one.
QString NotPrivate(const QString& folder) {
    struct stat info {};
    if (::lstat(QFile::encodeName(folder).constData(), &info) != 0) {
        return QStringLiteral("cannot be looked at (%1)").arg(QString::fromLocal8Bit(std::strerror(errno)));
    }
    if (S_ISLNK(info.st_mode)) {
        return QStringLiteral("is a symbolic link");
    }
    if (!S_ISDIR(info.st_mode)) {
        return QStringLiteral("is not a folder");
    }
    if (info.st_uid != ::geteuid()) {
        return QStringLiteral("belongs to another user");
    }
    if ((info.st_mode & kOpenToOthers) != 0) {
        return QStringLiteral("is open to other users");
    }
    return {};
}

struct InstanceFolder {
    QString path;     // the folder, or empty
    QString problem;  // why there is none
};

// The folder that holds the lock and the socket named name: the runtime directory where it is the
// user's own and closed to others, else halducnv-<uid> in the temporary directory, made when it is
// missing and used only when it is a folder of the user's alone.
InstanceFolder FindInstanceFolder(const QString& name) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && SocketFits(runtime, name) && NotPrivate(runtime).isEmpty()) {
        return {runtime, {}};
    }
    const QString own = QStringLiteral("/halducnv-%1").arg(::geteuid());
    QString temp = QDir::tempPath();
    if (!QDir::isAbsolutePath(temp) || !SocketFits(temp + own, name)) {
        temp = QStringLiteral("/tmp");
    }
    // In a folder anyone may write without the sticky bit, another user could swap the folder
    // for his own between the check and its use.
    struct stat parent {};
    if (::stat(QFile::encodeName(temp).constData(), &parent) == 0 && (parent.st_mode & S_IWOTH) != 0 &&
        (parent.st_mode & S_ISVTX) == 0) {
        return {{}, QStringLiteral("the temporary folder %1 lets other users replace what is in it").arg(temp)};
    }
    const QString folder = temp + own;
    if (::mkdir(QFile::encodeName(folder).constData(), kPrivateFolderMode) != 0 && errno != EEXIST) {
        return {{},
                QStringLiteral("the folder %1 cannot be made (%2)")
                    .arg(folder, QString::fromLocal8Bit(std::strerror(errno)))};
    }
    if (const QString why = NotPrivate(folder); !why.isEmpty()) {
        return {{}, QStringLiteral("the folder %1 %2").arg(folder, why)};
    }
    return {folder, {}};
}

struct Peer {
    bool ownUser = false;
    pid_t pid = 0;
};

// Who is at the other end of a connected local socket, as the kernel tells it.
Peer PeerOf(qintptr descriptor) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (descriptor < 0 ||
        ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) {
        return {};
    }
    return {credentials.uid == ::geteuid(), credentials.pid};
}

}  // namespace

bool QuestionFits(const QString& question) {
    return InstanceRequestLine({InstanceRequestKind::Show, question.toStdString()}).has_value();
}

QString InstanceKeyFor(const QString& configDir) {
    const QByteArray digest =
        QCryptographicHash::hash(ResolvedDirectory(configDir).toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("halducnv-%1-%2").arg(::getuid()).arg(QString::fromLatin1(digest.left(kKeyHexDigits)));
}

SingleInstance::SingleInstance(const QString& configDir, QObject* parent) : QObject(parent), configDir_(configDir) {
    const QString key = InstanceKeyFor(configDir);
    const InstanceFolder folder = FindInstanceFolder(key);
    if (folder.path.isEmpty()) {
        problem_ = folder.problem;
        return;
    }
    serverPath_ = folder.path + QLatin1Char('/') + key;
    lock_ = std::make_unique<QLockFile>(serverPath_ + QStringLiteral(".lock"));
    // A running copy's lock is never old enough to be taken; only a lock whose process is gone is.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

void SingleInstance::HandOverQuestion(const QString& question, bool inFinder) {
    const InstanceRequest request{inFinder ? InstanceRequestKind::Find : InstanceRequestKind::Show,
                                  question.toStdString()};
    if (const std::optional<std::string> line = InstanceRequestLine(request)) {
        request_ = QByteArray::fromStdString(*line + '\n');
    }
}

SingleInstance::Claim SingleInstance::ClaimDirectory() {
    if (lock_ == nullptr) {
        problem_ = QStringLiteral("this copy runs without the check for another copy using the files in %1: %2")
                       .arg(configDir_, problem_);
        return Claim::Unguarded;
    }
    const QDeadlineTimer deadline(kClaimWaitMs);
    while (true) {
        if (lock_->tryLock(0)) {
            // The lock of a copy started under another program name reads as left behind; that
            // copy still answers on its socket.
            const Answer answer = AskRunningCopy();
            if (answer == Answer::Raised || answer == Answer::NotConfirmed) {
                lock_->unlock();
                return answer == Answer::Raised ? Claim::OtherRaised : Claim::OtherSilent;
            }
            Listen();
            return Claim::First;
        }
        if (lock_->error() != QLockFile::LockFailedError) {
            problem_ = QStringLiteral(
                           "this copy runs without the check for another copy using the files in %1: "
                           "no lock can be made in %2")
                           .arg(configDir_, QFileInfo(serverPath_).path());
            return Claim::Unguarded;
        }
        const Answer answer = AskRunningCopy();
        if (answer == Answer::Raised) {
            return Claim::OtherRaised;
        }
        if (answer == Answer::NotConfirmed || deadline.hasExpired()) {
            if (problem_.isEmpty()) {
                problem_ = QStringLiteral("another copy of the program uses the files in %1 and does not answer")
                               .arg(configDir_);
            }
            return Claim::OtherSilent;
        }
        QThread::msleep(kRetryMs);
    }
}

SingleInstance::Answer SingleInstance::AskRunningCopy() {
    QLocalSocket socket;
    socket.connectToServer(serverPath_);
    if (!socket.waitForConnected(kConnectWaitMs)) {
        return Answer::Nobody;
    }
    // Only a process of this user can be a copy of the program; nothing is said to another.
    const Peer peer = PeerOf(socket.socketDescriptor());
    if (!peer.ownUser) {
        return Answer::Stranger;
    }
    socket.write(request_);
    socket.waitForBytesWritten(kAnswerWaitMs);
    // The running copy answers once it has come to the front; a stopped or hung one never does.
    QByteArray answer;
    const QDeadlineTimer deadline(kAnswerWaitMs);
    while (answer.size() < kAnswer.size() && !answer.contains('\n')) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            break;
        }
        answer += socket.read(kAnswer.size() - answer.size());
    }
    if (answer == kAnswer) {
        return Answer::Raised;
    }
    problem_ = QStringLiteral("another copy of the program (process %1) uses the files in %2 and does not answer")
                   .arg(peer.pid)
                   .arg(configDir_);
    return Answer::NotConfirmed;
}

void SingleInstance::Listen() {
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    connect(server_, &QLocalServer::newConnection, this, &SingleInstance::ConnectionArrived);
    // The socket of a copy that crashed is still there (the folder is the user's alone).
    QLocalServer::removeServer(serverPath_);
    // Without a socket the lock still keeps a second copy from starting; it then ends unanswered.
    server_->listen(serverPath_);
}

void SingleInstance::ConnectionArrived() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        if (!PeerOf(socket->socketDescriptor()).ownUser) {
            socket->abort();
            continue;
        }
        // A connection that sends no request is not kept.
        QTimer::singleShot(kRequestWaitMs, socket, &QLocalSocket::abort);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { RequestArrived(socket); });
    }
}

void SingleInstance::RequestArrived(QLocalSocket* socket) {
    const auto newline = socket->peek(static_cast<qint64>(kLongestInstanceRequest) + 1).indexOf('\n');
    if (newline < 0) {
        // Not one line of a request yet; longer than any request, it is none of ours.
        if (socket->bytesAvailable() > static_cast<qint64>(kLongestInstanceRequest)) {
            socket->abort();
        }
        return;
    }
    const QByteArray line = socket->read(newline + 1);
    const std::optional<InstanceRequest> request =
        ReadInstanceRequest(std::string_view(line.constData(), static_cast<std::size_t>(newline)));
    if (!request) {
        socket->abort();
        return;
    }
    // The handlers may run an event loop of their own, in which the connection can end.
    const QPointer<QLocalSocket> guard(socket);
    emit raiseRequested();
    if (request->kind != InstanceRequestKind::Raise) {
        emit questionRequested(QString::fromStdString(request->question), request->kind == InstanceRequestKind::Find);
    }
    if (!guard.isNull()) {
        guard->write(kAnswer);
        guard->flush();
        guard->disconnectFromServer();
    }
}

}  // namespace halden

// The meta-object code of this file's classes, compiled in the same batch rather than on its own.
// The code generator writes it before the build compiles this file; tools that read the sources
// without building (the linter) go without it.
#if __has_include("moc_single_instance.cpp")
#include "moc_single_instance.cpp"
#endif
