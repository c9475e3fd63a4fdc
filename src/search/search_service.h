// The desktop search provider: a small D-Bus service on the session bus that answers the questions
// typed into GNOME Shell's search (org.gnome.Shell.SearchProvider2) and KRunner (org.kde.krunner1)
// through the question reading, and leaves by itself when no call came for a while.
//
// It loads no widgets and changes no file or setting: it reads the user's units and options once,
// answers every call at once (each call stands alone: result ids hold their question), and opens
// the converter window by starting the program.
#pragma once

#include "search/search_answers.h"

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariantMap>

#include <memory>

namespace halden {

inline constexpr char kSearchBusName[] = "org.halden.UnitConverter.SearchProvider";
inline constexpr char kGnomeSearchPath[] = "/org/halden/UnitConverter/SearchProvider";
inline constexpr char kRunnerPath[] = "/runner";

/// One KRunner match: id, text, icon name, match type, relevance, properties ("subtext").
struct RunnerMatch {
    QString id;
    QString text;
    QString iconName;
    int type = 0;
    double relevance = 0.0;
    QVariantMap properties;
};
/// One KRunner action: id, text, icon name.
struct RunnerAction {
    QString id;
    QString text;
    QString iconName;
};

QDBusArgument& operator<<(QDBusArgument& argument, const RunnerMatch& match);
const QDBusArgument& operator>>(const QDBusArgument& argument, RunnerMatch& match);
QDBusArgument& operator<<(QDBusArgument& argument, const RunnerAction& action);
const QDBusArgument& operator>>(const QDBusArgument& argument, RunnerAction& action);

/// The service's state: the tables questions are answered from, the idle timer, the clipboard.
class SearchService final : public QObject {
    Q_OBJECT

public:
    /// How long the service waits for a call before it leaves.
    static constexpr int kIdleMs = 10000;

    SearchService(std::unique_ptr<UnitCatalogue> catalogue, QuestionOptions options, bool clipboard);
    ~SearchService() override;
    Q_DISABLE_COPY_MOVE(SearchService)

    /// Registers both objects and then the bus name; false when another service holds the name.
    bool Register();

    const SearchTables& tables() const { return tables_; }
    /// A call arrived: the idle time starts again.
    void Touch();
    /// Whether this service can put text on the clipboard (it has a display).
    bool HasClipboard() const { return clipboard_; }
    void Copy(const QString& text);
    /// Starts the converter window showing the question (or its finder holding it), with the
    /// activation token or the timestamp that lets it take the focus.
    void OpenWindow(const QString& question, bool inFinder, const QString& activationToken, uint timestamp) const;

private:
    std::unique_ptr<UnitCatalogue> catalogue_;
    std::unique_ptr<UnitNameIndex> index_;
    SearchTables tables_;
    bool clipboard_ = false;
    QTimer idle_;
};

/// org.gnome.Shell.SearchProvider2.
class GnomeSearchProvider final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Shell.SearchProvider2")

public:
    GnomeSearchProvider(QObject* object, SearchService& service);

public slots:
    QStringList GetInitialResultSet(const QStringList& terms);
    QStringList GetSubsearchResultSet(const QStringList& previousResults, const QStringList& terms);
    QList<QVariantMap> GetResultMetas(const QStringList& ids);
    void ActivateResult(const QString& id, const QStringList& terms, uint timestamp);
    void LaunchSearch(const QStringList& terms, uint timestamp);

private:
    SearchService& service_;
};

/// org.kde.krunner1.
class KRunnerProvider final : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.krunner1")

public:
    KRunnerProvider(QObject* object, SearchService& service);

public slots:
    QList<halden::RunnerMatch> Match(const QString& query);
    QList<halden::RunnerAction> Actions();
    void Run(const QString& matchId, const QString& actionId);
    void Teardown();
    void SetActivationToken(const QString& token);

private:
    SearchService& service_;
    QString activationToken_;
};

}  // namespace halden

Q_DECLARE_METATYPE(halden::RunnerMatch)
Q_DECLARE_METATYPE(halden::RunnerAction)
