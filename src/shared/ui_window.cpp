#include "shared/ui_window.h"

#include <QWidget>

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

}  // namespace halden
