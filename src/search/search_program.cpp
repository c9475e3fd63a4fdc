// The search provider's program: `halducnv --search-provider`, loaded by the launcher as a module so
// that the command line never loads the toolkit. Started by the session bus when a desktop's
// search asks for it; ends when another copy holds the bus name or after a while without calls.
#include "catalogue/unit_catalogue_build.h"
#include "numbers/message_sink.h"
#include "search/search_service.h"
#include "shared/settings.h"
#include "storage/config_file.h"
#include "storage/user_file.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QGuiApplication>

#include <cstdint>
#include <cstdio>
#include <memory>

namespace {

// Without a screen of its own the pixel of "Graphics Units" is that of a 96 dpi display.
constexpr std::int16_t kTwipsPerPixel = 15;

// The units the user's own file adds, read once and quietly: a damaged file is the window's to report.
std::unique_ptr<halden::UnitCatalogue> UserCatalogue() {
    auto user = std::make_unique<halden::UserUnits>();
    auto catalogue = std::make_unique<halden::UnitCatalogue>();
    const halden::UserFileContents file = halden::ReadUserFileContents();
    if (file.state == halden::UserFileContents::State::Read) {
        halden::NullSink quiet;
        halden::DatReadBytes(file.bytes, *user, quiet);
    }
    halden::BuildUnitCatalogue(*catalogue, *user, kTwipsPerPixel);
    return catalogue;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) int HaldenSearchMain(int argc, char* argv[]) {
    // A display lets the service own the clipboard for KRunner's Copy; without one it still answers.
    const bool display = !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    std::unique_ptr<QCoreApplication> app =
        display ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("halducnv"));
    if (!QDBusConnection::sessionBus().isConnected()) {
        std::fprintf(stderr, "halducnv: no session bus to offer the search provider on\n");
        return 1;
    }
    halden::Settings settings;
    halden::CfgReadQuietly(settings);
    halden::SearchService service(UserCatalogue(), halden::QuestionOptions{settings.pnFigure, settings.pnFormFlag},
                                  display);
    if (!service.Register()) {
        return 0;  // another copy answers under the name
    }
    return QCoreApplication::exec();
}
