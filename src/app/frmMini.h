// The reduced icon window: a small framed icon that floats above other windows while the main
// window is parked off-screen. A left click on the icon pops up the main window's Convert menu,
// a right click its File menu ("Minimize", "Exit"); dragging the frame around the icon moves it.
// It takes the keyboard when shown: Enter, Space or Down open the Convert menu, the Menu key or
// Shift+F10 the File menu, and Ctrl+Shift+R brings the full window back.
#pragma once

#include "shared/process_state.h"

#include "shared/ui_window_place.h"

#include <QPoint>
#include <QWidget>

class QLabel;

namespace halden {

class frmMini : public QWidget {
    Q_OBJECT

public:
    explicit frmMini(const Session& session = ProcessSession());
    ~frmMini() override;
    Q_DISABLE_COPY_MOVE(frmMini)

    /// Stores the window's place and outer size, for the configuration file.
    void StorePlace();

    QWidget* picIconBase = nullptr;
    QLabel* imgIcon = nullptr;

    /// Outer size in pixels: the base (icon + 4 wide, icon + 5 high) plus margins and frame.
    static constexpr int kIconSize = 32;
    static constexpr int kBaseWidth = kIconSize + 4;
    static constexpr int kBaseHeight = kIconSize + 5;
    static constexpr int kOuterWidth = kBaseWidth + 10;
    static constexpr int kOuterHeight = kBaseHeight + 11;
    /// The thin frame the window draws around itself, in pixels on each side.
    static constexpr int kFrame = 3;

    /// Records the window's position, closes it and lets it go.
    void Unload();

signals:
    /// The user closed the icon window, the program's only face: the program should end.
    void closeRequested();
    /// A left click on the icon: the Convert menu should pop up at the mouse; asked for by a key
    /// (or a screen reader's press), beside the icon instead.
    void convertMenuRequested(bool byKey);
    /// A right click on the icon: the File menu should pop up at the mouse (by a key: beside it).
    void fileMenuRequested(bool byKey);
    /// Ctrl+Shift+R: the full window should come back, showing the current group.
    void restoreRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Session session_;
    StoredPlace place_{session_.settings.Form_Normal_Left, session_.settings.Form_Normal_Top};
    // Construction steps, in this order.
    void createControls();
    void connectHandlers();
    void setUpKeyboardAccess();
    void Form_Load();
    void Form_Unload();
    void Drag(QMouseEvent* event);
    void imgIcon_MouseDown(Qt::MouseButtons buttons);

    bool unloaded_ = false;
    bool manualDrag_ = false;
    QPoint dragOffset_;
};

}  // namespace halden
