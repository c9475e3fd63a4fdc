// One window program per configuration directory. Two copies working on the same files would
// lose data: each reads the user units once at its start, and the last to close writes its
// settings over the other's. A second start therefore asks the running copy to come to the front
// (and to show the question it was started with, if any) and ends; a copy with another
// configuration directory (another XDG_CONFIG_HOME, a portable folder) runs beside it.
//
// The first copy holds a lock file and listens on a local socket, both named after the
// configuration directory, in the user's runtime directory. A lock left by a copy that crashed is
// taken over.
#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;

namespace halden {

class SingleInstance final : public QObject {
    Q_OBJECT

public:
    enum class Claim {
        First,        ///< This copy runs: it holds the directory (or no lock can be made there).
        OtherRaised,  ///< Another copy runs and has been asked to come to the front.
        OtherSilent,  ///< Another copy holds the directory but did not answer.
    };

    /// The longest question handed to the running copy, in bytes of UTF-8.
    static constexpr qsizetype kLongestQuestion = 1000;

    /// configDir: the directory of the program's files (MyPath()). Claims nothing yet.
    explicit SingleInstance(const QString& configDir, QObject* parent = nullptr);
    ~SingleInstance() override;
    Q_DISABLE_COPY_MOVE(SingleInstance)

    /// Takes the directory for this copy, or asks the copy that holds it to come to the front.
    /// Waits a few seconds at most for a copy that is still starting.
    Claim ClaimDirectory();

    /// Has a second start hand a question to the running copy as well, to show in the lists where
    /// it can (or in the unit finder: inFinder). A question that does not fit (QuestionFits) is not
    /// handed over: the running copy only comes to the front.
    void HandOverQuestion(const QString& question, bool inFinder);

    /// The local socket's path; the lock file is this path with ".lock" appended.
    const QString& serverPath() const { return serverPath_; }

signals:
    /// A second start asked this copy to come to the front.
    void raiseRequested();
    /// A second start handed this copy a question to show, just after asking it to come to the front.
    void questionRequested(const QString& question, bool inFinder);

private:
    bool AskRunningCopy() const;
    void Listen();
    void ConnectionArrived();

    QString serverPath_;
    QByteArray request_;
    std::unique_ptr<QLockFile> lock_;
    QLocalServer* server_ = nullptr;
};

/// Whether a question can be handed to the running copy: one line, not empty, of at most
/// SingleInstance::kLongestQuestion bytes in UTF-8.
bool QuestionFits(const QString& question);

/// The name of the lock and socket for a configuration directory: the same for every spelling of
/// one directory (a trailing slash, "..", a symbolic link to it), different for different ones.
QString InstanceKeyFor(const QString& configDir);

}  // namespace halden
