// Arbitrary bytes as the user units file: reading never fails hard, and whatever it reads
// writes and reads back to the same texts.
#include "catalogue/unit_catalogue.h"
#include "numbers/message_sink.h"
#include "storage/user_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool SameTexts(const halden::UserUnits& a, const halden::UserUnits& b) {
    return a.UserGroupName == b.UserGroupName && a.UserUnitName == b.UserUnitName &&
           a.UserFactorText == b.UserFactorText && a.UserOffsetText == b.UserOffsetText;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    halden::UserUnits read;
    halden::RecordingSink sink;
    halden::DatReadBytes(std::string(reinterpret_cast<const char*>(data), size), read, sink);
    if (sink.messages.size() > 1) {
        std::abort();
    }
    const auto bytes = halden::DatWriteBytes(read);
    if (!bytes) {
        // Only a text whose stored form outgrows its 16-bit count can stop the write; a stored
        // form is at most its UTF-8 bytes and the three bytes of the escape.
        bool too_long = false;
        for (const auto& name : read.UserGroupName) {
            too_long = too_long || name.size() > 0xFFFF - 3;
        }
        for (const auto* table : {&read.UserUnitName, &read.UserFactorText, &read.UserOffsetText}) {
            for (const auto& group : *table) {
                for (const auto& text : group) {
                    too_long = too_long || text.size() > 0xFFFF - 3;
                }
            }
        }
        if (!too_long) {
            std::abort();
        }
        return 0;
    }
    halden::UserUnits again;
    halden::RecordingSink quiet;
    halden::DatReadBytes(*bytes, again, quiet);
    if (!quiet.messages.empty() || !SameTexts(read, again)) {
        std::abort();
    }
    return 0;
}
