#include "app/frmMini.h"

#include "app/accessible_button.h"
#include "shared/process_state.h"

#include "shared/platform.h"
#include "shared/ui_twips.h"
#include "shared/ui_window_place.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include <cmath>

namespace halden {
namespace {

// The icon's base draws its own frame: a grey outer ring around a raised face.
class IconBase final : public QWidget {
public:
    explicit IconBase(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter painter(this);
        painter.fillRect(rect(), platform().SystemColourOf(SystemColour::ButtonFace));
        const QColor shadow = platform().SystemColourOf(SystemColour::ButtonShadow);
        const QColor dark = platform().SystemColourOf(SystemColour::DarkShadow);
        const QColor highlight = platform().SystemColourOf(SystemColour::ButtonHighlight);
        const int w = width() - 1;
        const int h = height() - 1;
        const auto line = [&painter](const QColor& colour, int x1, int y1, int x2, int y2) {
            painter.setPen(colour);
            painter.drawLine(x1, y1, x2, y2);
        };
        line(shadow, 0, 0, w, 0);
        line(dark, w, 0, w, h);
        line(dark, w, h, 0, h);
        line(shadow, 0, h, 0, 0);
        line(highlight, 1, 1, w - 1, 1);
        line(shadow, w - 1, 1, w - 1, h - 1);
        line(shadow, w - 1, h - 1, 1, h - 1);
        line(highlight, 1, h - 1, 1, 1);
    }
};

}  // namespace

frmMini::frmMini(const Session& session) : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), session_(session) {
    createControls();
    connectHandlers();
    setUpKeyboardAccess();
    Form_Load();
}

void frmMini::setUpKeyboardAccess() {
    // A screen reader presents the window as a button whose press opens the Convert menu, as a
    // click on the icon does; set before a name change makes the toolkit describe it its own way.
    MakeAccessibleButton(this, [this] { emit convertMenuRequested(true); });
    // Task bars, window switchers and screen readers name the window.
    setWindowTitle(QStringLiteral("Halden Unit Converter"));
    setAccessibleName(QStringLiteral("Halden Unit Converter \u2014 click or press Enter to choose a unit group"));
    // The tooltip adds what the name leaves out; it is the button's description to a screen reader
    // too, read after the name.
    setToolTip(QStringLiteral("Right-click or press the Menu key for the File menu"));
    setFocusPolicy(Qt::StrongFocus);
}

void frmMini::createControls() {
    picIconBase = new IconBase(this);
    imgIcon = new QLabel(picIconBase);
    imgIcon->setPixmap(QPixmap(QStringLiteral(":/icons/halden.xpm")));
    imgIcon->setCursor(Qt::ArrowCursor);
    const QPixmap hand(QStringLiteral(":/icons/open_hand.xpm"));
    const QCursor handCursor = hand.isNull() ? QCursor(Qt::OpenHandCursor) : QCursor(hand, 13, 4);
    setCursor(handCursor);
    picIconBase->setCursor(handCursor);
}

void frmMini::connectHandlers() {
    // The icon and its base pass their mouse presses to the window's own handlers.
    imgIcon->installEventFilter(this);
    picIconBase->installEventFilter(this);
}

frmMini::~frmMini() = default;

void frmMini::Form_Load() {
    place_.RestoreTo(this);
    platform().SetAlwaysOnTop(this, true);
    // The base sits 2 pixels into the client area, which lies inside the window's thin frame.
    picIconBase->setGeometry(kFrame + 2, kFrame + 2, kBaseWidth, kBaseHeight);
    imgIcon->setGeometry(2, 3, kIconSize, kIconSize);
    setFixedSize(kOuterWidth, kOuterHeight);
}

void frmMini::Unload() {
    Form_Unload();
    hide();
    deleteLater();
}

void frmMini::Form_Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    place_.StoreFrom(this);
    if (session_.state.pbEnding) {
        platform().SetAlwaysOnTop(this, false);
    }
}

void frmMini::StorePlace() {
    place_.StoreFrom(this);
    StoreTwips(session_.settings.Form_Normal_Width, TwipsX(frameGeometry().width()));
    StoreTwips(session_.settings.Form_Normal_Height, TwipsY(frameGeometry().height()));
}

void frmMini::closeEvent(QCloseEvent* event) {
    // Closed by the user (the window system's close key): the icon is the program's only face,
    // so closing it ends the program the ordinary way.
    if (!unloaded_ && event->spontaneous()) {
        event->ignore();
        emit closeRequested();
        return;
    }
    Form_Unload();
    event->accept();
}

void frmMini::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // The icon is the program's only face while it shows: it takes the keyboard, whether or not a
    // window manager hands it over. Asked once the window is on the screen.
    QTimer::singleShot(0, this, [this] {
        if (isVisible()) {
            raise();
            activateWindow();
            setFocus(Qt::ActiveWindowFocusReason);
        }
    });
}

void frmMini::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods =
        event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (mods == Qt::NoModifier &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space || key == Qt::Key_Down)) {
        emit convertMenuRequested(true);
    } else if ((mods == Qt::NoModifier && key == Qt::Key_Menu) || (mods == Qt::ShiftModifier && key == Qt::Key_F10)) {
        emit fileMenuRequested(true);
    } else if (mods == (Qt::ControlModifier | Qt::ShiftModifier) && key == Qt::Key_R) {
        emit restoreRequested();
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void frmMini::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    // A thin fixed frame instead of the window system's title bar and border.
    painter.setPen(platform().SystemColourOf(SystemColour::ButtonHighlight));
    painter.drawLine(0, 0, width() - 1, 0);
    painter.drawLine(0, 0, 0, height() - 1);
    painter.setPen(platform().SystemColourOf(SystemColour::DarkShadow));
    painter.drawLine(width() - 1, 0, width() - 1, height() - 1);
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
    painter.setPen(platform().SystemColourOf(SystemColour::ButtonShadow));
    painter.drawRect(1, 1, width() - 3, height() - 3);
}

void frmMini::Drag(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        return;
    }
    LeaveToUser(this);
    if (!platform().StartWindowDrag(this)) {
        manualDrag_ = true;
        dragOffset_ = event->globalPosition().toPoint() - pos();
    }
}

void frmMini::mousePressEvent(QMouseEvent* event) { Drag(event); }

void frmMini::mouseMoveEvent(QMouseEvent* event) {
    if (manualDrag_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
    }
}

void frmMini::mouseReleaseEvent(QMouseEvent* /*event*/) { manualDrag_ = false; }

bool frmMini::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (watched == imgIcon) {
            imgIcon_MouseDown(mouse->buttons());
            return true;
        }
        if (watched == picIconBase) {
            Drag(mouse);
            return true;
        }
    } else if (watched == picIconBase && event->type() == QEvent::MouseMove) {
        mouseMoveEvent(static_cast<QMouseEvent*>(event));
        return manualDrag_;
    } else if (watched == picIconBase && event->type() == QEvent::MouseButtonRelease) {
        manualDrag_ = false;
    }
    return QWidget::eventFilter(watched, event);
}

void frmMini::imgIcon_MouseDown(Qt::MouseButtons buttons) {
    if (buttons & Qt::LeftButton) {
        emit convertMenuRequested(false);
    } else if (buttons & Qt::RightButton) {
        emit fileMenuRequested(false);
    }
}

}  // namespace halden
