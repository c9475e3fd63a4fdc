#include "shared/platform.h"
#include "shared/ui_accessible.h"
#include "shared/ui_text.h"
#include "shared/ui_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace halden {
namespace {

int TwipsPerPixel(double dpi) {
    if (!(dpi > 0.0)) {
        return 15;
    }
    const long twips = std::lround(1440.0 / dpi);
    return twips < 1 ? 1 : static_cast<int>(twips);
}

QScreen* PrimaryScreen() { return QGuiApplication::primaryScreen(); }

// The frame the window manager put around the last of the program's windows it framed: the best
// guess for a window it has not framed yet (the same window manager gives the same decorations).
QMargins& LastFrameSeen() {
    static QMargins frame;
    return frame;
}

void SetUpBox(QMessageBox& box, const Message& message) {
    box.setWindowTitle(ToQString(message.title));
    box.setText(DisplayText(message.text));
    switch (message.icon) {
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Critical:
            box.setIcon(QMessageBox::Critical);
            break;
    }
}

void RunBox(QMessageBox& box) {
    // A box that comes up while no window of the program is active (at start-up, or from the icon
    // window) is not always given the focus by the window manager; it asks for it once it is on
    // the screen, so that Enter answers it.
    QTimer::singleShot(0, &box, [&box] {
        box.raise();
        box.activateWindow();
    });
    box.exec();
}

class QtPlatform final : public Platform {
public:
    void ShowMessage(QWidget* parent, const Message& message) override {
        QMessageBox box(parent);
        SetUpBox(box, message);
        box.setStandardButtons(QMessageBox::Ok);
        RunBox(box);
    }

    int AskQuestion(QWidget* parent, const Message& message, const QStringList& buttons, int escapeIndex) override {
        QMessageBox box(parent);
        SetUpBox(box, message);
        QList<QAbstractButton*> added;
        for (const QString& caption : buttons) {
            added << box.addButton(caption, QMessageBox::ActionRole);
        }
        if (!added.isEmpty()) {
            box.setDefaultButton(qobject_cast<QPushButton*>(added.front()));
        }
        if (escapeIndex >= 0 && escapeIndex < added.size()) {
            box.setEscapeButton(added[escapeIndex]);
        }
        RunBox(box);
        const auto chosen = added.indexOf(box.clickedButton());
        return chosen >= 0 ? static_cast<int>(chosen) : escapeIndex;
    }

    void ClipboardClear() override { QGuiApplication::clipboard()->clear(); }
    void ClipboardSetText(const QString& text) override { QGuiApplication::clipboard()->setText(text); }
    QString ClipboardText() override { return QGuiApplication::clipboard()->text(); }
    std::optional<QString> SelectionText() override {
        const QClipboard* clipboard = QGuiApplication::clipboard();
        if (!clipboard->supportsSelection()) {
            return std::nullopt;
        }
        return clipboard->text(QClipboard::Selection);
    }

    QAction* PopupMenu(QWidget* /*owner*/, QMenu* menu) override { return menu->exec(QCursor::pos()); }
    // The menu keeps itself inside the screen's free area.
    QAction* PopupMenuAt(QWidget* /*owner*/, QMenu* menu, const QPoint& place) override { return menu->exec(place); }

