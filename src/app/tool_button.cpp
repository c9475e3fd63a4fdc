#include "app/tool_button.h"

#include "app/main_layout.h"

#include <QAccessibleWidget>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace halden {
namespace {

// What assistive tools see of a tool button: a push button named by what it does, whose press
// action is a click, as a mouse click over it is.
class ToolButtonAccessible final : public QAccessibleWidget {
public:
    explicit ToolButtonAccessible(ToolButton* button) : QAccessibleWidget(button, QAccessible::Button) {
        addControllingSignal(QStringLiteral("clicked()"));
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& actionName) override {
        if (actionName == pressAction() && widget()->isEnabled()) {
            emit static_cast<ToolButton*>(widget())->clicked();
        }
    }
};

QAccessibleInterface* ToolButtonFactory(const QString& /*className*/, QObject* object) {
    if (auto* button = qobject_cast<ToolButton*>(object)) {
        return new ToolButtonAccessible(button);
    }
    return nullptr;
}

}  // namespace

ToolButton::ToolButton(const QString& text, CaptionDesign design, QWidget* parent) : QWidget(parent), design_(design) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(ToolButtonFactory);
        return true;
    }();
    (void)factoryInstalled;
    caption = new QLabel(text, this);
    // The caption's text stands at the label's top, where its place in the button is reckoned from.
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The caption is part of the button: its presses and releases are the button's.
    caption->setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(false);
}

void ToolButton::setColours(const QColor& face, const QColor& text) {
    face_ = face;
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText, text);
    caption->setPalette(palette);
    update();
}

void ToolButton::Arrange(const QRect& place, int captionTop, double twipsPerPixelX, double twipsPerPixelY) {
    setGeometry(place);
    captionTop_ = captionTop;
    caption->resize(static_cast<int>(std::lround(design_.width / twipsPerPixelX)),
                    static_cast<int>(std::lround(design_.height / twipsPerPixelY)));
    DrawPressed(false);
}

void ToolButton::DrawPressed(bool pressed) {
    pressed_ = pressed;
    const int offset = pressed ? -1 : 0;
    caption->move(ButtonCaptionLeft(width(), caption->width(), offset), captionTop_ + offset);
    // The caption stops above the button's bottom edge, as a label is cut at its own bottom: at a
    // large scale a descender would otherwise be drawn over the edge.
    const int room = height() - 1 - caption->y();
    if (room > 0 && caption->height() > room) {
        caption->resize(caption->width(), room);
    }
    update();
}

void ToolButton::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), face_);
    const int w = width();
    const int h = height();
    const QColor topLeft = pressed_ ? Qt::black : Qt::white;
    const QColor bottomRight = pressed_ ? Qt::white : Qt::black;
    painter.setPen(topLeft);
    painter.drawLine(w - 1, 0, 0, 0);
    painter.drawLine(0, 0, 0, h - 1);
    painter.setPen(bottomRight);
    painter.drawLine(0, h - 1, w - 1, h - 1);
    painter.drawLine(w - 1, h - 1, w - 1, 0);
}

void ToolButton::mousePressEvent(QMouseEvent* event) {
    event->accept();
    DrawPressed(true);
}

void ToolButton::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    DrawPressed(false);
    emit released(event->modifiers().testFlag(Qt::ShiftModifier));
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

}  // namespace halden
