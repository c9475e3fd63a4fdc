// Any text typed into a coefficient box: splitting and editing never crash, and what they give back
// holds together (the parts rebuild the text, an accepted edit reads back the same).

#include "numbers/message_sink.h"
#include "storage/coefficient_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first byte picks a separator and a part; the rest is split at NULs into the box text and
    // the row's last factor and offset texts.
    const std::string_view control = input.empty() ? std::string_view{} : input.substr(0, 1);
    std::string_view rest = input.empty() ? input : input.substr(1);
    std::string_view pieces[3];
    for (std::string_view& piece : pieces) {
        const auto nul = rest.find('\0');
        piece = rest.substr(0, nul);
        rest = nul == std::string_view::npos ? std::string_view{} : rest.substr(nul + 1);
    }
    const std::string_view boxText = pieces[0];

    const int code = control.empty() ? 0 : static_cast<unsigned char>(control[0]);
    const std::string_view separators[] = {";", "", ";;", "e", " "};
    const std::string_view separator = separators[code % 5];
    const int part = (code / 5) % 3;  // 0 and 2 ask for the part after, 1 for the part before

    const std::string before = halden::SplitCoefText(boxText, separator, 1);
    const std::string after = halden::SplitCoefText(boxText, separator, part == 1 ? 2 : part);
    Require(boxText.substr(0, before.size()) == before);
    if (before.size() == boxText.size()) {
        Require(after.empty());
    } else {
        Require(boxText.substr(before.size(), separator.size()) == separator);
        Require(after.size() <= boxText.size() - before.size() - separator.size());
        Require(after.empty() || (after.front() != ' ' && after.back() != ' '));
    }

    halden::RecordingSink sink;
    const halden::CoefChangeResult first = halden::CoefChange(boxText, pieces[1], pieces[2], sink);
    Require(sink.messages.size() <= 2);
    if (!first.accepted) {
        Require(first.factorText == pieces[1] && first.offsetText == pieces[2]);
        return 0;
    }
    // What the box shows for the stored texts takes apart into the same texts again.
    const std::string shown = halden::CoefText(first.factorText, first.offsetText);
    const halden::CoefChangeResult again = halden::CoefChange(shown, "", "", sink);
    Require(again.accepted);
    Require(again.factorText == first.factorText && again.offsetText == first.offsetText);
    return 0;
}
