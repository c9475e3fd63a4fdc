// The main window's unit finder: Edit > Find Unit... (Ctrl+F) and what choosing a unit or taking
// a question's answer does; a question asked from outside the window.
#include "app/unit_finder.h"
#include "app/unit_list.h"
#include "catalogue/menu_texts.h"
#include "catalogue/question.h"
#include "catalogue/unit_names.h"
#include "shared/process_state.h"

#include "app/frmConvert.h"
#include "shared/platform.h"
#include "shared/ui_text.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>

namespace halden {

void frmConvert::mnuEditFind_Click() { OpenFinder(QString()); }

void frmConvert::OpenFinder(const QString& text) {
    // The reduced shape offers no finder: the main window is out of sight then.
    if (session_.settings.pnShapeFlag == 0) {
        return;
    }
    if (finder_.isNull()) {
        finder_ = new UnitFinder(this, session_);
        connect(finder_, &UnitFinder::unitChosen, this, &frmConvert::FoundUnit_Chosen);
        connect(finder_, &UnitFinder::answerCopied, this, &frmConvert::FoundAnswer_Copied);
        connect(finder_, &UnitFinder::answerOpened, this, &frmConvert::FoundAnswer_Opened);
    }
    finder_->Open(panel_->Input(), width(), text);
}

void frmConvert::ShowQuestion(const QString& question, bool inFinder) {
    // From the reduced shape the full window comes back as on choosing the group shown from the icon.
    BringToFront();
    if (session_.state.pbEnding || session_.settings.pnShapeFlag == 0 || QApplication::activeModalWidget() != nullptr) {
        return;
    }
    if (!inFinder) {
        const UnitNameIndex index(session_.catalogue);
        const QuestionAnswer answer = Answer(ToStdString(question), session_.catalogue, index,
                                             {session_.settings.pnFigure, session_.settings.pnFormFlag});
        // The lists convert between two different units of one list; the finder shows any other
        // answer as understood, or why there is none.
        if (answer.verdict == QuestionVerdict::Answered && answer.listUnits && answer.from != answer.into) {
            // A finder still open from an earlier question would hide the lists.
            if (!finder_.isNull()) {
                finder_->close();
            }
            FoundAnswer_Opened(answer.group, answer.from, answer.into, ToQString(answer.valueText));
            return;
        }
    }
    OpenFinder(question);
}

bool frmConvert::ShowFoundGroup(int group) {
    if (session_.settings.pnShapeFlag == 0 || group < 0 || group >= kGroupCount) {
        return false;
    }
    if (group != session_.settings.pnSelUnitGrp) {
        // The same switch as the group's menu item: caption, lists and check mark.
        const GroupMenuItem item = GroupMenuItemOf(group);
        SwitchGroup(item.kind, item.index);
    }
    return true;
}

void frmConvert::ReturnFromFinder() {
    // The popup has just closed: the main window takes the keyboard back, in its input box.
    activateWindow();
    if (panel_->Input()->isEnabled()) {
        panel_->Input()->setFocus();
    }
}

void frmConvert::FoundUnit_Chosen(int group, int unit, bool asInto) {
    if (!ShowFoundGroup(group)) {
        return;
    }
    UnitList* list = asInto ? panel_->IntoList() : panel_->FromList();
    if (unit < 0 || unit >= list->count()) {
        return;
    }
    // Choosing the entry is the list's click, which converts when it can.
    list->Choose(unit);
    ReturnFromFinder();
}

// An answer copied is recorded as the Copy button records a result: on the clipboard (and heard),
// and first in the history.
void frmConvert::FoundAnswer_Copied(const QString& text, const QString& entry) {
    CopyToClipboard(text);
    history_.Add(entry);
}

// The answered question shown in the lists: its group, both units chosen as clicks choose them,
// and its value typed, which converts.
void frmConvert::FoundAnswer_Opened(int group, int from, int into, const QString& value) {
    if (!ShowFoundGroup(group) || from < 0 || from >= panel_->FromList()->count() || into < 0 ||
        into >= panel_->IntoList()->count()) {
        return;
    }
    panel_->FromList()->Choose(from);
    panel_->IntoList()->Choose(into);
    // The same value typed again changes nothing: choosing the units has converted it already.
    panel_->Input()->setText(value);
    ReturnFromFinder();
}

}  // namespace halden
