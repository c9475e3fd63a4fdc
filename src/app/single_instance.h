// One window program per configuration directory. Two copies working on the same files would
// lose data: each reads the user units once at its start, and the last to close writes its
// settings over the other's. A second start therefore asks the running copy to come to the front
// (and to show the question it was started with, if any) and ends; a copy with another
// configuration directory (another XDG_CONFIG_HOME, a portable folder) runs beside it.
//
// The first copy holds a lock file and listens on a local socket, both named after the
// configuration directory, in a folder only the user can write: the user's runtime directory
// (XDG_RUNTIME_DIR) when it is the user's own and closed to others, else the folder
// halducnv-<uid> in the temporary directory, made for the purpose and checked before each use.
// No other user can so put a socket or a file where a start looks. A second start believes only
// an answer from a process of its own user that says it came to the front; a copy that holds the
// lock and gives no such answer (stopped, hung) ends the start with status 1 and a line that says
// so. Where no such folder can be had, the program runs without the rule and says so. A lock left
// by a copy that crashed is taken over.
#pragma once

#include <QByteArray>
#include <QLockFile>
#include <QObject>
#include <QString>

#include <future>
#include <memory>
#include <string_view>

class QSocketNotifier;

namespace halden {

class SingleInstance final : public QObject {
    Q_OBJECT

public:
    enum class Claim {
        First,        ///< This copy runs and holds the directory.
        Unguarded,    ///< This copy runs, but without the rule: problem() says why.
        OtherRaised,  ///< Another copy runs and answered that it came to the front.
        OtherSilent,  ///< Another copy holds the directory but did not answer so: problem() says so.
    };

    /// configDir: the directory of the program's files (MyPath()). Claims nothing yet.
    explicit SingleInstance(const QString& configDir, QObject* parent = nullptr);
    ~SingleInstance() override;
    Q_DISABLE_COPY_MOVE(SingleInstance)

    /// Makes the first attempt at the lock on a thread of its own: writing the lock file waits on
    /// the disk, which the start can spend connecting to the display. The application's name (the
    /// lock records it) must be set before. ClaimDirectory takes the attempt's result.
    void StartClaim();

    /// Takes the directory for this copy, or asks the copy that holds it to come to the front.
    /// Waits a few seconds at most for a copy that is still starting or does not answer.
    Claim ClaimDirectory();

    /// Has a second start hand a question to the running copy as well, to show in the lists where
    /// it can (or in the unit finder: inFinder). A question that does not fit (QuestionFits) is not
    /// handed over: the running copy only comes to the front.
    void HandOverQuestion(const QString& question, bool inFinder);

    /// One line for the user when the claim is Unguarded or OtherSilent.
    const QString& problem() const { return problem_; }

signals:
    /// A second start asked this copy to come to the front; it is answered once the handlers ran.
    void raiseRequested();
    /// A second start handed this copy a question to show, just after asking it to come to the front.
    void questionRequested(const QString& question, bool inFinder);

private:
    enum class Answer { Nobody, Raised, NotConfirmed, Stranger };

    class Connection;

    Answer AskRunningCopy();
    /// One attempt at the lock: the one StartClaim began, else a new one.
    bool TryLock();
    void Listen();
    void ConnectionArrived();
    /// Acts on a request line a connection brought: true when it was one of ours.
    bool RequestArrived(std::string_view line);

    QString configDir_;
    QString serverPath_;
    QString problem_;
    QByteArray request_ = QByteArrayLiteral("raise\n");
    std::unique_ptr<QLockFile> lock_;
    std::future<bool> firstTry_;
    int server_ = -1;  // the listening local socket, or -1
    QSocketNotifier* serverNotifier_ = nullptr;
};

/// Whether a question can be handed to the running copy: one line, not empty, of at most 1000
/// bytes in UTF-8 (see ReadInstanceRequest).
bool QuestionFits(const QString& question);

/// The name of the lock and socket for a configuration directory: the same for every spelling of
/// one directory (a trailing slash, "..", a symbolic link to it), different for different ones.
QString InstanceKeyFor(const QString& configDir);

}  // namespace halden
