// The calculator window: an expression input with its history, "=", the result box and "<".
#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace halden {

class frmCal : public QWidget {
    Q_OBJECT

public:
    explicit frmCal(QWidget* parent = nullptr);
    ~frmCal() override;
    Q_DISABLE_COPY_MOVE(frmCal)

    // The controls are reachable from the main window: its calculator button and Edit menu read
    // and fill the input box and the result box.
    QComboBox* cboInput = nullptr;
    QPushButton* cmdExecCalc = nullptr;
    QPushButton* cmdReplace = nullptr;
    QLineEdit* txtCalResult = nullptr;
    QLabel* lblDummy = nullptr;

    /// Execute ("=" or Enter in the input box).
    void cmdExecCalc_Click();
    /// "<": the result back into the input box.
    void cmdReplace_Click();
};

}  // namespace halden
