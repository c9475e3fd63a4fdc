#include "app/accessible_button.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QWidget>

namespace halden {
namespace {

// The press action of each widget made a button, until the widget goes.
QHash<const QObject*, std::function<void()>>& pressActions() {
    static QHash<const QObject*, std::function<void()>> actions;
    return actions;
}

class AccessibleButton final : public QAccessibleWidget {
public:
    explicit AccessibleButton(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {}

    [[nodiscard]] QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& actionName) override {
        if (actionName != pressAction()) {
            QAccessibleWidget::doAction(actionName);
            return;
        }
        const auto found = pressActions().constFind(object());
        if (found != pressActions().constEnd()) {
            // A copy: the action may close the widget and with it its entry.
            const std::function<void()> press = found.value();
            press();
        }
    }
};

QAccessibleInterface* AccessibleButtonFactory(const QString& /*className*/, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !pressActions().contains(object)) {
        return nullptr;
    }
    return new AccessibleButton(widget);
}

}  // namespace

void MakeAccessibleButton(QWidget* widget, const std::function<void()>& press) {
    static const bool installed = [] {
        QAccessible::installFactory(AccessibleButtonFactory);
        return true;
    }();
    (void)installed;
    pressActions().insert(widget, press);
    QObject::connect(widget, &QObject::destroyed, [](QObject* gone) { pressActions().remove(gone); });
}

}  // namespace halden
