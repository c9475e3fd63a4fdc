// Arbitrary bytes as the configuration file: reading never fails hard, and whatever it reads
// saves and reads back to the same values.
#include "numbers/message_sink.h"
#include "shared/settings.h"
#include "storage/config_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool SameValues(const halden::Settings& a, const halden::Settings& b) {
    return a.Form_Normal_Top == b.Form_Normal_Top && a.Form_Normal_Left == b.Form_Normal_Left &&
           a.Form_Normal_Width == b.Form_Normal_Width && a.Form_Normal_Height == b.Form_Normal_Height &&
           a.Form_Cal_Top == b.Form_Cal_Top && a.Form_Cal_Left == b.Form_Cal_Left &&
           a.Form_Convert_Top == b.Form_Convert_Top && a.Form_Convert_Left == b.Form_Convert_Left &&
           a.Form_Constants_Top == b.Form_Constants_Top && a.Form_Constants_Left == b.Form_Constants_Left &&
           a.pnSelUnitGrp == b.pnSelUnitGrp && a.pnSelUnitItem == b.pnSelUnitItem && a.pnShowTop == b.pnShowTop &&
           a.pnFigure == b.pnFigure && a.pnFormFlag == b.pnFormFlag && a.pnFocusFlag == b.pnFocusFlag &&
           a.pnShapeFlag == b.pnShapeFlag;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    halden::Settings read;
    halden::RecordingSink sink;
    halden::CfgReadBytes(std::string(reinterpret_cast<const char*>(data), size), read, sink);
    if (sink.messages.size() > 1) {
        std::abort();
    }
    // The file keeps the system-colour flag inside the Focus value; keep it as read.
    read.pbShowInSysCol = read.pnFocusFlag >= 2;
    halden::Settings again;
    halden::RecordingSink quiet;
    halden::CfgReadBytes(halden::CfgSaveBytes(read), again, quiet);
    if (!quiet.messages.empty() || !SameValues(read, again)) {
        std::abort();
    }
    return 0;
}
