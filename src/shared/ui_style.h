// The program's look on top of the desktop's style: a checkable menu item shows a mark only when
// it is checked, and nothing (no empty box) beside it otherwise, as the program's menus have
// always looked.
#pragma once

#include <QProxyStyle>

namespace halden {

class CheckMarkStyle final : public QProxyStyle {
    Q_OBJECT

public:
    /// Wraps the style of that name (the desktop's current one when empty).
    explicit CheckMarkStyle(const QString& baseStyle = QString());

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
};

/// Puts CheckMarkStyle over the application's current style.
void InstallProgramStyle();

}  // namespace halden
