// The main window's controls, their arrangement and the four tool buttons.
#include "app/main_layout.h"
#include "app/tool_button.h"
#include "app/unit_list.h"
#include "shared/settings.h"

#include "app/frmConvert.h"
#include "app/frmMini.h"
#include "calc/frmCal.h"
#include "shared/platform.h"
#include "shared/ui_accessible.h"
#include "shared/ui_fonts.h"
#include "shared/ui_frame.h"
#include "shared/ui_input_line.h"
#include "shared/ui_resources.h"
#include "shared/ui_twips.h"
#include "storage/frmUser.h"

#include <QAction>
#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>

namespace halden {
namespace {

QFont Arial(double points) { return ArialFont(points); }

// The hollow arrow between the frames, its black outline drawn in the palette's text colour, so
// that it shows on a dark desktop as on a light one (on a light one it stays black).
QPixmap ArrowPicture(const QColor& outline) {
    QImage image = QImage(QStringLiteral(":/icons/imgHand.xpm")).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0 && qGray(row[x]) < 128) {
                row[x] = qRgba(outline.red(), outline.green(), outline.blue(), qAlpha(row[x]));
            }
        }
    }
    return QPixmap::fromImage(image);
}

// Design geometry of a tool button's caption label, in twips of its button.
struct CaptionDesign {
    double width;
    double height;
};
constexpr CaptionDesign kPasteCaption{435, 210};
constexpr CaptionDesign kShrinkCaption{585, 210};
constexpr CaptionDesign kCalCaption{810, 210};
constexpr CaptionDesign kCopyCaption{390, 210};

