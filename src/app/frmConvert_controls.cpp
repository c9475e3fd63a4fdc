// The main window's controls: made, named for screen readers, arranged by the layout rule, and
// connected to their handlers.
#include "app/main_layout.h"
#include "app/tool_button.h"
#include "shared/process_state.h"

#include "app/frmConvert.h"
#include "calc/frmCal.h"
#include "shared/platform.h"
#include "shared/ui_fonts.h"
#include "shared/ui_resources.h"
#include "shared/ui_twips.h"

#include <QFontMetricsF>
#include <QIcon>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>

namespace halden {
namespace {

QFont Arial(double points) { return ArialFont(points); }

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
    }
    // Heard alone, the captions say too little: each button is named by what it does.
    // Their descriptions are their tooltips, which name their keys too (connectHandlers).
    picPaste->setAccessibleName(QStringLiteral("Paste"));
    picShrink->setAccessibleName(QStringLiteral("Reduce"));
    picCal->setAccessibleName(QStringLiteral("Calculator"));
    picCopy->setAccessibleName(QStringLiteral("Copy result"));

    panel_ = new ConversionPanel(client_, session_);

    const std::pair<QWidget*, const char*> named[] = {
        {picPaste, "picPaste"}, {picShrink, "picShrink"}, {picCal, "picCal"}, {picCopy, "picCopy"}};
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

    panel_->Arrange(layout, tx, ty);

    mainFormWidth_ = layout.MainFormWidth;
    if (frmCal* cal = cal_.data()) {
        cal->SetLeastWidthTwips(mainFormWidth_);
    }

    const bool systemColours = session_.settings.pbShowInSysCol;
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
    connect(panel_, &ConversionPanel::warpMenuWanted, this, [this](bool byKey, QPoint at) {
        if (byKey) {
            platform().PopupMenuAt(this, menus_.mnuWarp, at);
        } else {
            platform().PopupMenu(this, menus_.mnuWarp);
        }
    });

    connectToolButtons();
    connectWindowKeys();
    connectMenus();
    connectAllUnits();
    panel_->HiddenLabel()->installEventFilter(this);
}

}  // namespace halden
