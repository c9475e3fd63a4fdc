#include "storage/frmUser.h"

#include "numbers/message_sink.h"
#include "shared/process_state.h"
#include "storage/coefficient_text.h"
#include "storage/file_access.h"
#include "storage/user_file.h"
#include "storage/user_units_store.h"

#include "shared/platform.h"
#include "shared/ui_accessible.h"
#include "shared/ui_text.h"
#include "shared/ui_twips.h"
#include "shared/ui_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QPalette>
#include <QShowEvent>
#include <QStringList>

#include <optional>
#include <string>
#include <utility>

namespace halden {
namespace {

const QColor kOddRowColour(224, 224, 224);
const QColor kRejectedColour(255, 255, 0);

// A box on one of the dialog's own light colours gets dark text, whatever the desktop's palette
// says; on the system's window background it keeps the palette's text colour.
void PaintBox(QLineEdit* box, const QColor& background, bool ownColour) {
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, ownColour ? QColor(Qt::black) : QApplication::palette().color(QPalette::Text));
    box->setPalette(palette);
}

// Why a text the file cannot store is refused, saying what Save does with it.
QString TooLong(const char* what) {
    return QStringLiteral("too long to be stored in HUC_USER.DAT; Save leaves %1 out of the file")
        .arg(QLatin1String(what));
}

// Why a coefficient that is not a number is refused, saying what the row keeps instead.
QString NotANumber(const std::string& factorText, const std::string& offsetText) {
    const QString factor = ToQString(factorText).trimmed();
    const QString offset = ToQString(offsetText).trimmed();
    QString why =
        QStringLiteral("not a number; the factor stays ") + (factor.isEmpty() ? QStringLiteral("empty") : factor);
    if (!offset.isEmpty()) {
        why += QStringLiteral(" and the offset ") + offset;
    }
    return why;
}

Message Question(std::string text) {
    return Message{std::string(kMessageTitle), std::move(text), MessageIcon::Exclamation};
}

}  // namespace

// The message of a failed write, with the main window out of sight while it is shown.
class frmUser::WriteFailureSink final : public MessageSink {
public:
    explicit WriteFailureSink(frmUser* dialog) : dialog_(dialog) {}
    void Show(const Message& message) override {
        emit dialog_->writeFailureShowing();
        platform().ShowMessage(dialog_, message);
        emit dialog_->writeFailureShown();
    }

private:
    frmUser* dialog_;
};

frmUser::frmUser(UserUnitsStore& store, QWidget* parent, const Session& session)
    : QWidget(parent, Qt::Dialog), session_(session), store_(store) {
    MakeCompanionOf(this, parent);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral(" Add Units"));
    createControls();
    connectHandlers();
    InstallHelpKey(this, HelpCommand::Context, kHelpContextAddUnits);
    Form_Load();
    OfferRecoveredEdits();
}

frmUser::~frmUser() = default;

void frmUser::Form_Load() {
    arrangeControls();
    // Centred on the screen by its outer size (frame and title bar included), in whole twips.
    CentreWindowTwips(this, TwipsX(width() + platform().GetNonClientWidth(this)),
                      TwipsY(height() + platform().GetNonClientHeight(this)));

    CopyUserTexts(store_.Units(), working);
    ShowWorkingCopy();
}

void frmUser::ShowWorkingCopy() {
    // The rows are filled from a copy: showing them runs their change handlers, which write the
    // working copy.
    const UserUnits shown = working;
    nCurGroup = 0;
    cboUserGroups->clear();
    for (int u = 0; u < kUserGroups; ++u) {
        cboUserGroups->addItem(ToQString(shown.UserGroupName[u]));
    }
    SetComboText(ToQString(shown.UserGroupName[0]));
    ShowGroupRows(shown);
}

// The edits a session left unsaved when it ended are offered once: restored or not, the recovery
// files go.
void frmUser::OfferRecoveredEdits() {
    const std::optional<UserUnits> recovered = UserUnitsStore::RecoveredEdits();
    if (!recovered) {
        return;
    }
    const int answer =
        platform().AskQuestion(this, Question("Restore the unsaved changes to your units from the last session?"),
                               {QStringLiteral("&Yes"), QStringLiteral("&No")}, 1);
    if (answer == 0) {
        CopyUserTexts(*recovered, working);
        ShowWorkingCopy();
        edited_ = true;
    }
    UserUnitsStore::RemoveRecoveredEdits();
}

void frmUser::ShowGroupRows(const UserUnits& from) {
    for (int i = 0; i < kRows; ++i) {
        SetUnitText(i, ToQString(from.UserUnitName[nCurGroup][i]));
        SetCoefText(i, ToQString(CoefText(from.UserFactorText[nCurGroup][i], from.UserOffsetText[nCurGroup][i])));
    }
}

void frmUser::SetUnitText(int index, const QString& text) {
    QLineEdit* box = txtUserUnit[index];
    if (box->text() == text) {
        txtUserUnit_Change(index);
    } else {
        box->setText(text);
    }
}

