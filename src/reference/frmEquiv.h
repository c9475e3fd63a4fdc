// The equivalence window: a read-only table of nine derived SI units in three side-by-side lists
// (quantity, SI unit, alternative), opened from the main window's hidden label.
//
// Closing it from its close box clears the process-wide open flag; Unload() closes it for the
// program (the Reduce button) and leaves the flag to the caller. The window deletes itself when
// closed, so every opening loads it afresh and centres it on the screen.
#pragma once

#include "shared/process_state.h"

#include <QWidget>

class QCloseEvent;
class QLabel;
class QListWidget;

namespace halden {

class frmEquiv : public QWidget {
    Q_OBJECT

public:
    explicit frmEquiv(QWidget* parent = nullptr, const Session& session = ProcessSession());
    ~frmEquiv() override;
    Q_DISABLE_COPY_MOVE(frmEquiv)

    QLabel* lblQuantity = nullptr;
    QLabel* lblSIUnit = nullptr;
    QLabel* lblAlternative = nullptr;
    QListWidget* lstQuantity = nullptr;
    QListWidget* lstSIUnit = nullptr;
    QListWidget* lstAlternative = nullptr;

    /// Closes the window without counting it as the user's close (the open flag stays as it is).
    void Unload();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Session session_;
    void Form_Load();
    void createControls();
    void fillLists();
    void centreOnScreen();
    void arrangeControls();

    /// The design size the window is centred by, in twips.
    static constexpr int kDesignWidth = 4950;
    static constexpr int kDesignHeight = 2775;

    bool unloadingForProgram_ = false;
};

}  // namespace halden
