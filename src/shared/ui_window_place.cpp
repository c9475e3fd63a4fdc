#include "shared/ui_window_place.h"

#include "shared/platform.h"
#include "shared/ui_twips.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <xcb/xcb.h>

namespace halden {
namespace {

QList<QRect> FreeScreenAreas() {
    QList<QRect> areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.append(screen->availableGeometry());
    }
    return areas;
}

// One coordinate of a frame moved just far enough into [low, high); a frame larger than that keeps
// its start at low.
int IntoRange(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); }

xcb_atom_t FrameExtentsAtom(xcb_connection_t* connection) {
    static xcb_atom_t atom = XCB_ATOM_NONE;
    if (atom == XCB_ATOM_NONE && connection != nullptr) {
        static constexpr char kExtents[] = "_NET_FRAME_EXTENTS";
        const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, sizeof kExtents - 1, kExtents);
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        atom = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
        std::free(reply);  // NOLINT(cppcoreguidelines-no-malloc): the reply is the library's malloc
    }
    return atom;
}

void WatchFrameExtents();

// Whether the window manager has told the window's frame (_NET_FRAME_EXTENTS is set on it, even
// to no frame at all); false where the window system has no such property.
bool FrameExtentsSet(const QWidget* window) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr || window->windowHandle() == nullptr) {
        return false;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t extents = FrameExtentsAtom(connection);
    if (extents == XCB_ATOM_NONE) {
        return false;
    }
    const xcb_get_property_cookie_t cookie = xcb_get_property(
        connection, 0, static_cast<xcb_window_t>(window->internalWinId()), extents, XCB_ATOM_CARDINAL, 0, 4);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    const bool set = reply != nullptr && reply->format == 32 && reply->value_len == 4;
    std::free(reply);  // NOLINT(cppcoreguidelines-no-malloc): the reply is the library's malloc
    return set;
}

// Keeps a window at the place last restored: the window goes there when it is next shown, and
// once the window manager has framed it, its frame is moved there once more if the window manager
// put it elsewhere (some offset a new window's frame by their border, so that each run would save
// a place a few pixels off the one before). However long the window manager takes, the frame is
// waited for: its extents, or its first move once on the screen; nothing gives up by the clock.
// Found again by its name: it has no meta-object.
class PlaceKeeper final : public QObject {
public:
    static constexpr const char* kName = "placeKeeper";

    explicit PlaceKeeper(QWidget* window) : QObject(window), window_(window) {
        setObjectName(QLatin1String(kName));
        window->installEventFilter(this);
        WatchFrameExtents();
    }

    static PlaceKeeper* Find(const QWidget* window) {
        return static_cast<PlaceKeeper*>(window->findChild<QObject*>(QLatin1String(kName), Qt::FindDirectChildrenOnly));
    }

    static PlaceKeeper* Of(QWidget* window) {
        PlaceKeeper* keeper = Find(window);
        return keeper != nullptr ? keeper : new PlaceKeeper(window);
    }

    void StopWatching() {
        watching_ = false;
        pending_ = false;
        fitted_ = false;
    }

    void Restore(const QPoint& stored, OffScreenPlace rule) {
        stored_ = stored;
        rule_ = rule;
        pending_ = true;
        fitted_ = false;
        Apply();
        if (window_->isVisible()) {
            // Already on the screen: the window manager answers the move, and the answer is checked.
            Watch();
        }
    }

    // The window manager wrote the frame's extents (once the toolkit has read them).
    void FrameChanged() {
        if (watching_) {
            Check(false);
        } else if (fitted_) {
            Refit();
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show && pending_) {
            // Laid out by now: the whole window is brought on the screen, not only its first size.
            Apply();
            Watch();
        } else if (watching_ && watched == window_->windowHandle() &&
                   (event->type() == QEvent::Expose || event->type() == QEvent::Move)) {
            Check(event->type() == QEvent::Move);
        } else if (fitted_ && watched == window_->windowHandle()) {
            FollowFitted(event);
        }
        return false;
    }

private:
    void Apply() {
        const QMargins frame = WindowFrameMargins(window_);
        const QRect outer(stored_, window_->size().grownBy(frame));
        place_ = rule_ == OffScreenPlace::BringOnScreen ? ReachablePlace(outer, FreeScreenAreas()) : stored_;
        window_->move(place_);
    }

