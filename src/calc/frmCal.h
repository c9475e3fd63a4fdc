// The calculator window: an expression input with its history, "=", the result box and "<".
#pragma once

#include "calc/calculator_history.h"
#include "shared/process_state.h"

#include "shared/ui_window_place.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace halden {

class frmCal : public QWidget {
    Q_OBJECT

public:
    explicit frmCal(QWidget* parent = nullptr, const Session& session = ProcessSession());
    ~frmCal() override;
    Q_DISABLE_COPY_MOVE(frmCal)

    /// Stores the window's place (where it stands now) while it is shown in its normal state.
    void StorePlace();

    // Controls are public so that tests can drive them; other windows use the functions below.
    QComboBox* cboInput = nullptr;
    QPushButton* cmdExecCalc = nullptr;
    QPushButton* cmdReplace = nullptr;
    QLineEdit* txtCalResult = nullptr;
    QLabel* lblDummy = nullptr;

    /// Shows the calculator (out of the task bar if minimised) in front, with the keyboard.
    void BringToFront();
    /// Takes a value from the main window: an empty value puts the newest history entry in the input
    /// box; any other goes into the input box and empties the result box.
    void TakeValue(const QString& value);
    /// Puts text in the input box (the Edit menu's paste into the calculator).
    void SetInputText(const QString& text);
    /// What the result box shows.
    QString ResultText() const;
    /// The calculator is never narrower than this outer width in twips (the main window's).
    void SetLeastWidthTwips(int twips);
    int LeastWidthTwips() const { return leastWidth_; }

    /// Execute ("=" or Enter in the input box).
    void cmdExecCalc_Click();
    /// "<": the result back into the input box.
    void cmdReplace_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    /// A close from the window's own close control (a spontaneous close) or Escape records the position;
    /// every close returns the window to its freshly loaded state.
    void closeEvent(QCloseEvent* event) override;

private:
    Session session_;
    StoredPlace place_{session_.settings.Form_Cal_Left, session_.settings.Form_Cal_Top};
    void createControls();
    void connectHandlers();
    void Form_Load();
    /// Empty input, result and history; the widths of a freshly loaded window.
    void loadContents();
    void Form_QueryUnload(bool closedByUser);
    void StoreUserPlace();
    void Form_Unload();
    void cboInput_Change(const QString& text);
    /// "Input error" in the result box; the box keeps the width of the last good result.
    void ShowInputError();
    /// Width of text in the measuring label's font plus a margin, in pixels.
    int MeasureText(const QString& text);
    /// Places the controls along the row and sets the window width (never below the main window's).
    void ArrangeCalculator();
    void applyWindowSize();
    void FitToScreen(int tppx);
    int formHeightTwips();

    CalculatorHistory history_;
    int nInputWidth = 100;        // pixels
    int nResultWidth = 110;       // pixels
    int nFormWidth = 0;           // outer width, twips
    int leastWidth_ = 0;          // outer width never gone below, twips
    bool placePending_ = false;   // closed since last shown: the next showing goes to the stored place
    bool closingByUser_ = false;  // a close from the keyboard, taken as one from the close box
    bool pushedLeft_ = false;     // moved left of where the user had it, to keep "<" on the screen
    int homeLeft_ = 0;            // where the user had the window's left edge, pixels
    int pushedTo_ = 0;            // where it was moved to
};

}  // namespace halden
