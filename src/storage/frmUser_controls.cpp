// The Add Units dialog's controls: their making, their places in twips and their handlers.
#include "shared/ui_accessible.h"
#include "shared/ui_frame.h"
#include "shared/ui_twips.h"
#include "shared/ui_window.h"
#include "storage/frmUser.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QPushButton>

#include <functional>
#include <limits>

namespace halden {
namespace {

// The boxes take texts of any length; the user units file's 16-bit text lengths are the only
// bound: a text that outgrows them turns its box yellow, and Save leaves it out of the file.
constexpr int kNoTextLimit = std::numeric_limits<int>::max();

// Layout in twips.
constexpr int kGap = 120;
constexpr int kFrameBottom = 105;
constexpr int kRowGap = 30;
constexpr int kUnitsFrameWidth = 3480;
constexpr int kCoefsFrameWidth = 2400;
constexpr int kButtonWidth = 1215;
constexpr int kButtonHeight = 375;

// The group list whose drop-down first refreshes the names: the list always shows the names as
// edited so far, not as they were when the dialog opened.
class UserGroupsCombo final : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> onDropDown;

    void showPopup() override {
        if (onDropDown) {
            onDropDown();
        }
        QComboBox::showPopup();
    }
};

}  // namespace

void frmUser::createControls() {
    SetAccessibleWindowRole(this, QAccessible::Dialog);
    fraUserGroups = new CaptionFrame(QStringLiteral("Category of Units"), this);
    fraUserUnits = new CaptionFrame(QStringLiteral("Units of Measurement"), this);
    fraUserCoefs = new CaptionFrame(QStringLiteral("Conversion Factors"), this);

    auto* combo = new UserGroupsCombo(fraUserGroups);
    combo->onDropDown = [this] { cboUserGroups_DropDown(); };
    cboUserGroups = combo;
    cboUserGroups->setEditable(true);
    ExposeCheckedEntry(cboUserGroups->lineEdit());
    // The text field is the current group's name: nothing may complete it, add it to the list or
    // jump to another group because the typed name matches one.
    cboUserGroups->setCompleter(nullptr);
    cboUserGroups->setInsertPolicy(QComboBox::NoInsert);
    cboUserGroups->setDuplicatesEnabled(true);
    cboUserGroups->lineEdit()->setMaxLength(kNoTextLimit);
    // Leaving the text field (Enter, Tab, a click elsewhere) would make the combo pick the first
    // listed group of the typed name, and the rows would switch to that group while the user was
    // only renaming the one shown. Groups change only by picking from the list.
    QObject::disconnect(cboUserGroups->lineEdit(), &QLineEdit::editingFinished, cboUserGroups, nullptr);

    for (int i = 0; i < kRows; ++i) {
        txtUserUnit[i] = new QLineEdit(fraUserUnits);
        txtUserCoef[i] = new QLineEdit(fraUserCoefs);
        ExposeCheckedEntry(txtUserUnit[i]);
        ExposeCheckedEntry(txtUserCoef[i]);
        txtUserUnit[i]->setMaxLength(kNoTextLimit);
        txtUserCoef[i]->setMaxLength(kNoTextLimit);
        const QString row = QString::number(i + 1);
        txtUserUnit[i]->setAccessibleName(QStringLiteral("Unit name, row ") + row);
        txtUserCoef[i]->setAccessibleName(QStringLiteral("Factor, row ") + row);
    }
    // The combo box's name is its text field's too: a name of the field's own would be heard twice.
    cboUserGroups->setAccessibleName(QStringLiteral("Category of units"));
    // A refused text is said as it happens, wherever the focus is.
    refusalNotice_ = MakeSpokenNotice(this, QStringLiteral("refusalNotice"));

    cmdSave = new QPushButton(QStringLiteral("&Save"), this);
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdHelp = new QPushButton(QStringLiteral("&Help"), this);

    // Row by row, name then coefficient, then the buttons.
    QWidget* previous = cboUserGroups;
    for (int i = 0; i < kRows; ++i) {
        setTabOrder(previous, txtUserUnit[i]);
        setTabOrder(txtUserUnit[i], txtUserCoef[i]);
        previous = txtUserCoef[i];
    }
    setTabOrder(previous, cmdSave);
    setTabOrder(cmdSave, cmdCancel);
    setTabOrder(cmdCancel, cmdHelp);

    for (int i = 0; i < kRows; ++i) {
        PaintRow(i);
    }
}