int Px(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

void frmConvert::createControls() {
    setFont(Arial(9));
    setWindowIcon(ApplicationIcon());
    client_ = new QWidget(this);
    setCentralWidget(client_);

    picPaste = new ToolButtonFace(QStringLiteral("Paste"), client_);
    picShrink = new ToolButtonFace(QStringLiteral("Reduce"), client_);
    picCal = new ToolButtonFace(QStringLiteral(" Calculator "), client_);
    picCopy = new ToolButtonFace(QStringLiteral("Copy"), client_);
    const std::array<std::pair<ToolButtonFace*, CaptionDesign>, 4> buttons{
        {{picPaste, kPasteCaption}, {picShrink, kShrinkCaption}, {picCal, kCalCaption}, {picCopy, kCopyCaption}}};
    for (const auto& [button, design] : buttons) {
        button->setFont(Arial(7.5));
        button->caption->setFont(Arial(8.25));
        button->setCursor(Qt::ArrowCursor);
        // Sized in arrangeControls once twips per pixel are known.
        button->setProperty("captionWidthTwips", design.width);
        button->setProperty("captionHeightTwips", design.height);
    }
    // Heard alone, the captions say too little: each button is named by what it does.
    picPaste->setAccessibleName(QStringLiteral("Paste"));
    picPaste->setAccessibleDescription(QStringLiteral("Pastes the clipboard's text as the value to convert"));
    picShrink->setAccessibleName(QStringLiteral("Reduce"));
    picShrink->setAccessibleDescription(QStringLiteral("Reduces the converter to its icon window"));
    picCal->setAccessibleName(QStringLiteral("Calculator"));
    picCal->setAccessibleDescription(QStringLiteral("Opens the calculator"));
    picCopy->setAccessibleName(QStringLiteral("Copy result"));
    picCopy->setAccessibleDescription(QStringLiteral("Copies the result to the clipboard"));

    fraConvFrom = new CaptionFrame(QStringLiteral("Convert..."), client_);
    fraConvFrom->setFont(Arial(8.25));
    txtInput = new InputLine(fraConvFrom);
    txtInput->setFont(Arial(10.5));
    lstConvFrom = new UnitList(fraConvFrom);
    txtInput->setAccessibleName(QStringLiteral("Value to convert"));
    lstConvFrom->setAccessibleName(QStringLiteral("Convert from unit"));

    fraConvInto = new CaptionFrame(QStringLiteral("Into..."), client_);
    fraConvInto->setFont(Arial(8.25));
    txtResult = new QLineEdit(fraConvInto);
    txtResult->setFont(Arial(10.5));
    txtResult->setReadOnly(true);
    lstConvInto = new UnitList(fraConvInto);
    txtResult->setAccessibleName(QStringLiteral("Result"));
    lstConvInto->setAccessibleName(QStringLiteral("Convert into unit"));
    // A new result is spoken where the user works: in the input box and the two unit lists.
    AnnounceChangesOf(txtResult, {txtInput, lstConvFrom, lstConvInto}, [this](const QString& result) {
        const QListWidgetItem* into = lstConvInto->currentItem();
        const QString unit = into != nullptr ? into->text() : QString();
        return QStringLiteral("Result: ") + result + (unit.isEmpty() ? QString() : QStringLiteral(", ") + unit);
    });

    const QFont listFont = MinchoFont(9.75);
    lstConvFrom->setFont(listFont);
    lstConvInto->setFont(listFont);
    // Enter in the From list converts, as it does in the input box.
    lstConvFrom->SetEnterTaken(true);

    imgHand = new QLabel(client_);
    imgHand->setPixmap(ArrowPicture(palette().color(QPalette::WindowText)));

    // An invisible click target between the frames: a transparent label with no text.
    lblHidden = new QLabel(client_);

    // The Convert button lies below the window's bottom edge: its click is reached through Enter.
    cmdConvert = new QPushButton(QStringLiteral("Convert"), client_);
    cmdConvert->setFont(Arial(8.25));
    // The button lies below the window's edge: Tab must not stop on a control nobody can see.
    cmdConvert->setFocusPolicy(Qt::NoFocus);
    // Told apart from the Convert menu for a screen reader, which can still reach the button.
    cmdConvert->setAccessibleName(QStringLiteral("Convert value"));
}

void frmConvert::arrangeControls() {
    const ProcessState& st = state();
    const QFontMetricsF windowMetrics(font());
    MainLayoutInput input;
    input.Tppx = std::max<int>(1, st.Tppx);
    input.Tppy = std::max<int>(1, st.Tppy);
    input.captionTextHeight = windowMetrics.height();
    input.pasteTextHeight = windowMetrics.height();
    // The menu bar is part of the frame around the area the controls sit in.
    input.nonClientHeight = platform().GetNonClientHeight(this) + menuBar()->sizeHint().height();
    const MainLayout layout = ArrangeMainWindow(input);
    const double tx = input.Tppx;
    const double ty = input.Tppy;

    for (QGroupBox* frame : {fraConvFrom, fraConvInto}) {
        const double left = frame == fraConvFrom ? layout.fraLeft : layout.fraIntoLeft;
        frame->setGeometry(Px(left), Px(layout.fraTop), Px(layout.fraWidth), Px(layout.fraHeight));
    }
    for (QLineEdit* box : {txtInput, txtResult}) {
        box->setGeometry(Px(layout.txtLeft / tx), Px(layout.txtTop / ty), Px(layout.txtWidth / tx),
                         Px(layout.txtHeight / ty));
    }
    for (UnitList* list : {lstConvFrom, lstConvInto}) {
        list->setGeometry(Px(layout.lstLeft / tx), Px(layout.lstTop / ty), Px(layout.lstWidth / tx),
                          Px(layout.lstHeight / ty));
    }
    imgHand->setGeometry(Px(layout.imgLeft), Px(layout.imgTop), Px(layout.imgSize), Px(layout.imgSize));
    lblHidden->setGeometry(Px(2640 / tx), Px(456 / ty), Px(372 / tx), Px(228 / ty));
    cmdConvert->setGeometry(Px(2400 / tx), Px(3480 / ty), Px(1005 / tx), Px(255 / ty));

    state().MainFormWidth = layout.MainFormWidth;
    nButtonWidth = layout.nButtonWidth;
    nCaptionTop = layout.nCaptionTop;

    const bool systemColours = settings().pbShowInSysCol;
    const QColor face = systemColours ? platform().SystemColourOf(SystemColour::ButtonFace) : QColor(0, 128, 128);
    const QColor text = systemColours ? platform().SystemColourOf(SystemColour::ButtonText) : QColor(Qt::white);
    const std::array<ToolButtonFace*, 4> buttons{picPaste, picShrink, picCal, picCopy};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        ToolButtonFace* button = buttons[i];
        button->setGeometry(Px(layout.buttonLeft[i]), Px(layout.buttonTop), nButtonWidth, layout.buttonHeight);
        button->caption->resize(Px(button->property("captionWidthTwips").toDouble() / tx),
                                Px(button->property("captionHeightTwips").toDouble() / ty));
        button->setColours(face, text);
    }
    for (ToolButtonFace* button : buttons) {
        button->DrawButtonUp(nButtonWidth, nCaptionTop);
    }

    ResizeWindowTwips(this, layout.windowWidth, layout.windowHeight);
}

