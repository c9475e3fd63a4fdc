// A flat tool button of the main window: a coloured picture with a caption label, drawn raised or
// pressed with one-pixel edges. Pressing either the picture or its caption draws it pressed;
// releasing draws it raised again (the release comes back to the pressed button wherever the
// mouse is), and a release over the button is its click.
#pragma once

#include <QWidget>

class QLabel;

namespace halden {

class ToolButtonFace : public QWidget {
    Q_OBJECT

public:
    ToolButtonFace(const QString& caption, QWidget* parent);
    Q_DISABLE_COPY_MOVE(ToolButtonFace)

    QLabel* caption = nullptr;

    /// Draws the sunken look and moves the caption one pixel up and left.
    void DrawButtonDown(int nButtonWidth, int nCaptionTop);
    /// Draws the raised look with the caption in its place.
    void DrawButtonUp(int nButtonWidth, int nCaptionTop);
    bool isPressedLook() const { return pressed_; }
    void setColours(const QColor& face, const QColor& text);

signals:
    void mouseDown();
    /// Shift held at the release is passed on (the Reduce button uses it).
    void mouseUp(bool shiftHeld);
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void PlaceButtonCaption(int top, int width, int offset);
    bool pressed_ = false;
    QColor face_;
};

}  // namespace halden
