#include "shared/ui_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QShortcut>
#include <QTimer>
#include <QWidget>

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

// Keeps the companion's window out of task bars each time it is put on the screen: the owner's
// button stands for both. It is not made transient for the owner, which would keep it above the
// owner for good: a companion placed across the converter would hide it.
class CompanionMark final : public QObject {
public:
    CompanionMark(QWidget* companion, QWidget* owner) : QObject(companion), companion_(companion), owner_(owner) {
        companion->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == companion_ && event->type() == QEvent::WindowStateChange && companion_->isMinimized() &&
            !owner_.isNull() && owner_->isVisible() && !owner_->isMinimized()) {
            // Minimised, it would have no task bar button to come back by: the owner goes with it,
            // and brings it back when it is restored (as some window managers do by themselves).
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
    void Mark() {
        const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (x11 == nullptr || x11->connection() == nullptr) {
            return;  // no such request on other window systems
        }
        xcb_connection_t* connection = x11->connection();
        const auto self = static_cast<xcb_window_t>(companion_->internalWinId());
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = self;
        message.type = Atom(connection, "_NET_WM_STATE");
        message.data.data32[0] = 1;  // add
        message.data.data32[1] = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
        message.data.data32[3] = 1;  // asked by an application
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        if (screen != nullptr && message.type != XCB_ATOM_NONE && message.data.data32[1] != XCB_ATOM_NONE) {
            xcb_send_event(connection, 0, screen->root,
                           XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                           reinterpret_cast<const char*>(&message));
        }
        xcb_flush(connection);
    }

    static xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
        const xcb_intern_atom_cookie_t cookie =
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        const xcb_atom_t atom = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
        std::free(reply);  // NOLINT(cppcoreguidelines-no-malloc): the reply is the library's malloc
        return atom;
    }

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
