// Feeds arbitrary bytes to unit name matching (as a unit's list text, as a typed name and as a
// search) and, when they hold a NUL byte, split there to the command line as its arguments; aborts
// on any answer that breaks the matching rules. The name index is built once for the whole run.
//
// Suggestions measure a name against every form of every unit, at a cost that grows with the
// name's length and is more than all the rest together under the fuzzer's instrumentation, and
// the command line suggests names for every name it cannot read. Both run for one input in
// sixteen, chosen by a hash of its bytes (by its length the fuzzer would soon favour the inputs
// that reach them, and pay for them on nearly every run), and suggestions for short names only. A
// plain name (no NUL) goes through the matching checks only: its run as a question is the
// question reader's own target.

#include "catalogue/unit_catalogue.h"
#include "catalogue/unit_catalogue_build.h"
#include "catalogue/unit_names.h"
#include "cli/cli_convert.h"
#include "cli/cli_options.h"
#include "cli/command_line.h"
#include "shared/process_state.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr std::size_t kLongestInput = 512;
constexpr std::uint32_t kSuggestEvery = 16;
constexpr std::size_t kLongestSuggested = 32;

// FNV-1a.
std::uint32_t HashOf(const std::uint8_t* data, std::size_t size) {
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ data[i]) * 16777619u;
    }
    return hash;
}

void CheckForms(std::string_view text) {
    const std::vector<halden::NameForm> forms = halden::UnitNameForms(text);
    bool shortSeen = false;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        // Every form is a non-empty piece of the text, named once, whole names first.
        if (forms[i].text.empty() || text.find(forms[i].text) == std::string_view::npos) std::abort();
        if (forms[i].kind == halden::NameFormKind::Short) shortSeen = true;
        if (shortSeen && forms[i].kind == halden::NameFormKind::Whole) std::abort();
        for (std::size_t j = i + 1; j < forms.size(); ++j) {
            if (forms[i].text == forms[j].text) std::abort();
        }
    }
}

bool InCatalogue(const halden::FoundUnit& unit) {
    return unit.group >= 0 && unit.group < halden::kGroupCount && unit.unit >= 0 && unit.unit < halden::kUnitSlots;
}

void CheckIndex(const halden::UnitNameIndex& index, std::string_view text, bool suggest) {
    for (const halden::FoundUnit& unit : index.Search(text, 60)) {
        if (!InCatalogue(unit)) std::abort();
    }
    if (suggest) {
        const std::vector<halden::FoundUnit> near = index.Suggest(text, 5);
        if (near.size() > 5) std::abort();
        for (const halden::FoundUnit& unit : near) {
            if (!InCatalogue(unit)) std::abort();
        }
    }
    // A name is exact, or read with case ignored only when it fits one unit; an ambiguous answer
    // names candidates, never a unit to convert.
    const halden::NamedUnits named = index.Resolve(text);
    if (named.ambiguous && named.units.size() < 2) std::abort();
    for (std::size_t i = 0; i < named.units.size(); ++i) {
        if (!InCatalogue(named.units[i])) std::abort();
        if (i > 0 &&
            !(named.units[i - 1].group < named.units[i].group ||
              (named.units[i - 1].group == named.units[i].group && named.units[i - 1].unit < named.units[i].unit))) {
            std::abort();
        }
    }
    // Reading a name twice changes nothing more.
    const std::string normal = halden::NormalizeName(text);
    if (halden::NormalizeName(normal) != normal) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const halden::UnitNameIndex* index = [] {
        halden::BuildUnitCatalogue(halden::catalogue(), halden::userUnits(), 15);
        return new halden::UnitNameIndex(halden::catalogue());
    }();
    // Longer texts are no names, and arguments this long reach nothing more.
    if (size > kLongestInput) {
        return 0;
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckForms(text);
    const bool costly = (HashOf(data, size) >> 8) % kSuggestEvery == 0;
    CheckIndex(*index, text, costly && size <= kLongestSuggested);
    if (!costly || text.find('\0') == std::string_view::npos) {
        return 0;
    }

    // The same bytes as the arguments of one command-line run.
    std::vector<std::string_view> args;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= size; ++i) {
        if (i == size || data[i] == 0) {
            args.push_back(text.substr(start, i - start));
            start = i + 1;
        }
    }
    // Commands on units run on the tables built once; the others (help, completion) as a whole run.
    halden::cli::Options options;
    halden::CommandLineResult result;
    using Command = halden::cli::Options::Command;
    const std::string error = halden::cli::ParseArguments(args, options);
    const bool onUnits = error.empty() && (options.command == Command::List || options.command == Command::Question ||
                                           options.command == Command::Convert || options.command == Command::Batch);
    if (onUnits) {
        halden::cli::RunOnUnits(options, halden::cli::RunUnits{halden::catalogue(), *index}, nullptr, result);
    } else {
        result = halden::RunCommandLine(args, halden::UserFileContents{});
    }
    if (result.status < 0 || result.status > halden::kExitUsage) std::abort();
    if (result.status != 0 && result.err.empty()) std::abort();
    return 0;
}
