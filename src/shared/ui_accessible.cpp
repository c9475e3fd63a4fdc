#include "shared/ui_accessible.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QVariant>

namespace halden {
namespace {

// The dynamic properties that carry the role a window asked for and the whole text of a widget
// shown as static text.
constexpr const char* kRoleProperty = "haldenAccessibleRole";
constexpr const char* kStaticTextProperty = "haldenAccessibleStaticText";

// A window's accessible interface: the toolkit's own one for a widget, with the role it was given.
class RoledWindow final : public QAccessibleWidget {
public:
    RoledWindow(QWidget* window, QAccessible::Role role) : QAccessibleWidget(window, role) {}
};

// A moving text seen as one static text. It offers no text of its own to read piece by piece,
// so the changes of the shown text are no news to a screen reader.
class WholeStaticText final : public QAccessibleWidget {
public:
    explicit WholeStaticText(QWidget* widget) : QAccessibleWidget(widget, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return widget()->property(kStaticTextProperty).toString();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* OwnInterfaceFactory(const QString& /*className*/, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (widget->property(kStaticTextProperty).isValid()) {
        return new WholeStaticText(widget);
    }
    const QVariant role = widget->property(kRoleProperty);
    if (role.isValid() && widget->isWindow()) {
        return new RoledWindow(widget, static_cast<QAccessible::Role>(role.toInt()));
    }
    return nullptr;
}

void InstallFactoryOnce() {
    static const bool installed = [] {
        QAccessible::installFactory(OwnInterfaceFactory);
        return true;
    }();
    (void)installed;
}

}  // namespace

void SetAccessibleWindowRole(QWidget* window, QAccessible::Role role) {
    InstallFactoryOnce();
    window->setProperty(kRoleProperty, static_cast<int>(role));
}

void ExposeAsStaticText(QWidget* widget, const QString& wholeText) {
    InstallFactoryOnce();
    widget->setProperty(kStaticTextProperty, wholeText);
}

void AnnounceChangesOf(QLineEdit* resultBox) {
    QObject::connect(resultBox, &QLineEdit::textChanged, resultBox, [resultBox](const QString& text) {
        if (!QAccessible::isActive()) {
            return;
        }
        // The box's text is its value to a screen reader: a value change is what it speaks for a
        // read-only field that does not have the focus.
        QAccessibleValueChangeEvent valueChange(resultBox, text);
        QAccessible::updateAccessibility(&valueChange);
    });
}

}  // namespace halden
