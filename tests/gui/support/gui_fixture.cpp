#include "gui_fixture.h"

#include "shared/process_state.h"

#include "shared/ui_resources.h"

#include <QCoreApplication>
#include <QDir>
#include <QWidget>

namespace halden::test {

GuiFixture::GuiFixture() {
    for (const auto& [name, value] : {std::pair{"XDG_CONFIG_HOME", home_.path()},
                                      std::pair{"XDG_STATE_HOME", home_.path() + QStringLiteral("/state")}}) {
        oldVariables_.emplace_back(
            name, qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt);
        qputenv(name, value.toLocal8Bit());
    }
    ResetProcessState();
    SetPlatform(&fake);
    // What the program registers at its start: the resource files and the font substitutions.
    InitResources();
}

GuiFixture::~GuiFixture() {
    SetPlatform(nullptr);
    ResetProcessState();
    for (const auto& [name, value] : oldVariables_) {
        if (value) {
            qputenv(name, *value);
        } else {
            qunsetenv(name);
        }
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
