#include "search/search_service.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QGuiApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <string>
#include <vector>

namespace halden {
namespace {

const QString kIconName = QStringLiteral("org.halden.UnitConverter");
const QString kCopyAction = QStringLiteral("copy");
const QString kOpenAction = QStringLiteral("open");
// The most result metas one call is answered: the shell asks for the few it shows.
constexpr qsizetype kMostMetas = 16;
// How KRunner ranks a match: an exact one, as a calculator's answer is.
constexpr int kExactMatch = 100;

QString ToQ(const std::string& text) { return QString::fromStdString(text); }

// The terms as the question they make; a term beyond what a question holds is not read whole.
std::string QuestionOf(const QStringList& terms) {
    std::vector<std::string> words;
    std::size_t length = 0;
    for (const QString& term : terms) {
        if (length > 1000) {
            break;
        }
        words.push_back(term.left(1000).toStdString());
        length += words.back().size() + 1;
    }
    return JoinedTerms(words);
}

}  // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const RunnerMatch& match) {
    argument.beginStructure();
    argument << match.id << match.text << match.iconName << match.type << match.relevance << match.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, RunnerMatch& match) {
    argument.beginStructure();
    argument >> match.id >> match.text >> match.iconName >> match.type >> match.relevance >> match.properties;
    argument.endStructure();
    return argument;
}

QDBusArgument& operator<<(QDBusArgument& argument, const RunnerAction& action) {
    argument.beginStructure();
    argument << action.id << action.text << action.iconName;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, RunnerAction& action) {
    argument.beginStructure();
    argument >> action.id >> action.text >> action.iconName;
    argument.endStructure();
    return argument;
}

SearchService::SearchService(std::unique_ptr<UnitCatalogue> catalogue, QuestionOptions options, bool clipboard)
    : catalogue_(std::move(catalogue)),
      index_(std::make_unique<UnitNameIndex>(*catalogue_)),
      tables_{*catalogue_, *index_, options},
      clipboard_(clipboard) {
    idle_.setSingleShot(true);
    idle_.setInterval(kIdleMs);
    connect(&idle_, &QTimer::timeout, this, [] { QCoreApplication::quit(); });
    idle_.start();
}

SearchService::~SearchService() = default;

bool SearchService::Register() {
    qDBusRegisterMetaType<RunnerMatch>();
    qDBusRegisterMetaType<RunnerAction>();
    qDBusRegisterMetaType<QList<RunnerMatch>>();
    qDBusRegisterMetaType<QList<RunnerAction>>();
    qDBusRegisterMetaType<QList<QVariantMap>>();
    QDBusConnection bus = QDBusConnection::sessionBus();
    // The objects first: a caller the bus started for this name finds them as soon as it appears.
    auto* gnome = new QObject(this);
    new GnomeSearchProvider(gnome, *this);
    auto* runner = new QObject(this);
    new KRunnerProvider(runner, *this);
    bus.registerObject(QString::fromLatin1(kGnomeSearchPath), gnome, QDBusConnection::ExportAdaptors);
    bus.registerObject(QString::fromLatin1(kRunnerPath), runner, QDBusConnection::ExportAdaptors);
    return bus.registerService(QString::fromLatin1(kSearchBusName));
}

void SearchService::Touch() { idle_.start(); }

void SearchService::Copy(const QString& text) {
    if (clipboard_) {
        QGuiApplication::clipboard()->setText(text);
    }
}

void SearchService::OpenWindow(const QString& question, bool inFinder, const QString& activationToken,
                               uint timestamp) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!activationToken.isEmpty()) {
        environment.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), activationToken);
    }
    if (timestamp != 0) {
        environment.insert(QStringLiteral("DESKTOP_STARTUP_ID"),
                           QStringLiteral("halducnv-search_TIME%1").arg(timestamp));
    }
    QProcess window;
    window.setProgram(QCoreApplication::applicationFilePath());
    window.setArguments({inFinder ? QStringLiteral("--find-question") : QStringLiteral("--show-question"), question});
    window.setProcessEnvironment(environment);
    window.setStandardOutputFile(QProcess::nullDevice());
    window.setStandardErrorFile(QProcess::nullDevice());
    window.startDetached();
}

GnomeSearchProvider::GnomeSearchProvider(QObject* object, SearchService& service)
    : QDBusAbstractAdaptor(object), service_(service) {}

