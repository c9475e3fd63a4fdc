// A flat tool button of the main window: a coloured picture with a caption label, drawn raised or
// pressed with one-pixel edges. A press on the picture or its caption draws it pressed; the
// release draws it raised again (the release comes back to the pressed button wherever the mouse
// is), and a release over the button is its click. The button knows its caption's design size and
// lays its caption out itself.
#pragma once

#include <QWidget>

class QLabel;

namespace halden {

/// The design size of a tool button's caption label, in twips.
struct CaptionDesign {
    double width;
    double height;
};

class ToolButton : public QWidget {
    Q_OBJECT

public:
    ToolButton(const QString& caption, CaptionDesign design, QWidget* parent);
    Q_DISABLE_COPY_MOVE(ToolButton)

    QLabel* caption = nullptr;

    /// Puts the button at `place` with its caption `captionTop` pixels below the button's top,
    /// sized from its design size at the screen's twips per pixel; drawn raised.
    void Arrange(const QRect& place, int captionTop, double twipsPerPixelX, double twipsPerPixelY);
    void setColours(const QColor& face, const QColor& text);

signals:
    /// The mouse button went up; Shift held at the release is passed on (Reduce uses it).
    void released(bool shiftHeld);
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    /// The sunken look moves the caption one pixel up and left; the raised one puts it back.
    void DrawPressed(bool pressed);

    CaptionDesign design_;
    int captionTop_ = 0;
    bool pressed_ = false;
    QColor face_;
};

}  // namespace halden
