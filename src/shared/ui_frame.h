// A frame as the program's windows draw it: an etched rectangle whose top line runs through the
// middle of the caption, the caption interrupting it near the left. Controls inside are placed in
// the frame's own coordinates, below the line.
#pragma once

#include <QGroupBox>

namespace halden {

class CaptionFrame final : public QGroupBox {
public:
    CaptionFrame(const QString& caption, QWidget* parent);

    /// Distance from the frame's top to its top line, in pixels: half the caption's text height.
    int LineTop() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace halden
