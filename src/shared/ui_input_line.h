// The one-line box the user types and pastes into: the converter's input box, the calculator's
// expression and the unit finder's search line. However text arrives, the box takes it alike:
// pasted or dropped text (Ctrl+V, Shift+Insert, the context menu, a middle click, a drop) keeps its
// first line only, full-width forms, no-break spaces and the minus sign become their ASCII forms
// as they are typed, committed by an input method or pasted, and the keypad's decimal key types
// "." whatever the keyboard layout puts on it. Its undo history keeps the last edits only, so that
// a long session of typing does not grow the program's memory.
#pragma once

#include <QLineEdit>

namespace halden {

class InputLine : public QLineEdit {
    Q_OBJECT

public:
    explicit InputLine(QWidget* parent = nullptr);
    ~InputLine() override;
    Q_DISABLE_COPY_MOVE(InputLine)

    /// Inserts pasted text at the cursor, over the selection, as the box takes a paste: its first
    /// line, in ASCII forms. The rest of the box's text stays.
    void PasteText(const QString& text);

    /// How many edits the box's undo history holds at most before it starts afresh.
    static constexpr int kUndoEdits = 1000;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void ForgetOldEdits();

    int edits_ = 0;
};

}  // namespace halden
