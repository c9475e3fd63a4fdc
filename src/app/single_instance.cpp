#include "app/single_instance.h"

#include "app/instance_request.h"
#include "app/single_instance_internal.h"

#include <QByteArray>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <future>
#include <memory>
#include <optional>
#include <poll.h>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <system_error>
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

// The address of the local socket at path; false when the path does not fit.
bool SocketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray name = QFile::encodeName(path);
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (static_cast<std::size_t>(name.size()) >= sizeof address.sun_path) {
        return false;
    }
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    return true;
}

// Waits until fd can be read (or written), at most until deadline; false on time out or error.
bool WaitFor(int fd, short events, const QDeadlineTimer& deadline) {
    pollfd entry{fd, events, 0};
    while (true) {
        const int ready = ::poll(&entry, 1, static_cast<int>(deadline.remainingTime()));
        if (ready > 0) {
            return (entry.revents & events) != 0;
        }
        if (ready == 0 || errno != EINTR) {
            return false;
        }
    }
}

// A local socket the program owns and closes.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Writes all of data to a connected socket, waiting at most until deadline.
bool WriteAll(int fd, const QByteArray& data, const QDeadlineTimer& deadline) {
    qsizetype written = 0;
    while (written < data.size()) {
        const ssize_t n =
            ::send(fd, data.constData() + written, static_cast<std::size_t>(data.size() - written), MSG_NOSIGNAL);
        if (n > 0) {
            written += n;
        } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
            if (!WaitFor(fd, POLLOUT, deadline)) {
                return false;
            }
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace

// One connection of a second start to the running copy: it reads one request line, at most for
// a few seconds, and is answered once the request's handlers ran.
class SingleInstance::Connection final : public QObject {
public:
    Connection(int fd, SingleInstance& instance) : QObject(&instance), fd_(fd), instance_(instance) {
        notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, [this] { Readable(); });
        // A connection that sends no request is not kept.
        QTimer::singleShot(kRequestWaitMs, this, [this] { deleteLater(); });
    }
    ~Connection() override { ::close(fd_); }
    Q_DISABLE_COPY_MOVE(Connection)

private:
    void Readable() {
        std::array<char, kLongestInstanceRequest + 1> chunk{};
        const ssize_t n = ::recv(fd_, chunk.data(), chunk.size(), 0);
        if (n <= 0) {
            if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                Finish();
            }
            return;
        }
        received_.append(chunk.data(), n);
        const qsizetype newline = received_.indexOf('\n');
        if (newline < 0) {
            // Not one line of a request yet; longer than any request, it is none of ours.
            if (received_.size() > static_cast<qsizetype>(kLongestInstanceRequest)) {
                Finish();
            }
            return;
        }
        notifier_->setEnabled(false);
        // The handlers may run an event loop of their own: this connection stays until answered.
        const QPointer<Connection> alive(this);
        const bool ours =
            instance_.RequestArrived(std::string_view(received_.constData(), static_cast<std::size_t>(newline)));
        if (alive.isNull()) {
            return;
        }
        if (ours) {
            WriteAll(fd_, kAnswer, QDeadlineTimer(kAnswerWaitMs));
        }
        Finish();
    }
    void Finish() {
        notifier_->setEnabled(false);
        deleteLater();
    }

    int fd_;
    SingleInstance& instance_;
    QSocketNotifier* notifier_ = nullptr;
    QByteArray received_;
};

bool QuestionFits(const QString& question) {
    return InstanceRequestLine({InstanceRequestKind::Show, question.toStdString()}).has_value();
}

