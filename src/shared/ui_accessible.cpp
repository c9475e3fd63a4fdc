#include "shared/ui_accessible.h"

#include <QAccessibleWidget>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>

namespace halden {
namespace {

// The dynamic properties that carry the role a window asked for, the whole text of a widget shown
// as static text, and what a notice says.
constexpr const char* kRoleProperty = "haldenAccessibleRole";
constexpr const char* kStaticTextProperty = "haldenAccessibleStaticText";
constexpr const char* kNotificationProperty = "haldenAccessibleNotification";

// A window's accessible interface: the toolkit's own one for a widget, with the role it was given.
class RoledWindow final : public QAccessibleWidget {
public:
    RoledWindow(QWidget* window, QAccessible::Role role) : QAccessibleWidget(window, role) {}
};

// A widget whose name is the text one of its properties holds, in a role of its own: a moving
// text seen as one static text (it offers no text to read piece by piece, so the changes of the
// shown text are no news to a screen reader), or a notification (what it says is its name; a
// screen reader speaks it when it appears, wherever the focus is).
class NamedByProperty final : public QAccessibleWidget {
public:
    NamedByProperty(QWidget* widget, QAccessible::Role role, const char* property)
        : QAccessibleWidget(widget, role), property_(property) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) {
            return widget()->property(property_).toString();
        }
        return QAccessibleWidget::text(t);
    }

private:
    const char* property_;
};

QAccessibleInterface* OwnInterfaceFactory(const QString& /*className*/, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (widget->property(kStaticTextProperty).isValid()) {
        return new NamedByProperty(widget, QAccessible::StaticText, kStaticTextProperty);
    }
    if (widget->property(kNotificationProperty).isValid()) {
        return new NamedByProperty(widget, QAccessible::Notification, kNotificationProperty);
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

QWidget* MakeSpokenNotice(QWidget* owner, const QString& objectName) {
    InstallFactoryOnce();
    // An invisible widget (one pixel, under its siblings, deaf to the mouse) that assistive tools
    // see as a notification while it is shown.
    auto* notice = new QWidget(owner);
    notice->setObjectName(objectName);
    notice->setAttribute(Qt::WA_TransparentForMouseEvents);
    notice->setFocusPolicy(Qt::NoFocus);
    notice->setGeometry(0, 0, 1, 1);
    notice->setProperty(kNotificationProperty, QString());
    notice->hide();
    return notice;
}

void Say(QWidget* notice, const QString& words) {
    notice->hide();
    notice->setProperty(kNotificationProperty, words);
    if (!words.isEmpty()) {
        notice->lower();
        notice->show();
    }
}

void AnnounceChangesOf(QLineEdit* resultBox, std::initializer_list<QWidget*> workplaces,
                       std::function<QString(const QString&)> spoken) {
    // Screen readers pass over a value or text change of a box that does not have the focus; a
    // notice beside the result box says each new result. The description of the focused control
    // carries the result too, so it is read with the control's name whenever the focus comes back.
    QWidget* notice = MakeSpokenNotice(resultBox->parentWidget(), QStringLiteral("resultNotice"));
    QList<QPointer<QWidget>> places;
    for (QWidget* place : workplaces) {
        places.append(place);
    }
    QObject::connect(resultBox, &QLineEdit::textChanged, notice,
                     [notice, places, spoken = std::move(spoken)](const QString& text) {
                         const QString words = text.isEmpty() ? QString() : spoken(text);
                         for (const QPointer<QWidget>& place : places) {
                             if (!place.isNull()) {
                                 place->setAccessibleDescription(words);
                             }
                         }
                         Say(notice, words);
                     });
}

}  // namespace halden
