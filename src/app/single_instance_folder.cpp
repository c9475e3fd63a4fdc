// The private folder for the lock and the socket, their name for a directory, and who is at a socket's other end.
#include "app/single_instance.h"
#include "app/single_instance_internal.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace halden {
namespace {

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

}  // namespace

namespace detail {

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

}  // namespace detail

QString InstanceKeyFor(const QString& configDir) {
    const QByteArray digest =
        QCryptographicHash::hash(ResolvedDirectory(configDir).toUtf8(), QCryptographicHash::Sha1).toHex();
    return QStringLiteral("halducnv-%1-%2").arg(::getuid()).arg(QString::fromLatin1(digest.left(kKeyHexDigits)));
}

}  // namespace halden
