#include "reference/frmHelp.h"

#include "catalogue/unit_catalogue.h"
#include "numbers/message_sink.h"
#include "reference/help_unit_list.h"
#include "shared/process_state.h"

#include "shared/platform.h"
#include "shared/ui_accessible.h"
#include "shared/ui_resources.h"
#include "shared/ui_text.h"
#include "shared/ui_window.h"
#include "shared/ui_window_place.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QTextCursor>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace halden {
namespace {

const QString kHelpRoot = QStringLiteral("qrc:/help/");
const QString kContentsPage = QStringLiteral("contents.html");
const QString kUnitsPage = QStringLiteral("units.html");
const QString kUnitListMark = QStringLiteral("<!-- unit groups -->");
const QString kProgramHelpFile = QStringLiteral("HALDUCNV.HLP");

// Writes the unit groups into their page as it is loaded, so the page always matches the
// catalogue (user groups saved a moment ago included). Tells which link Tab or Shift+Tab selected.
class HelpBrowser final : public QTextBrowser {
public:
    HelpBrowser(const UnitCatalogue& catalogue, QWidget* parent) : QTextBrowser(parent), catalogue_(catalogue) {}

    std::function<void(const QString&)> linkSelected;

    bool focusNextPrevChild(bool next) override {
        const bool stayed = QTextBrowser::focusNextPrevChild(next);
        const QTextCursor cursor = textCursor();
        if (stayed && cursor.hasSelection() && linkSelected) {
            linkSelected(cursor.selectedText());
        }
        return stayed;
    }

    QVariant loadResource(int type, const QUrl& name) override {
        QVariant resource = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::HtmlResource || QFileInfo(name.path()).fileName() != kUnitsPage) {
            return resource;
        }
        QString page =
            resource.userType() == QMetaType::QString ? resource.toString() : QString::fromUtf8(resource.toByteArray());
        page.replace(kUnitListMark, ToQString(UnitGroupsHtml(catalogue_)));
        return page;
    }

private:
    const UnitCatalogue& catalogue_;
};

// The file name after the last separator; the program's directory may be written with either.
QString BareFileName(const QString& path) {
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

QPointer<frmHelp>& HelpWindowSlot() {
    static QPointer<frmHelp> window;
    return window;
}

void ShowProgramHelp(const Session& session, QWidget* parent, const QString& helpFile, HelpCommand command,
                     int context) {
    const QString page = HelpPageFor(helpFile, command, context);
    if (page.isEmpty()) {
        const QString name = BareFileName(helpFile);
        platform().ShowMessage(parent,
                               {std::string(kMessageTitle), "Cannot open the help file '" + ToStdString(name) + "'.",
                                MessageIcon::Exclamation});
        return;
    }
    QPointer<frmHelp>& window = HelpWindowSlot();
    if (window.isNull()) {
        window = new frmHelp(nullptr, session);
        // It belongs to the window it was asked from (the converter, through its companions): it
        // opens beside that, and task bars show the program's one button.
        QWidget* owner = parent != nullptr ? parent->window() : nullptr;
        while (owner != nullptr && owner->parentWidget() != nullptr) {
            owner = owner->parentWidget()->window();
        }
        if (owner != nullptr && owner->isVisible()) {
            MakeCompanionOf(window, owner);
            PlaceBeside(window, owner);
            window->FitAvailableScreen();
        }
    }
    window->ShowPage(page);
    // With Always on Top the converter's windows float above the rest; help asked for from one of
    // them floats with them, or it would open hidden behind the window that asked for it.
    platform().SetAlwaysOnTop(window, session.settings.pnShowTop == 1);
    window->BringToFront();
}

}  // namespace

frmHelp::frmHelp(QWidget* parent, const Session& session) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    // An open help window does not keep the program running once the converter has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral(" Halden Unit Converter Help"));
    setWindowIcon(ApplicationIcon());
    createControls(session.catalogue);
    arrangeControls();
    connectHandlers();
}

frmHelp::~frmHelp() = default;

void frmHelp::createControls(const UnitCatalogue& catalogue) {
    txtHelp = new HelpBrowser(catalogue, this);
    txtHelp->setOpenLinks(true);
    txtHelp->setOpenExternalLinks(false);
    // The arrow keys move a caret through the text, as in a document, so that a screen reader reads
    // the line, word or letter they reach; the text stays read-only and looks as before.
    txtHelp->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    txtHelp->setAccessibleName(QStringLiteral("Help text"));
    SetAccessibleWindowRole(this, QAccessible::Window);
    cmdContents = new QPushButton(QStringLiteral("&Contents"), this);
    cmdBack = new QPushButton(QStringLiteral("&Back"), this);
    cmdForward = new QPushButton(QStringLiteral("&Forward"), this);
    cmdBack->setEnabled(false);
    cmdForward->setEnabled(false);
}

