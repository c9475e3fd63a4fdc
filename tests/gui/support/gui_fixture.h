// What every GUI test starts from: a fresh temporary configuration directory, the fake platform
// installed, process-wide state reset. A test class derives from GuiTest, which makes one
// GuiFixture per test function and takes it down again afterwards.
#pragma once

#include "fake_platform.h"
#include "main_window_ui.h"
#include "shared/process_state.h"
#include "storage/user_units_store.h"

#include "app/frmConvert.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QWidget;

namespace halden::test {

class GuiFixture {
public:
    GuiFixture();
    ~GuiFixture();
    GuiFixture(const GuiFixture&) = delete;
    GuiFixture& operator=(const GuiFixture&) = delete;

    FakePlatform fake;
    /// The user's units for a dialog opened without the main window.
    UserUnitsStore store{userUnits(), catalogue()};
    /// The per-test directory the program keeps its files in (with a trailing "/").
    QString configDir() const;

private:
    QTemporaryDir home_;
    // XDG_CONFIG_HOME and XDG_STATE_HOME as they were before the test pointed them into home_.
    std::vector<std::pair<const char*, std::optional<QByteArray>>> oldVariables_;
};

/// The base of the GUI test classes. Before each test function a fresh fixture, then setUp();
/// after it tearDown(), then the main window the test started (if any) closes, the deletions the
/// windows asked for run, and the fixture goes.
class GuiTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<GuiFixture> fixture;
    std::unique_ptr<frmConvert> window;

    /// The main window's controls and menu items, found by their names.
    MainWindowUi ui() const { return Ui(*window); }

    virtual void setUp() {}
    virtual void tearDown() {}

private slots:
    void init();
    void cleanup();
};

/// Saves a picture of widget to $HALDEN_SCREENSHOT_DIR/<name>.png (does nothing when unset).
void SaveScreenshot(QWidget* widget, const QString& name);

}  // namespace halden::test