void frmConvert::connectHandlers() {
    connect(cmdConvert, &QPushButton::clicked, this, &frmConvert::cmdConvert_Click);
    connect(txtInput, &QLineEdit::textChanged, this, [this] { txtInput_Change(); });
    connect(txtInput, &QLineEdit::returnPressed, this, &frmConvert::cmdConvert_Click);

    connect(lstConvFrom, &UnitList::unitChosen, this, &frmConvert::lstConvFrom_Click);
    connect(lstConvInto, &UnitList::unitChosen, this, &frmConvert::lstConvInto_Click);
    connect(lstConvFrom, &UnitList::enterPressed, this, &frmConvert::cmdConvert_Click);
    lstConvInto->SetEnterTaken(true);
    connect(lstConvInto, &UnitList::enterPressed, this, &frmConvert::lstConvInto_Enter);
    for (UnitList* list : {lstConvFrom, lstConvInto}) {
        connect(list, &UnitList::keyReleased, this, &frmConvert::lstConv_KeyUp);
    }

    const std::array<std::pair<ToolButtonFace*, void (frmConvert::*)()>, 4> buttons{
        {{picPaste, &frmConvert::lblPaste_Click},
         {picShrink, &frmConvert::lblShrink_Click},
         {picCal, &frmConvert::lblCal_Click},
         {picCopy, &frmConvert::lblCopy_Click}}};
    for (const auto& [button, handler] : buttons) {
        ToolButtonFace* face = button;
        connect(face, &ToolButtonFace::mouseDown, this,
                [this, face] { face->DrawButtonDown(nButtonWidth, nCaptionTop); });
        connect(face, &ToolButtonFace::mouseUp, this, [this, face](bool shiftHeld) {
            face->DrawButtonUp(nButtonWidth, nCaptionTop);
            if (face == picShrink) {
                ToggleSystemColours(shiftHeld);
            }
        });
        connect(face, &ToolButtonFace::clicked, this, handler);
    }
    connectToolButtonKeys();
    connectWindowKeys();
    connectMenus();
    lblHidden->installEventFilter(this);
}

void frmConvert::connectToolButtonKeys() {
    // The tool buttons take no keyboard focus (the Tab order stays as designed); each has a key of
    // its own instead. The help's main window page lists them.
    const std::array<std::pair<QKeyCombination, void (frmConvert::*)()>, 4> keys{
        {{Qt::CTRL | Qt::SHIFT | Qt::Key_V, &frmConvert::lblPaste_Click},
         {Qt::CTRL | Qt::SHIFT | Qt::Key_R, &frmConvert::lblShrink_Click},
         {Qt::CTRL | Qt::SHIFT | Qt::Key_L, &frmConvert::lblCal_Click},
         {Qt::CTRL | Qt::SHIFT | Qt::Key_C, &frmConvert::lblCopy_Click}}};
    for (const auto& [key, handler] : keys) {
        auto* action = new QAction(this);
        action->setShortcut(QKeySequence(key));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, handler);
    }
}

void frmConvert::ToggleSystemColours(bool shiftHeld) {
    // Takes effect at the next start, through the saved configuration.
    if (shiftHeld) {
        settings().pbShowInSysCol = !settings().pbShowInSysCol;
    }
}

void frmConvert::lblPaste_Click() { txtInput->setText(PastedText()); }

void frmConvert::lblShrink_Click() {
    Settings& set = settings();
    ProcessState& st = state();
    set.pnShapeFlag = 0;
    // The equivalence window closes; the constants window only hides, and the Add Units dialog
    // hides with its edits until the full shape returns.
    if (auto* user = qobject_cast<frmUser*>(userWindow.data())) {
        user->HideForReduce();
    }
    st.pbUserOpen = false;
    if (QWidget* equiv = equivWindow.data()) {
        equiv->close();
    }
    st.pbEquivOpen = false;
    if (QWidget* constants = constantsWindow.data()) {
        constants->hide();
    }
    st.pbConstantsOpen = false;
    const QPoint place = WindowPosTwips(this);
    StoreTwips(set.Form_Convert_Left, place.x(), PlaceOutOfRange::Clamp);
    StoreTwips(set.Form_Convert_Top, place.y(), PlaceOutOfRange::Clamp);
    ParkMainWindow();
    ShowMiniWindow();
}

void frmConvert::lblCal_Click() {
    frmCal* cal = calculatorWindow();
    cal->BringToFront();
    cal->TakeValue(txtResult->text());
}

void frmConvert::lblCopy_Click() {
    CopyToClipboard(txtResult->text());
    HistoryAdd();
}

}  // namespace halden
