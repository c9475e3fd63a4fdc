// The main window's controls: made, named for screen readers, arranged by the layout rule, and
// connected to their handlers.
#include "app/main_layout.h"
#include "app/tool_button.h"
#include "app/unit_list.h"
#include "shared/process_state.h"

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
#include <QTimer>

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

int Px(double value) { return static_cast<int>(std::lround(value)); }

}  // namespace

void frmConvert::createControls() {
    setFont(Arial(9));
    // The icon set is decoded for the window system once the window is up: nothing shows it
    // sooner, and decoding every size would delay the window's first appearance.
    QTimer::singleShot(0, this, [this] { setWindowIcon(ApplicationIcon()); });
    client_ = new QWidget(this);
    setCentralWidget(client_);

    // Each caption's design size; the buttons lay themselves out once twips per pixel are known.
    picPaste = new ToolButton(QStringLiteral("Paste"), {435, 210}, client_);
    picShrink = new ToolButton(QStringLiteral("Reduce"), {585, 210}, client_);
    picCal = new ToolButton(QStringLiteral(" Calculator "), {810, 210}, client_);
    picCopy = new ToolButton(QStringLiteral("Copy"), {390, 210}, client_);
    for (ToolButton* button : {picPaste, picShrink, picCal, picCopy}) {
        button->setFont(Arial(7.5));
        button->caption->setFont(Arial(8.25));
        button->setCursor(Qt::ArrowCursor);
    }
    // Heard alone, the captions say too little: each button is named by what it does.
    // Their descriptions are their tooltips, which name their keys too (connectHandlers).
    picPaste->setAccessibleName(QStringLiteral("Paste"));
    picShrink->setAccessibleName(QStringLiteral("Reduce"));
    picCal->setAccessibleName(QStringLiteral("Calculator"));
    picCopy->setAccessibleName(QStringLiteral("Copy result"));

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

    const std::pair<QWidget*, const char*> named[] = {
        {fraConvFrom, "fraConvFrom"}, {txtInput, "txtInput"},   {lstConvFrom, "lstConvFrom"},
        {fraConvInto, "fraConvInto"}, {txtResult, "txtResult"}, {lstConvInto, "lstConvInto"},
        {imgHand, "imgHand"},         {lblHidden, "lblHidden"}, {cmdConvert, "cmdConvert"},
        {picPaste, "picPaste"},       {picShrink, "picShrink"}, {picCal, "picCal"},
        {picCopy, "picCopy"}};
    for (const auto& [control, name] : named) {
        control->setObjectName(QLatin1String(name));
    }
}

void frmConvert::arrangeControls() {
    const QFontMetricsF windowMetrics(font());
    MainLayoutInput input;
    input.Tppx = PixelTwipsX();
    input.Tppy = PixelTwipsY();
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

    mainFormWidth_ = layout.MainFormWidth;
    if (frmCal* cal = cal_.data()) {
        cal->SetLeastWidthTwips(mainFormWidth_);
    }
    nButtonWidth = layout.nButtonWidth;

    const bool systemColours = settings().pbShowInSysCol;
    const QColor face = systemColours ? platform().SystemColourOf(SystemColour::ButtonFace) : QColor(0, 128, 128);
    const QColor text = systemColours ? platform().SystemColourOf(SystemColour::ButtonText) : QColor(Qt::white);
    const std::array<ToolButton*, 4> buttons{picPaste, picShrink, picCal, picCopy};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        buttons[i]->setColours(face, text);
        buttons[i]->Arrange(
            QRect(Px(layout.buttonLeft[i]), Px(layout.buttonTop), layout.nButtonWidth, layout.buttonHeight),
            layout.nCaptionTop, tx, ty);
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

    connectToolButtons();
    connectWindowKeys();
    connectMenus();
    connectAllUnits();
    lblHidden->installEventFilter(this);
}

}  // namespace halden
