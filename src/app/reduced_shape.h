// The reduced shape: the icon window that stands for the converter while the main window is
// parked, and the main window's Convert and File menus as the icon pops them up. It tells the main
// window what the icon asks for (closing the program, the full shape back, a menu about to open).
#pragma once

#include "shared/process_state.h"

#include <QObject>
#include <QPointer>

class QMenu;

namespace halden {

class MainMenus;
class frmMini;

class ReducedShape final : public QObject {
    Q_OBJECT

public:
    /// The icon window works with session.
    ReducedShape(MainMenus& menus, const Session& session, QObject* parent = nullptr);
    ~ReducedShape() override;
    Q_DISABLE_COPY_MOVE(ReducedShape)

    /// The icon window while it is open, else nullptr.
    frmMini* IconWindow() const;
    /// Shows the icon window, made on first use.
    void ShowIconWindow();
    /// Closes the icon window if it is open (it records its position as it goes).
    void UnloadIconWindow();

signals:
    void closeRequested();
    /// Ctrl+Shift+R in the icon window: the full shape comes back as on choosing the group shown.
    void restoreRequested();
    /// The Convert menu is about to pop up over the icon: the main window steps out of sight.
    void convertMenuOpening();

private:
    void ConvertMenu(bool byKey);
    void FileMenu(bool byKey);
    void PopupFromIcon(QMenu* menu, bool byKey);

    MainMenus& menus_;
    Session session_;
    QPointer<frmMini> mini_;
};

}  // namespace halden
