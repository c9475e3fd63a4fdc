#include "shared/ui_style.h"

#include <QApplication>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>

namespace halden {

CheckMarkStyle::CheckMarkStyle(const QString& baseStyle)
    : QProxyStyle(QStyleFactory::create(baseStyle.isEmpty() ? QApplication::style()->name() : baseStyle)) {}

void CheckMarkStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && item != nullptr && item->checkType != QStyleOptionMenuItem::NotCheckable &&
        !item->checked) {
        // Drawn as a plain item; the menu still keeps the room of the mark, so the texts line up.
        QStyleOptionMenuItem plain(*item);
        plain.checkType = QStyleOptionMenuItem::NotCheckable;
        QProxyStyle::drawControl(element, &plain, painter, widget);
        return;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void InstallProgramStyle() {
    if (qobject_cast<CheckMarkStyle*>(QApplication::style()) == nullptr) {
        QApplication::setStyle(new CheckMarkStyle());
    }
}

}  // namespace halden
