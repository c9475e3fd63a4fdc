#include "shared/ui_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QShortcut>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <xcb/xcb.h>

namespace halden {

void UseFixedSizeFrame(QWidget* window, MinimiseButton minimise) {
    const Qt::WindowFlags kept = window->windowFlags() & (Qt::WindowType_Mask | Qt::WindowStaysOnTopHint);
    Qt::WindowFlags flags =
        kept | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (minimise == MinimiseButton::Shown) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    window->setWindowFlags(flags);
}

namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);  // NOLINT(cppcoreguidelines-no-malloc): the reply is the library's malloc
    return atom;
}

// The X connection a made window lives on; null on other window systems, or for a window not yet
// made.
xcb_connection_t* X11ConnectionOf(const QWidget* window) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || window->windowHandle() == nullptr) {
        return nullptr;
    }
    return x11->connection();
}

}  // namespace

namespace {

// Sends a client message about window to the root window, where the window manager takes it.
void SendToWindowManager(QWidget* window, const char* type, std::array<std::uint32_t, 5> data, std::size_t atomAt = 5,
                         const char* atomName = nullptr) {
    xcb_connection_t* connection = X11ConnectionOf(window);
    if (connection == nullptr) {
        return;  // no such request on other window systems
    }
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window->internalWinId());
    message.type = Atom(connection, type);
    if (atomName != nullptr && atomAt < data.size()) {
        data[atomAt] = Atom(connection, atomName);
        if (data[atomAt] == XCB_ATOM_NONE) {
            return;
        }
    }
    std::copy(data.begin(), data.end(), message.data.data32);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (screen != nullptr && message.type != XCB_ATOM_NONE) {
        xcb_send_event(connection, 0, screen->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
    }
    xcb_flush(connection);
}

}  // namespace

void RequestWindowState(QWidget* window, bool add, const char* state) {
    // Add (1) or remove (0), the state, and 1: asked by an application.
    SendToWindowManager(window, "_NET_WM_STATE", {add ? 1U : 0U, 0, 0, 1, 0}, 1, state);
}

void RequestAboveOthers(QWidget* window, bool above) {
    RequestWindowState(window, above, "_NET_WM_STATE_ABOVE");
    // Window managers that keep windows in layers (IceWM) keep a window put on the screen above
    // the others in its layer until they are told its layer: 6 on top, 4 normal.
    SendToWindowManager(window, "_WIN_LAYER", {above ? 6U : 4U, 0, 0, 0, 0});
}

namespace {

// True when the window manager's record of the window (the ICCCM WM_STATE property) says it is in
// its normal state; false when it says otherwise or when there is no such record.
bool WindowManagerShowsNormal(QWidget* window) {
    xcb_connection_t* connection = X11ConnectionOf(window);
    if (connection == nullptr) {
        return false;
    }
    const xcb_atom_t wmState = Atom(connection, "WM_STATE");
    if (wmState == XCB_ATOM_NONE) {
        return false;
    }
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, static_cast<xcb_window_t>(window->internalWinId()), wmState, wmState, 0, 2);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    constexpr std::uint32_t kNormalState = 1;
    bool normal = false;
    if (reply != nullptr && reply->format == 32 && xcb_get_property_value_length(reply) >= 4) {
        normal = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply)) == kNormalState;
    }
    std::free(reply);  // NOLINT(cppcoreguidelines-no-malloc): the reply is the library's malloc
    return normal;
}

// Keeps what the toolkit believes of a window's minimised state true to the window manager's. A
// window the program minimises itself counts as minimised at once; when the window manager
// restores it before the toolkit has read the minimised state back, the toolkit reads "normal"
// twice and never reports the restore, and the window would stay minimised in the program's eyes
// while the user sees it. So when the window's surface is put on the screen while the window
// counts as minimised, the window manager's record decides (once the events already queued have
// run).
class RestoreFollower final : public QObject {
public:
    explicit RestoreFollower(QWidget* window) : QObject(window), window_(window) {
        setObjectName(kName);
        window->installEventFilter(this);
        WatchSurface();  // a window already shown has its surface
    }

    // Makes window follow the window manager's restore, once however often asked.
    static void Follow(QWidget* window) {
        if (window->findChild<QObject*>(kName, Qt::FindDirectChildrenOnly) == nullptr) {
            new RestoreFollower(window);
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show) {
            WatchSurface();
        } else if (watched == surface_ && event->type() == QEvent::Expose && OnScreenButMinimised()) {
            QTimer::singleShot(0, this, [this] {
                if (OnScreenButMinimised() && WindowManagerShowsNormal(window_)) {
                    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
                }
            });
        }
        return false;
    }

private:
    static constexpr QLatin1StringView kName{"restoreFollower"};

    void WatchSurface() {
        if (surface_.isNull()) {
            surface_ = window_->windowHandle();
            if (!surface_.isNull()) {
                surface_->installEventFilter(this);
            }
        }
    }

    bool OnScreenButMinimised() const { return window_->isMinimized() && !surface_.isNull() && surface_->isExposed(); }

    QWidget* window_;
    QPointer<QWindow> surface_;
};

// Keeps the companion's window out of task bars each time it is put on the screen: the owner's
// button stands for both. It is not made transient for the owner, which would keep it above the
// owner for good: a companion placed across the converter would hide it.
class CompanionMark final : public QObject {
public:
    CompanionMark(QWidget* companion, QWidget* owner) : QObject(companion), companion_(companion), owner_(owner) {
        companion->installEventFilter(this);
        RestoreFollower::Follow(owner);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == companion_ && event->type() == QEvent::WindowStateChange && companion_->isMinimized() &&
            !owner_.isNull() && owner_->isVisible() && !owner_->isMinimized()) {
            // Minimised, it would have no task bar button to come back by: the owner goes with it,
            // and brings it back when it is restored (as some window managers do by themselves),
            // also when the window manager restores it at once (RestoreFollower).
            owner_->showMinimized();
        }
        if (watched == companion_ && event->type() == QEvent::Show && !owner_.isNull()) {
            // After the toolkit has put the window on the screen: it writes the window's states as
            // it does, and the window manager then takes changes only as requests.
            QTimer::singleShot(0, this, [this] {
                if (!owner_.isNull() && companion_->isVisible()) {
                    Mark();
                }
            });
        }
        return false;
    }

private:
    void Mark() { RequestWindowState(companion_, true, "_NET_WM_STATE_SKIP_TASKBAR"); }

    QWidget* companion_;
    QPointer<QWidget> owner_;
};

}  // namespace

void MakeCompanionOf(QWidget* companion, QWidget* owner) {
    if (companion != nullptr && owner != nullptr) {
        new CompanionMark(companion, owner);
    }
}

void InstallEscapeKey(QWidget* window, std::function<void()> close) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window, std::move(close));
}

}  // namespace halden
