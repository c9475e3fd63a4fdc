#include "shared/ui_twips.h"

#include "shared/settings.h"

#include "shared/platform.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace halden {
namespace {

int Positive(int value) { return value > 0 ? value : 1; }

}  // namespace

int PixelsX(double twips) { return static_cast<int>(std::lround(twips / Positive(state().Tppx))); }
int PixelsY(double twips) { return static_cast<int>(std::lround(twips / Positive(state().Tppy))); }
int TwipsX(int pixels) { return pixels * Positive(state().Tppx); }
int TwipsY(int pixels) { return pixels * Positive(state().Tppy); }

void MoveWindowTwips(QWidget* window, double left, double top) { window->move(PixelsX(left), PixelsY(top)); }

void PlaceWindowTwips(QWidget* window, double left, double top) {
    // A corner a little inside the window must be on some screen for the window to be reachable.
    constexpr int kReachable = 16;
    const QPoint corner(PixelsX(left), PixelsY(top));
    const QPoint inside = corner + QPoint(kReachable, kReachable);
    const auto screens = QGuiApplication::screens();
    bool onScreen = screens.isEmpty();
    for (const QScreen* screen : screens) {
        onScreen = onScreen || screen->geometry().contains(inside);
    }
    if (onScreen) {
        window->move(corner);
        return;
    }
    window->move(QGuiApplication::primaryScreen()->availableGeometry().topLeft());
}

QPoint WindowPosTwips(const QWidget* window) {
    const QPoint place = window->pos();
    return {TwipsX(place.x()), TwipsY(place.y())};
}

void ResizeWindowTwips(QWidget* window, double width, double height) {
    const int sideFrames = std::max(0, window->frameGeometry().width() - window->geometry().width());
    const int clientWidth = std::max(1, PixelsX(width) - sideFrames);
    const int clientHeight = std::max(1, PixelsY(height) - platform().GetNonClientHeight(window));
    window->setFixedSize(clientWidth, clientHeight);
}

}  // namespace halden