    void SetAlwaysOnTop(QWidget* window, bool onTop) override {
        if (window == nullptr || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) {
            return;
        }
        QWindow* handle = window->windowHandle();
        if (handle == nullptr) {
            window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);  // not on the screen yet
            return;
        }
        // The window on the screen is told, and the widget's record of its flags follows: changing
        // the widget's flags would put a new window on the screen, which the window manager places
        // anew and whose frame the toolkit then misjudges (IceWM), so that its place drifts.
        window->overrideWindowFlags(window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop));
        handle->setFlag(Qt::WindowStaysOnTopHint, onTop);
        // A window put on the screen on top is not always told by the toolkit when that ends (IceWM
        // then keeps it on top): the window manager is asked directly as well.
        if (window->isVisible()) {
            RequestAboveOthers(window, onTop);
        }
    }

    int GetNonClientHeight(QWidget* window) override {
        if (window == nullptr) {
            return 0;
        }
        const QMargins frame = WindowFrameMargins(window);
        return std::max(0, frame.top() + frame.bottom());
    }

    int GetNonClientWidth(QWidget* window) override {
        if (window == nullptr) {
            return 0;
        }
        const QMargins frame = WindowFrameMargins(window);
        return std::max(0, frame.left() + frame.right());
    }

    int TwipsPerPixelX() override {
        QScreen* screen = PrimaryScreen();
        return screen == nullptr ? 15 : TwipsPerPixel(screen->logicalDotsPerInchX());
    }
    int TwipsPerPixelY() override {
        QScreen* screen = PrimaryScreen();
        return screen == nullptr ? 15 : TwipsPerPixel(screen->logicalDotsPerInchY());
    }

    QColor SystemColourOf(SystemColour colour) override {
        const QPalette palette = QApplication::palette();
        switch (colour) {
            case SystemColour::ButtonFace:
                return palette.color(QPalette::Button);
            case SystemColour::ButtonText:
                return palette.color(QPalette::ButtonText);
            case SystemColour::ButtonShadow:
                return palette.color(QPalette::Mid);
            case SystemColour::DarkShadow:
                return palette.color(QPalette::Shadow);
            case SystemColour::ButtonHighlight:
                return palette.color(QPalette::Light);
            case SystemColour::WindowBackground:
                return palette.color(QPalette::Base);
        }
        return {};
    }

    bool StartWindowDrag(QWidget* window) override {
        if (window == nullptr || window->windowHandle() == nullptr) {
            return false;
        }
        return window->windowHandle()->startSystemMove();
    }

    void SetHelpFile(const QString& path) override { helpFile_ = path; }
    void ShowHelp(QWidget* parent, HelpCommand command, int context) override {
        if (const HelpViewer& viewer = InstalledHelpViewer()) {
            viewer(parent, helpFile_, command, context);
        }
    }

private:
    QString helpFile_;
};

Platform* g_installed = nullptr;

}  // namespace

QMargins WindowFrameMargins(const QWidget* window) {
    const QWindow* handle = window->windowHandle();
    if (handle != nullptr && window->isVisible()) {
        const QMargins frame = handle->frameMargins();
        if (!frame.isNull()) {
            LastFrameSeen() = frame;
            return frame;
        }
    }
    if (window->windowFlags() & Qt::FramelessWindowHint) {
        return {};
    }
    return LastFrameSeen();
}

void CopyToClipboard(const QString& text) {
    platform().ClipboardClear();
    platform().ClipboardSetText(text);
    // A copy shows nothing on the screen; a screen reader is told what went to the clipboard.
    QWidget* window = QApplication::activeWindow();
    if (window != nullptr && !text.isEmpty() && QAccessible::isActive()) {
        auto* notice = window->findChild<QWidget*>(QStringLiteral("copyNotice"), Qt::FindDirectChildrenOnly);
        if (notice == nullptr) {
            notice = MakeSpokenNotice(window, QStringLiteral("copyNotice"));
        }
        const qsizetype lines = text.count(QLatin1Char('\n'));
        Say(notice, lines > 0 ? QStringLiteral("Copied %1 lines").arg(lines) : QStringLiteral("Copied: ") + text);
    }
}

Platform& platform() {
    static QtPlatform qtPlatform;
    return g_installed != nullptr ? *g_installed : qtPlatform;
}

void SetPlatform(Platform* p) { g_installed = p; }

QString PastedText() { return PastedInputText(platform().ClipboardText()); }

void InstallHelpKey(QWidget* window, HelpCommand command, int context) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window,
                     [window, command, context] { platform().ShowHelp(window, command, context); });
}

QString DisplayText(const std::string& text) {
    QString display = ToQString(text);
    display.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return display;
}

namespace {
HelpViewer& HelpViewerSlot() {
    static HelpViewer viewer;
    return viewer;
}
}  // namespace

void InstallHelpViewer(HelpViewer viewer) { HelpViewerSlot() = std::move(viewer); }
const HelpViewer& InstalledHelpViewer() { return HelpViewerSlot(); }

}  // namespace halden
