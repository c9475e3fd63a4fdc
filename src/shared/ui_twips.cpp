#include "shared/ui_twips.h"

#include "shared/process_state.h"

#include "shared/platform.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace halden {
namespace {

// Keeps a window's outer width as set: before the window manager has framed the window its side
// frames are only a guess, so the width is applied again once the window is on the screen. The
// width is its property "outerWidth", where tools that look at the windows from outside read it.
class OuterWidthKeeper final : public QObject {
public:
    static constexpr const char* kName = "outerWidthKeeper";
    static constexpr const char* kWidthProperty = "outerWidth";

    explicit OuterWidthKeeper(QWidget* window) : QObject(window), window_(window) {
        setObjectName(QLatin1String(kName));
        window->installEventFilter(this);
    }

    void Keep(int outerWidth) {
        setProperty(kWidthProperty, outerWidth);
        Apply();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // A minimised window is left alone: resizing it would restore it on the screen, where the
        // reduced shape's hidden main window must stay in the task bar until the user restores it.
        if (watched == window_ && !window_->isMinimized() &&
            (event->type() == QEvent::Move || event->type() == QEvent::Show)) {
            Apply();
        }
        return false;
    }

private:
    void Apply() {
        const int outerWidth = property(kWidthProperty).toInt();
        const int clientWidth = std::max(1, outerWidth - platform().GetNonClientWidth(window_));
        if (window_->minimumWidth() != clientWidth || window_->maximumWidth() != clientWidth) {
            window_->setFixedWidth(clientWidth);
        }
    }

    QWidget* window_;
};

}  // namespace

void CentreWindowTwips(QWidget* window, int width, int height) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize pixels = screen != nullptr ? screen->geometry().size() : QSize(800, 600);
    const int left = (TwipsX(pixels.width()) - width) / 2;
    const int top = (TwipsY(pixels.height()) - height) / 2;
    MoveWindowTwips(window, left, top);
}

int PixelsX(double twips) { return static_cast<int>(std::lround(twips / PixelTwipsX())); }
int PixelsY(double twips) { return static_cast<int>(std::lround(twips / PixelTwipsY())); }
int TwipsX(int pixels) { return pixels * PixelTwipsX(); }
int TwipsY(int pixels) { return pixels * PixelTwipsY(); }

void MoveWindowTwips(QWidget* window, double left, double top) { window->move(PixelsX(left), PixelsY(top)); }

int AvailableScreenWidthTwips(const QWidget* window) {
    const QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    return screen == nullptr ? 0 : TwipsX(screen->availableGeometry().width());
}

void ResizeWindowTwips(QWidget* window, double width, double height) {
    const int clientHeight = std::max(1, PixelsY(height) - platform().GetNonClientHeight(window));
    window->setFixedHeight(clientHeight);
    // The keeper has no meta-object of its own, so it is found by its name.
    auto* keeper = static_cast<OuterWidthKeeper*>(
        window->findChild<QObject*>(QLatin1String(OuterWidthKeeper::kName), Qt::FindDirectChildrenOnly));
    if (keeper == nullptr) {
        keeper = new OuterWidthKeeper(window);
    }
    keeper->Keep(PixelsX(width));
}

}  // namespace halden
