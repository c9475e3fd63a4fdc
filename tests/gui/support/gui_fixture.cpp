#include "gui_fixture.h"

#include "shared/settings.h"

#include "shared/ui_resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QWidget>

namespace halden::test {

GuiFixture::GuiFixture() {
    hadXdg_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    oldXdg_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
    ResetProcessState();
    SetPlatform(&fake);
    // What the program registers at its start: the resource files and the font substitutions.
    InitResources();
}

GuiFixture::~GuiFixture() {
    SetPlatform(nullptr);
    ResetProcessState();
    if (hadXdg_) {
        qputenv("XDG_CONFIG_HOME", oldXdg_);
    } else {
        qunsetenv("XDG_CONFIG_HOME");
    }
}

void GuiTest::init() {
    fixture = std::make_unique<GuiFixture>();
    setUp();
}

void GuiTest::cleanup() {
    tearDown();
    window.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    fixture.reset();
}

QString GuiFixture::configDir() const { return home_.path() + QStringLiteral("/halducnv/"); }

void SaveScreenshot(QWidget* widget, const QString& name) {
    const QString dir = qEnvironmentVariable("HALDEN_SCREENSHOT_DIR");
    if (dir.isEmpty() || widget == nullptr) {
        return;
    }
    QDir().mkpath(dir);
    widget->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace halden::test