    void Watch() {
        pending_ = false;
        if (!WindowPlacesKnown() || window_->windowHandle() == nullptr) {
            return;
        }
        watching_ = true;
        window_->windowHandle()->removeEventFilter(this);
        window_->windowHandle()->installEventFilter(this);
    }

    // The frame is known once the window manager has told its extents or drawn one (the toolkit
    // reads it from the window's parents), or, with neither, once it has moved the window on the
    // screen: a window manager without frames.
    bool FrameKnown(bool moved) const {
        const QWindow* handle = window_->windowHandle();
        return handle->frameMargins() != QMargins() || window_->windowFlags() & Qt::FramelessWindowHint ||
               FrameExtentsSet(window_) || moved;
    }

    void Check(bool moved) {
        if (!window_->windowHandle()->isExposed() || !FrameKnown(moved)) {
            return;  // not yet on the screen with its frame: its place is not final
        }
        // Checked once: a later move is the user's own, never undone.
        watching_ = false;
        // Framed now: the whole frame, title bar included, is brought onto the screen. (The window's
        // own geometry: the widget learns of a move only after this event.)
        const QRect actual = window_->windowHandle()->frameGeometry();
        if (rule_ == OffScreenPlace::BringOnScreen) {
            place_ = ReachablePlace(QRect(stored_, actual.size()), FreeScreenAreas());
        }
        if (actual.topLeft() != place_) {
            window_->move(place_);
        }
        fitted_ = place_ != stored_;
    }

    // A window brought onto the screen stays fitted while it stands where it was put: growing (its
    // width applied again once framed, a frame settling) it is brought on again. Moved elsewhere,
    // by the user or for its own reasons, it is left where it went.
    void FollowFitted(const QEvent* event) {
        if (event->type() == QEvent::Move && window_->windowHandle()->framePosition() != place_) {
            fitted_ = false;
        } else if (event->type() == QEvent::Resize || event->type() == QEvent::Expose) {
            Refit();
        }
    }

    void Refit() {
        const QRect frame = window_->windowHandle()->frameGeometry();
        const QList<QRect> areas = FreeScreenAreas();
        if (std::any_of(areas.begin(), areas.end(), [&frame](const QRect& area) { return area.contains(frame); })) {
            return;  // wholly on a screen
        }
        place_ = ReachablePlace(QRect(stored_, frame.size()), areas);
        if (frame.topLeft() != place_) {
            window_->move(place_);
        }
    }

    QWidget* window_;
    QPoint stored_;
    QPoint place_;
    OffScreenPlace rule_ = OffScreenPlace::BringOnScreen;
    bool pending_ = false;
    bool watching_ = false;
    bool fitted_ = false;  // moved onto the screen from its stored place, and still there
};

// Tells each window's keeper when the window manager writes the window's frame extents: no event
// of the toolkit's says so. Installed once, where windows are X windows.
class FrameExtentsFilter final : public QAbstractNativeEventFilter {
public:
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* /*result*/) override {
        if (eventType != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY) {
            return false;
        }
        const auto* change = static_cast<const xcb_property_notify_event_t*>(message);
        const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (x11 == nullptr || change->atom != FrameExtentsAtom(x11->connection())) {
            return false;
        }
        for (QWidget* window : QApplication::topLevelWidgets()) {
            PlaceKeeper* keeper = window->internalWinId() == change->window ? PlaceKeeper::Find(window) : nullptr;
            if (keeper != nullptr) {
                // After the toolkit has taken the change in: it reads the extents anew.
                QMetaObject::invokeMethod(
                    keeper, [keeper] { keeper->FrameChanged(); }, Qt::QueuedConnection);
            }
        }
        return false;
    }
};

void WatchFrameExtents() {
    static FrameExtentsFilter* filter = nullptr;
    if (filter == nullptr && qGuiApp->nativeInterface<QNativeInterface::QX11Application>() != nullptr) {
        filter = new FrameExtentsFilter;  // NOLINT(cppcoreguidelines-owning-memory): lives as long as the program
        qGuiApp->installNativeEventFilter(filter);
    }
}

}  // namespace

