// The one seam between the windows and the platform: message boxes, clipboard, popup menus,
// always-on-top, window frame sizes, twips per pixel, system colours, window drag and help.
//
// The program runs on the Qt implementation; GUI tests install a recording fake with
// SetPlatform(), so a test can see messages, answer popup menus and read the clipboard without a
// display or a modal loop. Windows never call QMessageBox, QClipboard or QMenu::exec directly.
#pragma once

#include "numbers/message_sink.h"

#include <QColor>
#include <QMargins>
#include <QPoint>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QAction;
class QMenu;
class QWidget;

namespace halden {

enum class SystemColour { ButtonFace, ButtonText, ButtonShadow, DarkShadow, ButtonHighlight, WindowBackground };

enum class HelpCommand { Contents, Context };

/// Context numbers of the help topics the windows open.
inline constexpr int kHelpContextConstants = 17;
inline constexpr int kHelpContextAddUnits = 18;
inline constexpr int kHelpContextCalculator = 19;
inline constexpr int kHelpContextEquivalence = 20;
inline constexpr int kHelpContextAbout = 21;

class Platform {
public:
    virtual ~Platform() = default;

    /// A modal message box with an OK button; returns when it is closed.
    virtual void ShowMessage(QWidget* parent, const Message& message) = 0;
    /// A modal question box with one button per caption, left to right, the first the default;
    /// returns when it is closed. Returns the index of the button chosen, or escapeIndex when the
    /// box is closed by Escape or its close box.
    virtual int AskQuestion(QWidget* parent, const Message& message, const QStringList& buttons, int escapeIndex) = 0;

    virtual void ClipboardClear() = 0;
    virtual void ClipboardSetText(const QString& text) = 0;
    virtual QString ClipboardText() = 0;
    /// The text of the window system's selection (what a middle click pastes on X11), or
    /// std::nullopt where the window system keeps no selection.
    virtual std::optional<QString> SelectionText() = 0;

    /// Shows menu at the mouse position and waits; the chosen item's triggered signal runs before
    /// this returns. Returns the chosen action or nullptr.
    virtual QAction* PopupMenu(QWidget* owner, QMenu* menu) = 0;
    /// As PopupMenu, but with the menu's top-left corner at place (global pixels), as a menu opened
    /// from the keyboard appears beside what it belongs to rather than at the mouse.
    virtual QAction* PopupMenuAt(QWidget* owner, QMenu* menu, const QPoint& /*place*/) {
        return PopupMenu(owner, menu);
    }

    /// Sets or releases topmost for a top-level window, keeping its place and size.
    virtual void SetAlwaysOnTop(QWidget* window, bool onTop) = 0;
    /// The window's outer height minus its client height, in pixels.
    virtual int GetNonClientHeight(QWidget* window) = 0;
    /// The window's outer width minus its client width (its side frames), in pixels.
    virtual int GetNonClientWidth(QWidget* window) = 0;
    /// Twips per pixel of the screen: round(1440 / logical dpi).
    virtual int TwipsPerPixelX() = 0;
    virtual int TwipsPerPixelY() = 0;
    virtual QColor SystemColourOf(SystemColour colour) = 0;

    /// Starts moving a window that has no title bar while the left button is held. Returns false
    /// when the window system cannot, so the caller moves the window itself.
    virtual bool StartWindowDrag(QWidget* window) = 0;

    /// The help file the program hands to the help viewer (set once at start-up).
    virtual void SetHelpFile(const QString& path) = 0;
    /// Opens the help at its contents, or at the topic of a context number.
    virtual void ShowHelp(QWidget* parent, HelpCommand command, int context) = 0;
};

/// The platform in use: the Qt implementation unless a test installed another.
Platform& platform();
/// Installs p (not owned; nullptr puts the Qt implementation back).
void SetPlatform(Platform* p);

/// How the program shows the core's messages: as the platform's message boxes.
class PlatformMessageSink final : public MessageSink {
public:
    explicit PlatformMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
    void Show(const Message& message) override { platform().ShowMessage(parent_, message); }

private:
    QWidget* parent_;
};

/// A message text for display: the carriage returns that join its lines become line breaks.
QString DisplayText(const std::string& text);

/// The clipboard's text as an input box takes a paste (PastedInputText): the first line of what a
/// spreadsheet cell or a terminal copied, without its line breaks, in ASCII forms.
QString PastedText();

/// Makes F1 in window open the help: at the contents, or at the topic of a context number.
void InstallHelpKey(QWidget* window, HelpCommand command, int context = 0);

/// Empties the clipboard, then puts text on it, as every Copy of the program does.
void CopyToClipboard(const QString& text);

/// The frame the window manager draws around a top-level window, in pixels: the one account of
/// window frames. For a window it has not framed yet, the frame of the last window it framed (none
/// before the first); a window without a frame of the window manager's has none.
QMargins WindowFrameMargins(const QWidget* window);

/// The help viewer the Qt platform hands help requests to. The help window installs itself here
/// at start-up; until then help requests do nothing.
using HelpViewer = std::function<void(QWidget* parent, const QString& helpFile, HelpCommand command, int context)>;

void InstallHelpViewer(HelpViewer viewer);
const HelpViewer& InstalledHelpViewer();

}  // namespace halden