void frmUser::SetCoefText(int index, const QString& text) {
    QLineEdit* box = txtUserCoef[index];
    if (box->text() == text) {
        txtUserCoef_Change(index);
    } else {
        box->setText(text);
    }
}

void frmUser::SetComboText(const QString& text) {
    cboUserGroups->setEditText(text);
    cboUserGroups_Change();
}

void frmUser::PaintRow(int index) {
    const bool oddRow = index % 2 == 1;
    const QColor rowColour = oddRow ? kOddRowColour : platform().SystemColourOf(SystemColour::WindowBackground);
    const std::string& name = working.UserUnitName[nCurGroup][index];
    const bool unitRejected = !StorableUserText(name);
    const bool coefRejected = !coefRefusal_[index].isEmpty();
    PaintBox(txtUserUnit[index], unitRejected ? kRejectedColour : rowColour, oddRow || unitRejected);
    PaintBox(txtUserCoef[index], coefRejected ? kRejectedColour : rowColour, oddRow || coefRejected);
    TellRefusal(txtUserUnit[index], QString(), unitRejected ? TooLong("this unit") : QString());
    // A factor heard alone says which unit it belongs to.
    TellRefusal(txtUserCoef[index], name.empty() ? QString() : QStringLiteral("Factor of ") + ToQString(name),
                coefRefusal_[index]);
}

void frmUser::TellRefusal(QLineEdit* box, const QString& about, const QString& why) {
    const bool news = SetEntryRefused(box, why);
    QStringList parts{about, why};
    parts.removeAll(QString());
    // Set only when it changes: every change of a description is news to a screen reader.
    if (const QString description = parts.join(QStringLiteral(", ")); description != box->accessibleDescription()) {
        box->setAccessibleDescription(description);
    }
    if (news) {
        // The group's text field is named by its combo box.
        const QString name = box == cboUserGroups->lineEdit() ? cboUserGroups->accessibleName() : box->accessibleName();
        Say(refusalNotice_, name + QStringLiteral(": ") + why);
    }
}

void frmUser::cboUserGroups_Click(int index) {
    nCurGroup = index >= 0 && index < kUserGroups ? index : 0;
    SetComboText(ToQString(working.UserGroupName[nCurGroup]));
    ShowGroupRows(working);
}

void frmUser::cboUserGroups_Change() {
    working.UserGroupName[nCurGroup] = ToStdString(cboUserGroups->currentText());
    // A name too long for the file turns yellow; a name it takes keeps the box's own colours.
    QLineEdit* box = cboUserGroups->lineEdit();
    const bool storable = StorableUserText(working.UserGroupName[nCurGroup]);
    if (storable) {
        box->setPalette(QPalette());
    } else {
        PaintBox(box, kRejectedColour, true);
    }
    TellRefusal(box, QString(), storable ? QString() : TooLong("the name"));
}

void frmUser::cboUserGroups_DropDown() {
    cboUserGroups->clear();
    for (int u = 0; u < kUserGroups; ++u) {
        cboUserGroups->addItem(ToQString(working.UserGroupName[u]));
    }
    cboUserGroups->setCurrentIndex(nCurGroup);
    SetComboText(ToQString(working.UserGroupName[nCurGroup]));
}

void frmUser::txtUserUnit_Change(int index) {
    working.UserUnitName[nCurGroup][index] = ToStdString(txtUserUnit[index]->text());
    PaintRow(index);
}

void frmUser::txtUserCoef_Change(int index) {
    PlatformMessageSink sink(this);
    std::string& factorText = working.UserFactorText[nCurGroup][index];
    std::string& offsetText = working.UserOffsetText[nCurGroup][index];
    const CoefChangeResult result = CoefChange(ToStdString(txtUserCoef[index]->text()), factorText, offsetText, sink);
    if (result.accepted) {
        factorText = result.factorText;
        offsetText = result.offsetText;
    }
    if (!result.accepted) {
        coefRefusal_[index] = NotANumber(factorText, offsetText);
    } else if (!StorableUserText(factorText) || !StorableUserText(offsetText)) {
        coefRefusal_[index] = TooLong("the factor");
    } else {
        coefRefusal_[index].clear();
    }
    // A refused text that is not just what the row keeps is one Save does not take.
    const QString typed = txtUserCoef[index]->text();
    const bool keptShown = typed == ToQString(CoefText(factorText, offsetText));
    refusedCoefs_[nCurGroup][index] = result.accepted || keptShown ? QString() : typed;
    PaintRow(index);
}

std::string frmUser::RefusedCoefTexts() const {
    std::string lines;
    for (int u = 0; u < kUserGroups; ++u) {
        for (int j = 0; j < kRows; ++j) {
            const QString& typed = refusedCoefs_[u][j];
            if (typed.isEmpty()) {
                continue;
            }
            const std::string kept = CoefText(working.UserFactorText[u][j], working.UserOffsetText[u][j]);
            lines += "\rGroup " + std::to_string(u + 1) + ", row " + std::to_string(j + 1) + ": '" +
                     ToStdString(typed) + "', " +
                     (kept.empty() ? std::string("saved without a factor") : "saved as '" + kept + "'");
        }
    }
    return lines.empty() ? lines : lines.substr(1);
}