void frmHelp::arrangeControls() {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdContents);
    buttons->addWidget(cmdBack);
    buttons->addWidget(cmdForward);
    buttons->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);
    column->addLayout(buttons);
    column->addWidget(txtHelp, 1);
    resize(kDesignWidth, kDesignHeight);
    FitAvailableScreen();
}

void frmHelp::FitAvailableScreen() {
    const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    // A large scale factor makes the design size bigger than the screen; the window then takes
    // the free area (less its frame) and the page scrolls.
    const QRect area = screen->availableGeometry();
    // A frame measured at a scale factor loses up to a pixel at each edge to rounding.
    const QMargins edges = WindowFrameMargins(this) + QMargins(1, 1, 1, 1);
    const QSize margins(edges.left() + edges.right(), edges.top() + edges.bottom());
    const int width = std::min(kDesignWidth, area.width() - margins.width());
    const int height = std::min(kDesignHeight, area.height() - margins.height());
    resize(std::max(width, minimumWidth()), std::max(height, minimumHeight()));
    const QRect frame(pos(), size() + margins);
    if (!area.contains(frame)) {
        move(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() + 1 - frame.width())),
             std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - frame.height())));
    }
}

void frmHelp::connectHandlers() {
    connect(cmdContents, &QPushButton::clicked, this, &frmHelp::cmdContents_Click);
    connect(cmdBack, &QPushButton::clicked, txtHelp, &QTextBrowser::backward);
    connect(cmdForward, &QPushButton::clicked, txtHelp, &QTextBrowser::forward);
    InstallEscapeKey(this, [this] { close(); });
    connect(txtHelp, &QTextBrowser::backwardAvailable, cmdBack, &QPushButton::setEnabled);
    connect(txtHelp, &QTextBrowser::forwardAvailable, cmdForward, &QPushButton::setEnabled);
    connectSpokenLinks();
}

void frmHelp::connectSpokenLinks() {
    // The text's links and pages say nothing to a screen reader of their own: Tab selecting a link
    // says its words, and a page opened says its title.
    QWidget* notice = MakeSpokenNotice(this, QStringLiteral("helpNotice"));
    static_cast<HelpBrowser*>(txtHelp)->linkSelected = [notice](const QString& link) {
        Say(notice, QStringLiteral("Link: ") + link);
    };
    connect(txtHelp, &QTextBrowser::sourceChanged, notice,
            [this, notice] { Say(notice, QStringLiteral("Page: ") + txtHelp->documentTitle()); });
}

void frmHelp::ShowPage(const QString& page) {
    const QUrl target(kHelpRoot + page);
    if (txtHelp->source() == target) {
        txtHelp->reload();  // the unit list may have changed since
    } else {
        txtHelp->setSource(target);
    }
}

void frmHelp::BringToFront() {
    // Minimised from its own title bar it has no task bar button to come back by: asking for help
    // brings it back.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void frmHelp::cmdContents_Click() { ShowPage(kContentsPage); }

QString HelpPageFor(const QString& helpFile, HelpCommand command, int context) {
    if (!helpFile.isEmpty() && BareFileName(helpFile).compare(kProgramHelpFile, Qt::CaseInsensitive) != 0) {
        return {};
    }
    if (command == HelpCommand::Context) {
        switch (context) {
            case kHelpContextConstants:
                return QStringLiteral("constants.html");
            case kHelpContextAddUnits:
                return QStringLiteral("addunits.html");
            case kHelpContextCalculator:
                return QStringLiteral("calculator.html");
            case kHelpContextEquivalence:
                return QStringLiteral("equivalence.html");
            case kHelpContextAbout:
                return QStringLiteral("about.html");
            default:
                break;
        }
    }
    return kContentsPage;
}

void InstallProgramHelp(const Session& session) {
    InstallHelpViewer([session](QWidget* parent, const QString& helpFile, HelpCommand command, int context) {
        ShowProgramHelp(session, parent, helpFile, command, context);
    });
}

frmHelp* OpenHelpWindow() { return HelpWindowSlot().data(); }

}  // namespace halden
