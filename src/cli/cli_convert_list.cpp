// --list: the groups that take part with their units, or the units of one group named as a unit is named.
#include "catalogue/menu_texts.h"
#include "catalogue/unit_messages.h"
#include "cli/cli_convert.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace halden::cli {
namespace {

const std::string& GroupName(const RunUnits& run, int g) {
    return run.catalogue.GroupName[static_cast<std::size_t>(g)];
}

// The group names without the dots some end with ("Work Rate, Power....").
std::string_view BareGroupName(std::string_view name) {
    const std::size_t last = name.find_last_not_of(". ");
    return last == std::string_view::npos ? std::string_view{} : name.substr(0, last + 1);
}

void ListGroup(const RunUnits& run, int g, std::string_view indent, std::string& out) {
    for (const IndexedUnit& unit : run.index.units()) {
        if (unit.group == g && !unit.searchOnly) {
            out += std::string(indent) + unit.listText + "\n";
        }
    }
}

}  // namespace

void RunList(const Options& options, const RunUnits& run, CommandLineResult& result) {
    std::vector<int> groups;
    for (int g = 0; g < kGroupCount; ++g) {
        if (GroupTakesPart(run.catalogue, g)) {
            groups.push_back(g);
        }
    }
    if (options.operands.empty()) {
        for (const int g : groups) {
            result.out += GroupName(run, g) + "\n";
            ListGroup(run, g, "  ", result.out);
        }
        return;
    }
    if (options.operands.size() > 1) {
        Failure(result, kExitUsage, "--list takes one group name (quote a name that holds blanks)");
        return;
    }
    // A group is named as a unit is: its whole name or one of the names it lists.
    const std::string_view wanted = options.operands[0];
    const std::string folded = FoldName(wanted);
    std::vector<int> exact;
    std::vector<int> anyCase;
    for (const int g : groups) {
        for (const NameForm& form : UnitNameForms(BareGroupName(GroupName(run, g)))) {
            if (form.text == wanted || wanted == GroupName(run, g)) {
                exact.push_back(g);
                break;
            }
            if (FoldName(form.text) == folded) {
                anyCase.push_back(g);
                break;
            }
        }
    }
    // Failing a name, the menu's name for the group ("Graphics Units") or a part of a group's name
    // ("Prefixes", "temp"), case ignored.
    std::vector<int> found = exact.empty() ? anyCase : exact;
    if (const int named = run.index.GroupNamed(wanted); found.empty() && named >= 0) {
        found.push_back(named);
    }
    const auto holds = [&](int g) {
        return FoldName(GroupMenuName(g)).find(folded) != std::string::npos ||
               FoldName(GroupName(run, g)).find(folded) != std::string::npos;
    };
    if (found.empty() && !folded.empty()) {
        std::copy_if(groups.begin(), groups.end(), std::back_inserter(found), holds);
    }
    if (found.empty()) {
        Failure(result, kExitUsage, "no group is named " + Quoted(wanted) + " (halducnv --list shows every group)");
        return;
    }
    if (found.size() > 1) {
        std::string names;
        for (const int g : found) {
            AppendListed(names, ", ", Quoted(GroupName(run, g)));
        }
        Failure(result, kExitUsage, Quoted(wanted) + " fits several groups: " + names);
        return;
    }
    ListGroup(run, found[0], "", result.out);
}

}  // namespace halden::cli
