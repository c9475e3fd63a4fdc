#include "shared/ui_frame.h"

#include <QFontMetrics>
#include <QPainter>

namespace halden {
namespace {

// Where the caption starts, and the gap kept clear of the line on each side of it, in pixels.
constexpr int kCaptionLeft = 8;
constexpr int kCaptionGap = 1;

}  // namespace

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

int CaptionFrame::LineTop() const { return QFontMetrics(font()).height() / 2; }

void CaptionFrame::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QPalette& colours = palette();
    const QFontMetrics metrics(font());
    const int top = LineTop();
    const int right = width() - 1;
    const int bottom = height() - 1;
    // Etched: a shadow rectangle, and a highlight one a pixel lower and to the right.
    painter.setPen(colours.color(QPalette::Mid));
    painter.drawRect(QRect(QPoint(0, top), QPoint(right - 1, bottom - 1)));
    painter.setPen(colours.color(QPalette::Light));
    painter.drawLine(1, top + 1, right - 2, top + 1);
    painter.drawLine(1, top + 1, 1, bottom - 2);
    painter.drawLine(0, bottom, right, bottom);
    painter.drawLine(right, top, right, bottom);

    const QString caption = title();
    if (caption.isEmpty()) {
        return;
    }
    const int textWidth = metrics.horizontalAdvance(caption);
    painter.fillRect(QRect(kCaptionLeft - kCaptionGap, 0, textWidth + 2 * kCaptionGap, metrics.height()),
                     colours.color(backgroundRole()));
    painter.setPen(colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(QPoint(kCaptionLeft, metrics.ascent()), caption);
}

}  // namespace halden