void frmUser::arrangeControls() {
    // The controls sit below the frame captions: half a caption's height plus a gap.
    const double captionTop = TwipsY(QFontMetrics(fraUserGroups->font()).height()) / 2.0 + kGap;
    const int comboHeight = TwipsY(cboUserGroups->sizeHint().height());
    const int rowHeight = TwipsY(txtUserUnit[0]->sizeHint().height());
    const int rowPitch = rowHeight + kRowGap;

    const int unitsLeft = kGap;
    const int coefsLeft = unitsLeft + kUnitsFrameWidth + kGap;
    const int clientWidth = coefsLeft + kCoefsFrameWidth + kGap;

    const double groupsHeight = captionTop + comboHeight + kFrameBottom;
    fraUserGroups->setGeometry(PixelsX(kGap), PixelsY(kGap), PixelsX(clientWidth - 2 * kGap), PixelsY(groupsHeight));
    cboUserGroups->setGeometry(PixelsX(kGap), PixelsY(captionTop), PixelsX(clientWidth - 4 * kGap),
                               PixelsY(comboHeight));

    const double rowsTop = kGap + groupsHeight + kGap;
    const double rowsHeight = captionTop + (kRows - 1) * rowPitch + rowHeight + kFrameBottom;
    fraUserUnits->setGeometry(PixelsX(unitsLeft), PixelsY(rowsTop), PixelsX(kUnitsFrameWidth), PixelsY(rowsHeight));
    fraUserCoefs->setGeometry(PixelsX(coefsLeft), PixelsY(rowsTop), PixelsX(kCoefsFrameWidth), PixelsY(rowsHeight));
    for (int i = 0; i < kRows; ++i) {
        const double top = captionTop + i * rowPitch;
        txtUserUnit[i]->setGeometry(PixelsX(kGap), PixelsY(top), PixelsX(kUnitsFrameWidth - 2 * kGap),
                                    PixelsY(rowHeight));
        txtUserCoef[i]->setGeometry(PixelsX(kGap), PixelsY(top), PixelsX(kCoefsFrameWidth - 2 * kGap),
                                    PixelsY(rowHeight));
    }

    const double buttonsTop = rowsTop + rowsHeight + kGap;
    QPushButton* buttons[] = {cmdSave, cmdCancel, cmdHelp};
    double left = clientWidth - 3 * (kButtonWidth + kGap);
    for (QPushButton* button : buttons) {
        button->setGeometry(PixelsX(left), PixelsY(buttonsTop), PixelsX(kButtonWidth), PixelsY(kButtonHeight));
        left += kButtonWidth + kGap;
    }
    setFixedSize(PixelsX(clientWidth), PixelsY(buttonsTop + kButtonHeight + kGap));
}

void frmUser::connectHandlers() {
    connect(cboUserGroups, &QComboBox::activated, this, &frmUser::cboUserGroups_Click);
    // Only typing renames the group: picking from the list also changes the text field, and that
    // change must not rename the group shown before.
    connect(cboUserGroups->lineEdit(), &QLineEdit::textEdited, this, [this] {
        edited_ = true;
        cboUserGroups_Change();
    });
    // Only the user's edits (typing, pasting, undoing) count as unsaved changes; texts the dialog
    // puts into the rows itself do not.
    const auto markEdited = [this] { edited_ = true; };
    for (int i = 0; i < kRows; ++i) {
        connect(txtUserUnit[i], &QLineEdit::textChanged, this, [this, i] { txtUserUnit_Change(i); });
        connect(txtUserCoef[i], &QLineEdit::textChanged, this, [this, i] { txtUserCoef_Change(i); });
        connect(txtUserUnit[i], &QLineEdit::textEdited, this, markEdited);
        connect(txtUserCoef[i], &QLineEdit::textEdited, this, markEdited);
    }
    connect(cmdSave, &QPushButton::clicked, this, &frmUser::cmdSave_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmUser::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmUser::cmdHelp_Click);
    // Escape is Cancel, with its question about unsaved changes.
    InstallEscapeKey(this, [this] { cmdCancel_Click(); });
}

}  // namespace halden