void KeepAboveOwner(QWidget* dialog, QWidget* owner) {
    if (dialog == nullptr || owner == nullptr) {
        return;
    }
    // The focus moving to the owner tells that it came to the front: a click on it, or the window
    // manager's choice. (An owner a modal dialog blocks still takes the focus from the window manager.)
    const QPointer<QWidget> watched(owner);
    QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, dialog, [dialog, watched](QWindow* focus) {
        if (focus == nullptr || watched.isNull() || focus != watched->windowHandle() || !dialog->isVisible()) {
            return;
        }
        dialog->raise();
        if (dialog->isModal()) {
            dialog->activateWindow();
        }
    });
}

bool WindowPlacesKnown() { return !QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

bool StoreWindowPlace(const QWidget* window, std::int16_t& left, std::int16_t& top, PlaceOutOfRange rule) {
    if (!WindowPlacesKnown()) {
        return false;
    }
    const QPoint place = window->frameGeometry().topLeft();
    const bool storedLeft = StoreTwips(left, TwipsX(place.x()), rule);
    const bool storedTop = StoreTwips(top, TwipsY(place.y()), rule);
    return storedLeft && storedTop;
}

void RestoreWindowPlace(QWidget* window, int left, int top, OffScreenPlace rule) {
    RestoreWindowPlace(window, QPoint(PixelsX(left), PixelsY(top)), rule);
}

void RestoreWindowPlace(QWidget* window, const QPoint& place, OffScreenPlace rule) {
    PlaceKeeper::Of(window)->Restore(place, rule);
}

void LeaveToUser(QWidget* window) { PlaceKeeper::Of(window)->StopWatching(); }

QPoint ReachablePlace(const QRect& frame, const QList<QRect>& screens) {
    // The screen it overlaps most, or, overlapping none, the one nearest its middle.
    const QRect* nearest = nullptr;
    long long bestOverlap = -1;
    long long bestDistance = 0;
    for (const QRect& area : screens) {
        const QRect common = frame & area;
        const bool topOnScreen = frame.top() >= area.top() && frame.top() <= area.bottom();
        if (topOnScreen && common.width() >= std::min(kUsableWidth, frame.width()) &&
            common.height() >= std::min(kUsableHeight, frame.height())) {
            return frame.topLeft();
        }
        const long long overlap = common.isEmpty() ? 0LL : static_cast<long long>(common.width()) * common.height();
        const QPoint middle = frame.center();
        const long long distance =
            std::abs(static_cast<long long>(middle.x()) - std::clamp(middle.x(), area.left(), area.right())) +
            std::abs(static_cast<long long>(middle.y()) - std::clamp(middle.y(), area.top(), area.bottom()));
        if (overlap > bestOverlap || (overlap == bestOverlap && distance < bestDistance)) {
            nearest = &area;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    if (nearest == nullptr) {
        return frame.topLeft();
    }
    return {IntoRange(frame.left(), frame.width(), nearest->left(), nearest->left() + nearest->width()),
            IntoRange(frame.top(), frame.height(), nearest->top(), nearest->top() + nearest->height())};
}

QPoint BesidePlace(const QRect& anchor, const QSize& size, const QRect& area) {
    const int areaRight = area.left() + area.width();
    int x = anchor.left() + anchor.width() + kBesideGap;
    if (x + size.width() > areaRight) {
        const int leftOf = anchor.left() - kBesideGap - size.width();
        x = leftOf >= area.left() ? leftOf : areaRight - size.width();
    }
    return {IntoRange(x, size.width(), area.left(), areaRight),
            IntoRange(anchor.top(), size.height(), area.top(), area.top() + area.height())};
}

void PlaceBeside(QWidget* window, const QWidget* anchor) {
    const QScreen* screen = anchor->screen() != nullptr ? anchor->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr || !WindowPlacesKnown()) {
        return;
    }
    const QSize outer = window->size().grownBy(WindowFrameMargins(window));
    window->move(BesidePlace(anchor->frameGeometry(), outer, screen->availableGeometry()));
}

QPoint PopupPlaceOnScreen(const QWidget* popup, const QPoint& wanted) {
    const QScreen* screen = QGuiApplication::screenAt(wanted);
    if (screen == nullptr) {
        screen = popup->screen() != nullptr ? popup->screen() : QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return wanted;
    }
    const QRect area = screen->availableGeometry();
    const QSize size = popup->frameGeometry().size();
    return {IntoRange(wanted.x(), size.width(), area.left(), area.left() + area.width()),
            IntoRange(wanted.y(), size.height(), area.top(), area.top() + area.height())};
}

}  // namespace halden
