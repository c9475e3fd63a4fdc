#include "shared/ui_accessible.h"

#include <QAccessibleObject>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QVariant>
#include <QWindow>

namespace halden {
namespace {

// The dynamic properties that carry the role a window asked for, the whole text of a widget shown
// as static text, what a notice says, and whether the text of a checked entry box is refused.
constexpr const char* kRoleProperty = "haldenAccessibleRole";
constexpr const char* kStaticTextProperty = "haldenAccessibleStaticText";
constexpr const char* kNotificationProperty = "haldenAccessibleNotification";
constexpr const char* kRefusedProperty = "haldenAccessibleRefused";

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

// An entry box as the toolkit presents one (an editable text, its caret and selection, its text
// read piece by piece and edited), with the state "invalid" while the program refuses its text.
// The toolkit's own presentation of a line edit cannot be extended, so this one stands in for it.
class CheckedEntry final : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
public:
    explicit CheckedEntry(QLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {
        addControllingSignal(QStringLiteral("textChanged(const QString&)"));
        addControllingSignal(QStringLiteral("returnPressed()"));
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        if (type == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return Shown();
        }
        QString words = QAccessibleWidget::text(t);
        if (words.isEmpty() && t == QAccessible::Description) {
            words = box()->placeholderText();
        }
        return words;
    }

    void setText(QAccessible::Text t, const QString& text) override {
        if (t != QAccessible::Value) {
            QAccessibleWidget::setText(t, text);
        } else if (!box()->isReadOnly()) {
            box()->setText(text);
        }
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.readOnly = box()->isReadOnly();
        state.passwordEdit = box()->echoMode() != QLineEdit::Normal;
        state.selectableText = true;
        state.invalid = !box()->property(kRefusedProperty).toString().isEmpty();
        return state;
    }

    // Selection: a line edit has at most one.
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && box()->hasSelectedText()) {
            *startOffset = box()->selectionStart();
            *endOffset = *startOffset + static_cast<int>(box()->selectedText().size());
        }
    }
    int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override { setSelection(0, startOffset, endOffset); }
    void removeSelection(int selectionIndex) override {
        if (selectionIndex == 0) {
            box()->deselect();
        }
    }
    void setSelection(int selectionIndex, int startOffset, int endOffset) override {
        if (selectionIndex == 0) {
            box()->setSelection(startOffset, endOffset - startOffset);
        }
    }

    int cursorPosition() const override { return box()->cursorPosition(); }
    void setCursorPosition(int position) override { box()->setCursorPosition(position); }

    QString text(int startOffset, int endOffset) const override {
        return Shown().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return static_cast<int>(Shown().size()); }

    // A character's place on the screen, reckoned from the caret's, which the box reports scrolled
    // as it is drawn.
    QRect characterRect(int offset) const override {
        const QString shown = box()->displayText();
        if (offset < 0 || offset > shown.size()) {
            return {};
        }
        const QFontMetrics metrics(box()->font());
        const QRect caret = box()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
        const int x = caret.x() + metrics.horizontalAdvance(shown.left(offset)) -
                      metrics.horizontalAdvance(shown.left(box()->cursorPosition()));
        const int width = offset < shown.size() ? metrics.horizontalAdvance(shown.at(offset)) : 0;
        return {box()->mapToGlobal(QPoint(x, caret.y())), QSize(width, caret.height())};
    }
    int offsetAtPoint(const QPoint& point) const override {
        return box()->cursorPositionAt(box()->mapFromGlobal(point));
    }
    void scrollToSubstring(int startIndex, int /*endIndex*/) override { box()->setCursorPosition(startIndex); }
    QString attributes(int offset, int* startOffset, int* endOffset) const override {
        // The box has one look throughout: no attributes of its own.
        *startOffset = *endOffset = offset;
        return {};
    }

    void deleteText(int startOffset, int endOffset) override {
        box()->setText(box()->text().remove(startOffset, endOffset - startOffset));
    }
    void insertText(int offset, const QString& text) override {
        box()->setText(box()->text().insert(offset, text));
        box()->setCursorPosition(offset + static_cast<int>(text.size()));
    }
    void replaceText(int startOffset, int endOffset, const QString& text) override {
        box()->setText(box()->text().replace(startOffset, endOffset - startOffset, text));
    }

private:
    QLineEdit* box() const { return static_cast<QLineEdit*>(widget()); }
    // What the box lets be read: its text, or nothing of a hidden one.
    QString Shown() const { return box()->echoMode() == QLineEdit::Normal ? box()->text() : QString(); }
};

// The program as assistive tools see it: the toolkit's application, whose windows are its top-level
// windows but for popups (menus are reached through their menu bars), except that a popup given a
// role of its own (the unit finder, which the user types in) is one of them too.
class ProgramApplication final : public QAccessibleApplication {
public:
    int childCount() const override { return static_cast<int>(Windows().size()); }

    int indexOfChild(const QAccessibleInterface* child) const override {
        return child == nullptr ? -1 : static_cast<int>(Windows().indexOf(child->object()));
    }

    QAccessibleInterface* child(int index) const override {
        const QObjectList windows = Windows();
        return index >= 0 && index < windows.size() ? QAccessible::queryAccessibleInterface(windows.at(index))
                                                    : nullptr;
    }

private:
    static QObjectList Windows() {
        QObjectList windows;
        for (QWindow* window : QGuiApplication::topLevelWindows()) {
            QAccessibleInterface* root = window->type() == Qt::Desktop ? nullptr : window->accessibleRoot();
            QObject* object = root != nullptr ? root->object() : nullptr;
            if (object != nullptr && (window->type() != Qt::Popup || object->property(kRoleProperty).isValid())) {
                windows.append(object);
            }
        }
        return windows;
    }
};

QAccessibleInterface* ApplicationFactory(const QString& /*className*/, QObject* object) {
    return object != nullptr && object == QCoreApplication::instance() ? new ProgramApplication : nullptr;
}

// The application's interface is made the first time assistive tools ask for it, which may be before
// any window is made: its factory is there from the application's start.
void InstallApplicationFactory() { QAccessible::installFactory(ApplicationFactory); }
Q_COREAPP_STARTUP_FUNCTION(InstallApplicationFactory)

QAccessibleInterface* OwnInterfaceFactory(const QString& /*className*/, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (auto* box = qobject_cast<QLineEdit*>(widget); box != nullptr && box->property(kRefusedProperty).isValid()) {
        return new CheckedEntry(box);
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

void ExposeCheckedEntry(QLineEdit* box) {
    InstallFactoryOnce();
    box->setProperty(kRefusedProperty, QString());
}

bool SetEntryRefused(QLineEdit* box, const QString& why) {
    const QString before = box->property(kRefusedProperty).toString();
    if (before == why) {
        return false;
    }
    box->setProperty(kRefusedProperty, why);
    if (before.isEmpty() != why.isEmpty()) {
        QAccessible::State changed;
        changed.invalid = true;
        QAccessibleStateChangeEvent event(box, changed);
        QAccessible::updateAccessibility(&event);
    }
    return !why.isEmpty();
}

QString SpokenEntry(const QString& text) { return text.trimmed().isEmpty() ? QStringLiteral("(blank)") : text; }

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
