// The about window: the program's name, version, maker, ownership line and notice on copying,
// with a rights line scrolling through a one-line box and the icon blinking to a tilted balance.
//
// It is modal. OK, Enter on OK and the close box close it; each of them turns a number-format
// value of 3 (which only an edited configuration file can hold) into 0, Normal.
#pragma once

#include "shared/process_state.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <string>

class QCloseEvent;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace halden {

class frmInfo : public QDialog {
    Q_OBJECT

public:
    /// session: the settings whose number-format value closing clears.
    explicit frmInfo(QWidget* parent = nullptr, const Session& session = ProcessSession());
    ~frmInfo() override;
    Q_DISABLE_COPY_MOVE(frmInfo)

    QLabel* lblAppname = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblName = nullptr;
    QLabel* lblOwnership = nullptr;
    std::array<QLabel*, 5> lblNotice{};
    QLineEdit* txtAllrights = nullptr;
    QLabel* imgMain = nullptr;
    QLabel* imgFull = nullptr;  // not shown: the level balance
    QLabel* imgHalf = nullptr;  // not shown: the tilted balance
    QFrame* Frame1 = nullptr;
    QFrame* Frame2 = nullptr;
    QPushButton* cmdOK = nullptr;
    QTimer* Timer1 = nullptr;  // scrolls the rights line
    QTimer* Timer2 = nullptr;  // animates the icon

    /// One step of the rights line.
    void Timer1_Timer();
    /// One step of the icon.
    void Timer2_Timer();
    void cmdOK_Click();
    /// A key typed on OK: Enter (13) closes like a click and is swallowed (set to 0); any other
    /// key does nothing.
    void cmdOK_KeyPress(int& KeyAscii);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void createControls();
    void centreOnScreen();
    void arrangeControls();
    void connectHandlers();
    /// What every way of closing does first.
    void ClearFormFlagThree();

    /// The design size the window is centred by, in twips.
    static constexpr int kDesignWidth = 6000;
    static constexpr int kDesignHeight = 4350;

    Settings& settings_;
    std::string scrollText_;
    std::int16_t nScrollPos = 0;
    std::int16_t nIconTick = 0;
};

/// Opens the about window modally over the main window, with the main window's always-on-top
/// released while it is open and set again afterwards when the option asks for it.
void ShowAboutWindow(QWidget* mainWindow, const Session& session);

}  // namespace halden
