#include "reference/frmInfo.h"

#include "reference/about_texts.h"
#include "shared/process_state.h"

#include "shared/platform.h"
#include "shared/ui_accessible.h"
#include "shared/ui_fonts.h"
#include "shared/ui_resources.h"
#include "shared/ui_text.h"
#include "shared/ui_twips.h"
#include "shared/ui_window.h"
#include "shared/ui_window_place.h"

#include <QCloseEvent>
#include <QFont>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace halden {
namespace {

constexpr int kScrollInterval = 127;  // ms
constexpr int kIconInterval = 109;    // ms
constexpr std::int16_t kFormFlagToClear = 3;

// Twips of the layout.
constexpr int kFrameExtraWidth = 480;
constexpr int kFrameBottomGap = 120;
constexpr int kClientBottomGap = 90;
constexpr int kSideMargin = 120;
constexpr int kTopMargin = 180;
constexpr int kNoticeTop = 150;
constexpr int kRuleHeight = 45;
constexpr int kIconPixels = 32;
constexpr int kButtonWidth = 1215;

QFont AboutFont(double points, bool bold = false) { return ArialFont(points, bold); }

QLabel* Picture(QWidget* parent, const QString& resource) {
    auto* image = new QLabel(parent);
    image->setPixmap(QPixmap(resource));
    image->setFixedSize(kIconPixels, kIconPixels);
    return image;
}

int TextWidthTwips(const QWidget* widget) { return TwipsX(widget->sizeHint().width()); }
int TextHeightTwips(const QWidget* widget) { return TwipsY(widget->sizeHint().height()); }

void PlaceTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(PixelsX(left), PixelsY(top), PixelsX(width), PixelsY(height));
}

}  // namespace

frmInfo::frmInfo(QWidget* parent, const Session& session) : QDialog(parent), settings_(session.settings) {
    MakeCompanionOf(this, parent);
    // Modal to the main window and its companions only: the help window that F1 opens over it takes
    // the keyboard and the mouse.
    setWindowModality(Qt::WindowModal);
    KeepAboveOwner(this, parent);
    createControls();
    connectHandlers();
    InstallHelpKey(this, HelpCommand::Context, kHelpContextAbout);
    Form_Load();
}

frmInfo::~frmInfo() = default;

void frmInfo::Form_Load() {
    setWindowTitle(QStringLiteral(" About Halden Unit Converter"));
    setWindowIcon(ApplicationIcon());
    setFont(AboutFont(8.25));
    // Centred by the design size, before the layout sizes the window from its texts.
    centreOnScreen();
    arrangeControls();
    scrollText_ = BuildScrollText();
    Timer1->start();
    Timer2->start();
}

void frmInfo::createControls() {
    lblAppname = new QLabel(ToQString(kAboutAppName), this);
    lblAppname->setFont(AboutFont(12, true));
    lblVersion = new QLabel(ToQString(kAboutVersion), this);
    lblName = new QLabel(ToQString(kAboutMaker), this);
    lblName->setFont(AboutFont(9.75, true));
    lblOwnership = new QLabel(ToQString(kAboutOwnership), this);

    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setFrameShadow(QFrame::Sunken);
    for (int i = 0; i < kNoticeLines; ++i) {
        lblNotice[i] = new QLabel(ToQString(kAboutNotice[i]), Frame1);
    }
    Frame2 = new QFrame(this);
    Frame2->setFrameShape(QFrame::HLine);
    Frame2->setFrameShadow(QFrame::Sunken);

    txtAllrights = new QLineEdit(this);
    // The rights notice moves a step at a time: a screen reader hears it once, whole.
    ExposeAsStaticText(txtAllrights, ToQString(kAboutRightsReserved));
    txtAllrights->setReadOnly(true);
    txtAllrights->setFocusPolicy(Qt::NoFocus);
    txtAllrights->setAlignment(Qt::AlignLeft);

    imgFull = Picture(this, QStringLiteral(":/icons/halden.xpm"));
    imgHalf = Picture(this, QStringLiteral(":/icons/halden_tilted.xpm"));
    imgFull->hide();
    imgHalf->hide();
    imgMain = Picture(this, QStringLiteral(":/icons/halden.xpm"));

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    // OK closes only on a click or on Enter (handled in cmdOK_KeyPress), not through the dialog's
    // default-button rules.
    cmdOK->setAutoDefault(false);
    cmdOK->setDefault(false);

    Timer1 = new QTimer(this);
    Timer1->setInterval(kScrollInterval);
    Timer2 = new QTimer(this);
    Timer2->setInterval(kIconInterval);
}

void frmInfo::centreOnScreen() { CentreWindowTwips(this, kDesignWidth, kDesignHeight); }

