#include "shared/ui_window.h"

#include <QShortcut>
#include <QWidget>

#include <utility>

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

void InstallEscapeKey(QWidget* window, std::function<void()> close) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    key->setContext(Qt::WindowShortcut);
    QObject::connect(key, &QShortcut::activated, window, std::move(close));
}

}  // namespace halden