QStringList GnomeSearchProvider::GetInitialResultSet(const QStringList& terms) {
    service_.Touch();
    QStringList ids;
    for (const std::string& id : SearchResultIds(QuestionOf(terms), service_.tables())) {
        ids.append(ToQ(id));
    }
    return ids;
}

QStringList GnomeSearchProvider::GetSubsearchResultSet(const QStringList& previousResults, const QStringList& terms) {
    // Each question is answered afresh: narrowing the last results would keep a withdrawn answer.
    Q_UNUSED(previousResults);
    return GetInitialResultSet(terms);
}

QList<QVariantMap> GnomeSearchProvider::GetResultMetas(const QStringList& ids) {
    service_.Touch();
    QList<QVariantMap> metas;
    for (const QString& id : ids.mid(0, kMostMetas)) {
        const std::optional<SearchResultMeta> meta = SearchResultMetaFor(id.toStdString(), service_.tables());
        if (!meta) {
            continue;
        }
        QVariantMap entry{{QStringLiteral("id"), id},
                          {QStringLiteral("name"), ToQ(meta->name)},
                          {QStringLiteral("description"), ToQ(meta->description)},
                          {QStringLiteral("gicon"), kIconName}};
        if (!meta->clipboardText.empty()) {
            entry.insert(QStringLiteral("clipboardText"), ToQ(meta->clipboardText));
        }
        metas.append(entry);
    }
    return metas;
}

void GnomeSearchProvider::ActivateResult(const QString& id, const QStringList& terms, uint timestamp) {
    service_.Touch();
    Q_UNUSED(terms);
    // The answer needs nothing more: the shell copies its clipboard text itself.
    const std::optional<std::pair<std::string, bool>> question = QuestionOfResult(id.toStdString());
    if (question && question->second) {
        service_.OpenWindow(ToQ(question->first), false, QString(), timestamp);
    }
}

void GnomeSearchProvider::LaunchSearch(const QStringList& terms, uint timestamp) {
    service_.Touch();
    service_.OpenWindow(ToQ(QuestionOf(terms)), true, QString(), timestamp);
}

KRunnerProvider::KRunnerProvider(QObject* object, SearchService& service)
    : QDBusAbstractAdaptor(object), service_(service) {}

QList<RunnerMatch> KRunnerProvider::Match(const QString& query) {
    service_.Touch();
    const std::string question = QuestionOf({query});
    const std::optional<QuestionAnswer> answer = SearchAnswer(question, service_.tables());
    if (!answer) {
        return {};
    }
    RunnerMatch match;
    match.id = ToQ(std::string(kAnswerResult) + question);
    match.text = ToQ(answer->answer);
    match.iconName = kIconName;
    match.type = kExactMatch;
    match.relevance = 1.0;
    match.properties.insert(QStringLiteral("subtext"), ToQ(answer->understood));
    return {match};
}

QList<RunnerAction> KRunnerProvider::Actions() {
    service_.Touch();
    QList<RunnerAction> actions;
    if (service_.HasClipboard()) {
        actions.append({kCopyAction, QStringLiteral("Copy"), QStringLiteral("edit-copy")});
    }
    actions.append({kOpenAction, QStringLiteral("Open in Halden Unit Converter"), kIconName});
    return actions;
}

void KRunnerProvider::Run(const QString& matchId, const QString& actionId) {
    service_.Touch();
    const std::optional<std::pair<std::string, bool>> question = QuestionOfResult(matchId.toStdString());
    if (!question) {
        return;
    }
    // Chosen without an action: copied where the service can, else opened.
    const bool open = actionId == kOpenAction || (actionId != kCopyAction && !service_.HasClipboard());
    if (open) {
        service_.OpenWindow(ToQ(question->first), false, activationToken_, 0);
        activationToken_.clear();
        return;
    }
    if (const std::optional<QuestionAnswer> answer = SearchAnswer(question->first, service_.tables())) {
        service_.Copy(ToQ(answer->result));
    }
}

void KRunnerProvider::Teardown() {
    service_.Touch();
    activationToken_.clear();
}

void KRunnerProvider::SetActivationToken(const QString& token) {
    service_.Touch();
    activationToken_ = token;
}

}  // namespace halden