void frmUser::cmdSave_Click() {
    if (!SaveUnits()) {
        return;
    }
    session_.state.pbUserOpen = false;
    close();
}

bool frmUser::SaveUnits() {
    // Another copy of the program, or the user by hand, may have saved units since this run read
    // the file; replacing them silently would lose them. Enter keeps them; replacing keeps them too,
    // as a copy beside the file.
    OldFile otherVersion = OldFile::Replace;
    if (store_.ChangedSinceRead()) {
        std::string text = "HUC_USER.DAT was changed by another program since it was read. Replace it?\r\r";
        if (const auto copy = UserFileKeptCopyName(OldFile::KeepReplaced)) {
            text += "Replace It keeps the other version as '" + *copy + "'. ";
        }
        text += "Keep the Other Version writes nothing: your changes stay in this window.";
        const int answer =
            platform().AskQuestion(this, Question(std::move(text)),
                                   {QStringLiteral("&Keep the Other Version"), QStringLiteral("&Replace It")}, 0);
        if (answer != 1) {
            return false;
        }
        otherVersion = OldFile::KeepReplaced;
    }
    const std::string unstorable = UserUnitsStore::UnstorableTexts(working);
    const std::string refused = RefusedCoefTexts();
    // A failed write shows its message and why; the new groups stay in use for the rest of the
    // run, and the edits stay unsaved: the dialog stays open with them, closing it asks again, and
    // the program's end keeps them for the next session. Texts too long for the file are left out
    // of it and stay in use.
    WriteFailureSink sink(this);
    if (!store_.SaveUserUnits(working, sink, otherVersion).written) {
        return false;
    }
    edited_ = false;
    // What was not saved as typed is named, a group and row a line.
    std::string notSaved;
    if (!refused.empty()) {
        notSaved =
            "These factors are not numbers and were not taken; their rows were saved with the factors "
            "they had before.\r" +
            refused;
    }
    if (!unstorable.empty()) {
        notSaved += std::string(notSaved.empty() ? "" : "\r\r") +
                    "These texts are too long to be stored in 'HUC_USER.DAT' and were not saved; everything else "
                    "was saved.\r" +
                    unstorable;
    }
    if (!notSaved.empty()) {
        platform().ShowMessage(this, Message{std::string(kMessageTitle), notSaved, MessageIcon::Exclamation});
    }
    refusedCoefs_ = {};
    return true;
}

void frmUser::cmdCancel_Click() {
    if (edited_ && !AskToSaveBeforeClosing()) {
        return;
    }
    session_.state.pbUserOpen = false;
    close();
}

bool frmUser::AskToSaveBeforeClosing() {
    const int answer =
        platform().AskQuestion(this, Question("Save changes to your units?"),
                               {QStringLiteral("&Save"), QStringLiteral("&Discard"), QStringLiteral("Cancel")}, 2);
    if (answer == 0 && !SaveUnits()) {
        return false;
    }
    if (answer != 0 && answer != 1) {
        return false;
    }
    // Discarded after a Save that could not write the file: the units the file holds come back.
    store_.DropUnsavedUnits();
    edited_ = false;
    session_.state.pbUserOpen = false;
    return true;
}

void frmUser::HideForReduce() {
    hiddenForReduce_ = isVisible();
    hide();
}

bool frmUser::KeepEditsForNextSession(MessageSink& sink) {
    if (!edited_) {
        return true;
    }
    edited_ = false;
    return store_.KeepEdits(working, sink);
}

void frmUser::cmdHelp_Click() { platform().ShowHelp(this, HelpCommand::Context, kHelpContextAddUnits); }

void frmUser::closeEvent(QCloseEvent* event) {
    // The main window is closing (the user, a signal or the end of the session): no question
    // holds the program up, and the edits wait for the next opening.
    if (session_.state.pbEnding) {
        PlatformMessageSink sink(isVisible() ? this : nullptr);
        KeepEditsForNextSession(sink);
        event->accept();
        return;
    }
    if (edited_ && !AskToSaveBeforeClosing()) {
        event->ignore();
        return;
    }
    // A close the window system delivers is the user's close box; a close from code (Save,
    // Cancel, or the main window unloading the dialog) leaves the open flag to its caller.
    Form_QueryUnload(event->spontaneous() ? 0 : 1);
    event->accept();
}

void frmUser::showEvent(QShowEvent* event) {
    hiddenForReduce_ = false;
    QWidget::showEvent(event);
}

void frmUser::Form_QueryUnload(int unloadMode) {
    if (unloadMode == 0) {
        session_.state.pbUserOpen = false;
    }
}

}  // namespace halden
