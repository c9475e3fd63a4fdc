// A list of the current group's units, From or Into. It owns the rules by which the user chooses
// an entry, by mouse, by key or by giving the list the focus, and reports every choice through one
// unitChosen signal.
#pragma once

#include <QListWidget>
#include <QStringList>

namespace halden {

class UnitList final : public QListWidget {
    Q_OBJECT

public:
    explicit UnitList(QWidget* parent);
    Q_DISABLE_COPY_MOVE(UnitList)

    /// Replaces the entries with names. Nothing is chosen, and the list starts at its top.
    void Fill(const QStringList& names);
    /// Chooses the entry at row: makes it current, or chooses the current entry again.
    void Choose(int row);
    /// Enter in the list gives enterPressed instead of the list's own handling of the key.
    void SetEnterTaken(bool taken) { enterTaken_ = taken; }
    /// Whether the choice being reported now was made with a key (not by mouse or the program).
    [[nodiscard]] bool ChoosingByKey() const { return byKey_; }

signals:
    /// The user chose an entry: the current entry changed by mouse or key, or the current entry
    /// was clicked again (on Warp, that pops the Warp menu up once more).
    void unitChosen();
    /// Enter was pressed in a list that takes it.
    void enterPressed();
    /// A key was let go in the list (auto-repeat aside).
    void keyReleased();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void RowChanged(int row);
    /// Gives the entries of rows first to last the names a screen reader reads for them.
    void NameBlankEntries(int first, int last);
    void ItemClicked();
    /// Whether a mouse press is one the list acts on: the left button, on an entry.
    bool ChoosingPress(const QMouseEvent* event) const;
    /// Runs change with the current-entry signals not counting as the user's choice.
    template <typename Change>
    void Quietly(Change change);

    bool quiet_ = false;
    bool enterTaken_ = false;
    bool byKey_ = false;
    bool rowChangedSincePress_ = false;
};

}  // namespace halden
