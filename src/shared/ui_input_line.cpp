#include "shared/ui_input_line.h"

#include "shared/platform.h"
#include "shared/ui_text.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <optional>

namespace halden {
namespace {

constexpr Qt::KeyboardModifiers kCommandModifiers = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// The keypad's decimal key: a comma on some layouts (German), a point on others.
bool IsKeypadDecimal(const QKeyEvent* event) {
    return event->modifiers().testFlag(Qt::KeypadModifier) && (event->modifiers() & kCommandModifiers) == 0 &&
           (event->key() == Qt::Key_Comma || event->key() == Qt::Key_Period);
}

// Ctrl+Shift+Insert pastes the window system's selection rather than the clipboard, as in every
// X11 text box.
bool PastesSelection(const QKeyEvent* event) {
    return event->key() == Qt::Key_Insert && event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier);
}

// The key event as it would come with other text.
QKeyEvent WithText(const QKeyEvent* event, int key, const QString& text) {
    return QKeyEvent(event->type(), key, event->modifiers(), event->nativeScanCode(), event->nativeVirtualKey(),
                     event->nativeModifiers(), text, event->isAutoRepeat(), static_cast<quint16>(event->count()),
                     event->device());
}

}  // namespace

InputLine::InputLine(QWidget* parent) : QLineEdit(parent) {
    // The line edit keeps every edit for its undo, without end; the history starts afresh after
    // a while, once the edit that made it that long is done.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (++edits_ == kUndoEdits) {
            QMetaObject::invokeMethod(this, &InputLine::ForgetOldEdits, Qt::QueuedConnection);
        }
    });
}

void InputLine::ForgetOldEdits() {
    edits_ = 0;
    const int cursor = cursorPosition();
    const int first = selectionStart();
    const int selected = selectionLength();
    {
        // The same text again, which only clears the history: no change to tell anyone of.
        const QSignalBlocker quiet(this);
        setText(text());
    }
    if (first >= 0 && selected > 0) {
        // The cursor stays at the end of the selection it stood at.
        setSelection(cursor == first ? first + selected : first, cursor == first ? -selected : selected);
    } else {
        setCursorPosition(cursor);
    }
}

InputLine::~InputLine() = default;

void InputLine::PasteText(const QString& text) { insert(PastedInputText(text)); }

void InputLine::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste) && !isReadOnly()) {
        if (!PastesSelection(event)) {
            PasteText(platform().ClipboardText());
        } else if (const std::optional<QString> selection = platform().SelectionText()) {
            PasteText(*selection);
        }
        event->accept();
        return;
    }
    const bool keypadDecimal = IsKeypadDecimal(event);
    const QString text = keypadDecimal ? QStringLiteral(".") : AsciiInputText(event->text());
    if (text == event->text()) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    QKeyEvent typed = WithText(event, keypadDecimal ? Qt::Key_Period : event->key(), text);
    QLineEdit::keyPressEvent(&typed);
    event->setAccepted(typed.isAccepted());
}

void InputLine::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = AsciiInputText(event->commitString());
    if (commit == event->commitString()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // The same change with the committed text in ASCII forms: one character for one, so the
    // preedit's attributes and the replaced range still fit.
    QInputMethodEvent committed(event->preeditString(), event->attributes());
    committed.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QLineEdit::inputMethodEvent(&committed);
    event->setAccepted(committed.isAccepted());
}

void InputLine::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && !isReadOnly()) {
        // Where the window system keeps no selection a middle click pastes nothing, as before.
        if (const std::optional<QString> selection = platform().SelectionText()) {
            deselect();
            PasteText(*selection);
            event->accept();
            return;
        }
    }
    QLineEdit::mouseReleaseEvent(event);
}

void InputLine::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    const QString dropped = data != nullptr && data->hasText() ? data->text() : QString();
    const QString line = PastedInputText(dropped);
    if (line == dropped) {
        QLineEdit::dropEvent(event);
        return;
    }
    // The same drop carrying the line the box takes, so that the box places and selects it as
    // any dropped text.
    QMimeData cut;
    cut.setText(line);
    QDropEvent drop(event->position(), event->possibleActions(), &cut, event->buttons(), event->modifiers());
    drop.setDropAction(event->dropAction());
    QLineEdit::dropEvent(&drop);
    event->setDropAction(drop.dropAction());
    event->setAccepted(drop.isAccepted());
}

void InputLine::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    const QString pasteCaption = QLineEdit::tr("&Paste");
    for (QAction* action : menu->actions()) {
        if (action->text().section(QLatin1Char('\t'), 0, 0) != pasteCaption) {
            continue;
        }
        // The menu's Paste takes the clipboard as Ctrl+V does, instead of inserting it whole.
        action->disconnect(this);
        action->setEnabled(!isReadOnly() && !platform().ClipboardText().isEmpty());
        connect(action, &QAction::triggered, this, [this] { PasteText(platform().ClipboardText()); });
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

}  // namespace halden