SingleInstance::SingleInstance(const QString& configDir, QObject* parent) : QObject(parent), configDir_(configDir) {
    const QString key = InstanceKeyFor(configDir);
    const detail::InstanceFolder folder = detail::FindInstanceFolder(key);
    if (folder.path.isEmpty()) {
        problem_ = folder.problem;
        return;
    }
    serverPath_ = folder.path + QLatin1Char('/') + key;
    lock_ = std::make_unique<QLockFile>(serverPath_ + QStringLiteral(".lock"));
    // A running copy's lock is never old enough to be taken; only a lock whose process is gone is.
    lock_->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() {
    if (server_ >= 0) {
        ::close(server_);
        ::unlink(QFile::encodeName(serverPath_).constData());
    }
}

void SingleInstance::HandOverQuestion(const QString& question, bool inFinder) {
    const InstanceRequest request{inFinder ? InstanceRequestKind::Find : InstanceRequestKind::Show,
                                  question.toStdString()};
    if (const std::optional<std::string> line = InstanceRequestLine(request)) {
        request_ = QByteArray::fromStdString(*line + '\n');
    }
}

void SingleInstance::StartClaim() {
    if (lock_ == nullptr || firstTry_.valid()) {
        return;
    }
    try {
        firstTry_ = std::async(std::launch::async, [lock = lock_.get()] { return lock->tryLock(0); });
    } catch (const std::system_error&) {
        // No thread to spare: the claim tries the lock itself.
    }
}

bool SingleInstance::TryLock() { return firstTry_.valid() ? firstTry_.get() : lock_->tryLock(0); }

SingleInstance::Claim SingleInstance::ClaimDirectory() {
    if (lock_ == nullptr) {
        problem_ = QStringLiteral("this copy runs without the check for another copy using the files in %1: %2")
                       .arg(configDir_, problem_);
        return Claim::Unguarded;
    }
    const QDeadlineTimer deadline(kClaimWaitMs);
    while (true) {
        if (TryLock()) {
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
    sockaddr_un address{};
    if (!SocketAddress(serverPath_, address)) {
        return Answer::Nobody;
    }
    const Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
    if (socket.get() < 0) {
        return Answer::Nobody;
    }
    const QDeadlineTimer connectDeadline(kConnectWaitMs);
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        int error = 0;
        socklen_t size = sizeof error;
        const bool waiting = errno == EINPROGRESS || errno == EAGAIN;
        if (!waiting || !WaitFor(socket.get(), POLLOUT, connectDeadline) ||
            ::getsockopt(socket.get(), SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0) {
            return Answer::Nobody;
        }
    }
    // Only a process of this user can be a copy of the program; nothing is said to another.
    const detail::Peer peer = detail::PeerOf(socket.get());
    if (!peer.ownUser) {
        return Answer::Stranger;
    }
    // The running copy answers once it has come to the front; a stopped or hung one never does.
    const QDeadlineTimer deadline(kAnswerWaitMs);
    QByteArray answer;
    if (WriteAll(socket.get(), request_, deadline)) {
        while (answer.size() < kAnswer.size() && !answer.contains('\n') && WaitFor(socket.get(), POLLIN, deadline)) {
            std::array<char, 8> chunk{};
            const ssize_t n =
                ::recv(socket.get(), chunk.data(), static_cast<std::size_t>(kAnswer.size() - answer.size()), 0);
            if (n <= 0 && !(n < 0 && (errno == EAGAIN || errno == EINTR))) {
                break;
            }
            answer.append(chunk.data(), std::max<ssize_t>(n, 0));
        }
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
    // Without a socket the lock still keeps a second copy from starting; it then ends unanswered.
    sockaddr_un address{};
    if (!SocketAddress(serverPath_, address)) {
        return;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return;
    }
    // The socket of a copy that crashed is still there (the folder is the user's alone).
    ::unlink(address.sun_path);
    constexpr int kBacklog = 8;
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(fd, kBacklog) != 0) {
        ::close(fd);
        return;
    }
    server_ = fd;
    serverNotifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(serverNotifier_, &QSocketNotifier::activated, this, &SingleInstance::ConnectionArrived);
}

void SingleInstance::ConnectionArrived() {
    while (true) {
        const int fd = ::accept4(server_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            return;
        }
        if (!detail::PeerOf(fd).ownUser) {
            ::close(fd);
            continue;
        }
        new Connection(fd, *this);
    }
}

bool SingleInstance::RequestArrived(std::string_view line) {
    const std::optional<InstanceRequest> request = ReadInstanceRequest(line);
    if (!request) {
        return false;
    }
    emit raiseRequested();
    if (request->kind != InstanceRequestKind::Raise) {
        emit questionRequested(QString::fromStdString(request->question), request->kind == InstanceRequestKind::Find);
    }
    return true;
}

}  // namespace halden
