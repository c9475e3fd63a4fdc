// What every GUI test starts from: a fresh temporary configuration directory, the fake platform
// installed, process-wide state reset. Construct one GuiFixture per test function (Qt Test's
// init()), destroy it in cleanup().
#pragma once

#include "fake_platform.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class QWidget;

namespace halden::test {

class GuiFixture {
public:
    GuiFixture();
    ~GuiFixture();
    GuiFixture(const GuiFixture&) = delete;
    GuiFixture& operator=(const GuiFixture&) = delete;

    FakePlatform fake;
    /// The per-test directory the program keeps its files in (with a trailing "/").
    QString configDir() const;

private:
    QTemporaryDir home_;
    QByteArray oldXdg_;
    bool hadXdg_ = false;
};

/// Saves a picture of widget to $HALDEN_SCREENSHOT_DIR/<name>.png (does nothing when unset).
void SaveScreenshot(QWidget* widget, const QString& name);

}  // namespace halden::test
