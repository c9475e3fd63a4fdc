// The unit finder: a small popup below the main window's input box in which the user types part
// of a unit's name and picks the unit from a list of matches, whatever group holds it. A text that
// begins with a value is a question ("3 ft in cm") instead: the finder answers it as it is typed.
#pragma once

#include "catalogue/question.h"
#include "catalogue/unit_names.h"
#include "shared/process_state.h"

#include <QFrame>

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;

namespace halden {

class UnitFinder : public QFrame {
    Q_OBJECT

public:
    /// The most matches the list shows.
    static constexpr std::size_t kShownMatches = 50;

    explicit UnitFinder(QWidget* parent, const Session& session = ProcessSession());
    ~UnitFinder() override;
    Q_DISABLE_COPY_MOVE(UnitFinder)

    /// Shows the finder just below anchor, as wide as width, over the units the catalogue holds
    /// now, its search line empty or holding text (a question asked from outside the window).
    void Open(const QWidget* anchor, int width, const QString& text = QString());

    QLineEdit* txtFind = nullptr;
    QListWidget* lstFound = nullptr;
    QLabel* lblKeys = nullptr;
    /// Says that nothing was found (and that near names follow), or why a choice was not taken.
    QLabel* lblHint = nullptr;
    /// A question's answer as understood, or why it has none; hidden while a name is searched.
    QLabel* lblAnswer = nullptr;

signals:
    /// The user chose the unit of group g at list index unit: as the From unit, or as the Into
    /// unit (asInto).
    void unitChosen(int group, int unit, bool asInto);
    /// The user copied the answer to a question: text goes to the clipboard, entry to the history.
    void answerCopied(const QString& text, const QString& entry);
    /// The user asked to see the answer in the lists: its group, the From and Into list indices, and
    /// the value for the input box.
    void answerOpened(int group, int from, int into, const QString& value);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Session session_;
    void txtFind_Change();
    void Choose(int row, bool asInto);
    void MoveCurrent(int step);
    void ShowHint(const QString& hint);
    /// Shows the question's answer line (or hides it when the text is no question) and the keys
    /// that go with it.
    void ShowAnswer();
    /// Enter (copy) or Ctrl+Enter (open in the lists) on a question.
    void TakeAnswer(bool inLists);
    /// Shows and says why a key did nothing.
    void Refuse(const QString& why);
    /// Says words at once (nothing when they are empty) and makes them the search line's
    /// description, read with its name.
    void Tell(const QString& words);

    std::unique_ptr<UnitNameIndex> index_;
    std::vector<FoundUnit> found_;
    QuestionAnswer question_;
    QWidget* answerNotice_ = nullptr;
};

}  // namespace halden
