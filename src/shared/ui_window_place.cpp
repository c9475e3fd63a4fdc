#include "shared/ui_window_place.h"

#include "shared/platform.h"
#include "shared/ui_twips.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>

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

// Keeps a window at the place last restored: the window goes there when it is next shown, and
// once the window manager has framed it, its frame is moved there once more if the window manager
// put it elsewhere (some offset a new window's frame by their border, so that each run would save
// a place a few pixels off the one before). Found again by its name: it has no meta-object.
class PlaceKeeper final : public QObject {
public:
    static constexpr const char* kName = "placeKeeper";

    explicit PlaceKeeper(QWidget* window) : QObject(window), window_(window) {
        setObjectName(QLatin1String(kName));
        window->installEventFilter(this);
    }

    static PlaceKeeper* Of(QWidget* window) {
        auto* keeper =
            static_cast<PlaceKeeper*>(window->findChild<QObject*>(QLatin1String(kName), Qt::FindDirectChildrenOnly));
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

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show && pending_) {
            // Laid out by now: the whole window is brought on the screen, not only its first size.
            Apply();
            Watch();
        } else if (watching_ && watched == window_->windowHandle() &&
                   (event->type() == QEvent::Expose || event->type() == QEvent::Move)) {
            Check();
        } else if (fitted_ && watched == window_->windowHandle() &&
                   (event->type() == QEvent::Resize || event->type() == QEvent::Expose)) {
            Refit();
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
        watchStarted_.start();
        window_->windowHandle()->removeEventFilter(this);
        window_->windowHandle()->installEventFilter(this);
    }

    void Check() {
        // A window the window manager left alone sends nothing to check by; a later move is the
        // user's own, never undone.
        if (watchStarted_.hasExpired(kWatchMilliseconds)) {
            watching_ = false;
            return;
        }
        const QWindow* handle = window_->windowHandle();
        const bool framed = handle->frameMargins() != QMargins() || window_->windowFlags() & Qt::FramelessWindowHint;
        if (!handle->isExposed() || !framed) {
            return;  // not yet on the screen with its frame: its place is not final
        }
        watching_ = false;
        // Framed now: the whole frame, title bar included, is brought onto the screen.
        const QRect actual = window_->frameGeometry();
        if (rule_ == OffScreenPlace::BringOnScreen) {
            place_ = ReachablePlace(QRect(stored_, actual.size()), FreeScreenAreas());
        }
        if (actual.topLeft() != place_) {
            window_->move(place_);
        }
        fitted_ = place_ != stored_;
        if (fitted_) {
            // The window manager may still be settling the frame's edges: looked at again shortly.
            for (const int delay : {kSettleMilliseconds, 4 * kSettleMilliseconds}) {
                QTimer::singleShot(delay, this, [this] {
                    if (fitted_) {
                        Refit();
                    }
                });
            }
        }
    }

    // A window brought onto the screen that grows a moment later (its width applied again once
    // framed) is brought on again, as far as it now needs.
    void Refit() {
        if (watchStarted_.hasExpired(kWatchMilliseconds)) {
            fitted_ = false;
            return;
        }
        const QRect frame = window_->frameGeometry();
        const QList<QRect> areas = FreeScreenAreas();
        if (std::any_of(areas.begin(), areas.end(), [&frame](const QRect& area) { return area.contains(frame); })) {
            return;  // wholly on a screen, wherever the user may have moved it since
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
    bool fitted_ = false;  // moved onto the screen from its stored place
    QElapsedTimer watchStarted_;
    static constexpr qint64 kWatchMilliseconds = 3000;
    static constexpr int kSettleMilliseconds = 200;
};

}  // namespace

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

void ShowAtStoredPlace(QWidget* window, int left, int top) {
    RestoreWindowPlace(window, left, top);
    window->show();
}

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
