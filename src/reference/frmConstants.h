// The physical constants window: 23 constants on two pages in four side-by-side lists (Quantity,
// Symbol, Unit, Value), Copy of the selected value in compact form, Close, Help and Page.
#pragma once

#include "shared/process_state.h"

#include "shared/ui_window_place.h"

#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace halden {

class frmConstants : public QWidget {
    Q_OBJECT

public:
    explicit frmConstants(QWidget* parent = nullptr, const Session& session = ProcessSession());
    ~frmConstants() override;
    Q_DISABLE_COPY_MOVE(frmConstants)

    /// Stores the window's place, once it has been on the screen (before, it keeps the stored one).
    void StorePlace();

    QLabel* lblQuantity = nullptr;
    QLabel* lblSymbol = nullptr;
    QLabel* lblUnit = nullptr;
    QLabel* lblValue = nullptr;
    QListWidget* lstQuantity = nullptr;
    QListWidget* lstSymbol = nullptr;
    QListWidget* lstUnit = nullptr;
    QListWidget* lstValue = nullptr;
    QPushButton* cmdCopy = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdNext = nullptr;

    /// The page shown: -1 the first, 1 the second.
    int page() const { return page_; }

    /// "&Page": the other page, every selection cleared.
    void cmdNext_Click();
    /// "&Copy": name, unit and compact value of the selections onto the clipboard.
    void cmdCopy_Click();
    /// "C&lose": stores the position, clears the open flag and closes.
    void cmdCancel_Click();
    /// "&Help": the help topic of this window.
    void cmdHelp_Click();

protected:
    void showEvent(QShowEvent* event) override;
    /// A close from the window's close box (a spontaneous close) stores the position and clears
    /// the open flag; every close returns the window to page 1 for its next showing.
    void closeEvent(QCloseEvent* event) override;

private:
    Session session_;
    StoredPlace place_{session_.settings.Form_Constants_Left, session_.settings.Form_Constants_Top};
    void createControls();
    void connectHandlers();
    void Form_Load();
    void arrangeControls();
    void applyWindowSize();
    void fillPage();

    int page_ = -1;
    int outerWidth_ = 0;         // outer width in pixels the layout asks for
    int heightBelowTitle_ = 0;   // outer height in pixels less the title bar and frame
    bool placePending_ = false;  // closed since last shown: the next showing goes to the stored place
};

}  // namespace halden