void frmInfo::arrangeControls() {
    // The notice frame is sized by its longest line and everything else is centred within it.
    const int frameWidth = TextWidthTwips(lblNotice[3]) + kFrameExtraWidth;
    const int clientWidth = std::max(kDesignWidth, frameWidth + 2 * kSideMargin);
    const int frameLeft = (clientWidth - frameWidth) / 2;
    const auto centred = [&](int width) { return frameLeft + (frameWidth - width) / 2; };

    int top = kTopMargin;
    const auto stack = [&](QWidget* widget, int width, int height, int gapBelow) {
        PlaceTwips(widget, centred(width), top, width, height);
        top += height + gapBelow;
    };
    const int iconWidth = TwipsX(kIconPixels);
    const int iconHeight = TwipsY(kIconPixels);
    stack(imgMain, iconWidth, iconHeight, 90);
    stack(lblAppname, TextWidthTwips(lblAppname), TextHeightTwips(lblAppname), 30);
    stack(lblVersion, TextWidthTwips(lblVersion), TextHeightTwips(lblVersion), 120);
    stack(Frame2, frameWidth, kRuleHeight, 120);
    stack(lblName, TextWidthTwips(lblName), TextHeightTwips(lblName), 30);
    stack(lblOwnership, TextWidthTwips(lblOwnership), TextHeightTwips(lblOwnership), 120);
    const QFontMetrics metrics(txtAllrights->font());
    const int rightsWidth = TwipsX(metrics.horizontalAdvance(ToQString(kAboutRightsReserved))) + 960;
    stack(txtAllrights, rightsWidth, TextHeightTwips(txtAllrights), 120);
    stack(cmdOK, kButtonWidth, TextHeightTwips(cmdOK), 150);

    int noticeTop = kNoticeTop;
    for (QLabel* notice : lblNotice) {
        const int height = TextHeightTwips(notice);
        PlaceTwips(notice, kFrameExtraWidth / 2, noticeTop, TextWidthTwips(notice), height);
        noticeTop += height;
    }
    const int frameHeight = noticeTop + kFrameBottomGap;
    PlaceTwips(Frame1, frameLeft, top, frameWidth, frameHeight);
    const int clientHeight = top + frameHeight + kClientBottomGap;
    setFixedSize(PixelsX(clientWidth), PixelsY(clientHeight));
}

void frmInfo::connectHandlers() {
    connect(Timer1, &QTimer::timeout, this, &frmInfo::Timer1_Timer);
    connect(Timer2, &QTimer::timeout, this, &frmInfo::Timer2_Timer);
    connect(cmdOK, &QPushButton::clicked, this, &frmInfo::cmdOK_Click);
    cmdOK->installEventFilter(this);
}

void frmInfo::Timer1_Timer() {
    txtAllrights->setText(ToQString(ScrollView(scrollText_, nScrollPos)));
    txtAllrights->setCursorPosition(0);
    nScrollPos = NextScrollPosition(nScrollPos, scrollText_.size());
}

void frmInfo::Timer2_Timer() {
    imgMain->setPixmap(IconShowsTilted(nIconTick) ? imgHalf->pixmap() : imgFull->pixmap());
    nIconTick = NextIconTick(nIconTick);
}

void frmInfo::ClearFormFlagThree() {
    if (settings_.pnFormFlag == kFormFlagToClear) {
        settings_.pnFormFlag = 0;
    }
}

void frmInfo::cmdOK_Click() {
    ClearFormFlagThree();
    Timer1->stop();
    Timer2->stop();
    accept();
}

void frmInfo::cmdOK_KeyPress(int& KeyAscii) {
    if (KeyAscii == 13) {
        cmdOK_Click();
        KeyAscii = 0;
    }
}

bool frmInfo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == cmdOK && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        int code = 0;
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            code = 13;
        } else if (!key->text().isEmpty()) {
            code = key->text().at(0).unicode();
        }
        cmdOK_KeyPress(code);
        // Enter has been handled; a blank must not press the button, since only Enter closes.
        return code == 0 || key->key() == Qt::Key_Space;
    }
    if (watched == cmdOK && event->type() == QEvent::KeyRelease) {
        return static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space;
    }
    return QDialog::eventFilter(watched, event);
}

void frmInfo::keyPressEvent(QKeyEvent* event) {
    // Escape would reject the dialog; the window closes only by OK, Enter or the close box.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmInfo::closeEvent(QCloseEvent* event) {
    ClearFormFlagThree();
    Timer1->stop();
    Timer2->stop();
    QDialog::closeEvent(event);
}

void ShowAboutWindow(QWidget* mainWindow, const Session& session) {
    platform().SetAlwaysOnTop(mainWindow, false);
    {
        frmInfo about(mainWindow, session);
        about.exec();
    }
    if (session.settings.pnShowTop == 1) {
        platform().SetAlwaysOnTop(mainWindow, true);
    }
}

}  // namespace halden
