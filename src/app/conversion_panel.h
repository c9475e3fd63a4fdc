// The main window's conversion panel: the Convert... and Into... frames with the input and result
// boxes and the two unit lists, the arrow between them, the hidden label and the Convert button.
// It owns their making, their places by the layout rule and the flow from units chosen and a value
// typed to the result; it tells the main window when the result changed and when the Warp menu is
// wanted. Its controls are named (objectName) as the window's code names them.
#pragma once

#include "app/main_layout.h"
#include "shared/process_state.h"

#include <QObject>
#include <QPoint>
#include <QStringList>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace halden {

class UnitList;

class ConversionPanel final : public QObject {
    Q_OBJECT

public:
    /// Makes the controls in client, in the order Tab goes through them; converts with session's
    /// settings, catalogue and warp level.
    ConversionPanel(QWidget* client, const Session& session);

    QLineEdit* Input() const { return txtInput_; }
    QLineEdit* Result() const { return txtResult_; }
    UnitList* FromList() const { return lstConvFrom_; }
    UnitList* IntoList() const { return lstConvInto_; }
    QLabel* HiddenLabel() const { return lblHidden_; }

    /// Places the controls as the layout rule says (frames and arrow in pixels, the rest in twips
    /// divided by tx and ty).
    void Arrange(const MainLayout& layout, double tx, double ty);

    /// Shows a group's unit names in both lists, nothing chosen; the Into list of the velocity
    /// group leaves Warp out (it can only be converted from).
    void ShowUnits(QStringList names, bool velocityGroup);
    /// Whether both lists have a unit chosen (the Into entry beside the From unit is blank).
    bool BothEntriesChosen() const;
    /// The convert command: the input converted into the result box, or "Input error".
    void Convert();
    /// Converts when a value is typed and both units are chosen.
    void ConvertIfReady();
    /// A level of the Warp menu: the input shows its name, and the value converts.
    void SetWarpLevelName(const QString& level);
    /// The input box's change: converts once the box has had its first change (the start-up's
    /// clearing, which calls this itself).
    void InputChanged();

signals:
    /// Warp was chosen in the From list: by a key, the menu pops up at `at` (beside the entry);
    /// by the mouse, at the mouse.
    void warpMenuWanted(bool byKey, QPoint at);

private:
    void FromChosen();
    void IntoChosen();
    void HandFocusToInput();

    Session session_;
    QGroupBox* fraConvFrom_ = nullptr;
    QLineEdit* txtInput_ = nullptr;
    UnitList* lstConvFrom_ = nullptr;
    QGroupBox* fraConvInto_ = nullptr;
    QLineEdit* txtResult_ = nullptr;
    UnitList* lstConvInto_ = nullptr;
    QLabel* imgHand_ = nullptr;
    QLabel* lblHidden_ = nullptr;
    QPushButton* cmdConvert_ = nullptr;
    int nPrevFrom_ = 0;
};

}  // namespace halden
