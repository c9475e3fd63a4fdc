#include "cli/cli_complete.h"

#include "catalogue/menu_texts.h"
#include "numbers/characters.h"

#include <algorithm>
#include <unordered_set>

namespace halden::cli {
namespace {

// The options a shell offers after a dash, and what follows each command.
constexpr std::string_view kBash = R"BASH(# bash completion for halducnv
_halducnv() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
    local IFS=$'\n' name
    # What the user typed so far, without the quotes and backslashes bash keeps in the word
    # (taken out as text, never evaluated); an escaped blank at the end stays a blank.
    local typed=${cur//\\ / }
    typed=${typed//\\/}
    typed=${typed//\'/}
    typed=${typed//\"/}
    COMPREPLY=()
    case $prev in
        --figures) COMPREPLY=($(compgen -W $'4\n6\n8\ninteger' -- "$cur")); return ;;
        --complete) COMPREPLY=($(compgen -W $'bash\nzsh\nfish' -- "$cur")); return ;;
        --group|--list)
            for name in $(halducnv --complete-groups "$typed" 2>/dev/null); do COMPREPLY+=("$(printf '%q' "$name")"); done
            return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W $'--convert\n--batch\n--list\n--group\n--figures\n--scientific\n--unbuffered\n--help\n--version\n--complete' -- "$cur"))
        return
    fi
    # Unit names, quoted for the shell one by one: never looked up as files in the current folder.
    for name in $(halducnv --complete-names "$typed" 2>/dev/null); do COMPREPLY+=("$(printf '%q' "$name")"); done
}
complete -F _halducnv halducnv
)BASH";

constexpr std::string_view kZsh = R"ZSH(#compdef halducnv
# zsh completion for halducnv
_halducnv() {
    local -a found
    case $words[CURRENT-1] in
        --figures) compadd -- 4 6 8 integer; return ;;
        --complete) compadd -- bash zsh fish; return ;;
        --group|--list)
            found=("${(@f)$(halducnv --complete-groups "${(Q)PREFIX}" 2>/dev/null)}")
            compadd -M 'm:{a-zA-Z}={A-Za-z}' -- $found; return ;;
    esac
    if [[ $PREFIX == -* ]]; then
        compadd -- --convert --batch --list --group --figures --scientific --unbuffered --help --version --complete
        return
    fi
    # compadd quotes what it inserts: blanks, brackets and kanji complete as one word. The program
    # has matched the names as it reads them ("°" as the lists' sign), so they are taken unfiltered.
    found=("${(@f)$(halducnv --complete-names "${(Q)PREFIX}" 2>/dev/null)}")
    compadd -U -- $found
}
# Loaded by compinit from the completion folders, this file is the function's first call: it
# defines the function and answers that call; sourced by hand, it registers the function.
if [[ $funcstack[1] == _halducnv ]]; then
    _halducnv "$@"
else
    compdef _halducnv halducnv 2>/dev/null
fi
)ZSH";

constexpr std::string_view kFish = R"FISH(# fish completion for halducnv
function __halducnv_previous
    set -l tokens (commandline -opc)
    echo $tokens[-1]
end
# Whether the word being typed is a unit name: not an option, nor the value of one.
function __halducnv_wants_unit
    not string match -q -- "-*" (commandline -ct)
    and not contains -- (__halducnv_previous) --figures --complete --list --group
end
complete -c halducnv -f
complete -c halducnv -l convert -d 'Convert VALUE FROM INTO'
complete -c halducnv -l batch -d 'Convert VALUE FROM INTO lines from standard input'
complete -c halducnv -l list -d 'List the groups or the units of a group'
complete -c halducnv -l group -x -d 'Take units from a group'
complete -c halducnv -l figures -x -a '4 6 8 integer' -d 'Significant digits'
complete -c halducnv -l scientific -d 'Scientific notation'
complete -c halducnv -l unbuffered -d 'Write each result at once'
complete -c halducnv -s h -l help -d 'Show the usage'
complete -c halducnv -s V -l version -d 'Show the version'
complete -c halducnv -l complete -x -a 'bash zsh fish' -d 'Print a completion script'
complete -c halducnv -n 'contains -- (__halducnv_previous) --list --group' -x -a '(halducnv --complete-groups (commandline -ct | string unescape) 2>/dev/null)'
complete -c halducnv -n __halducnv_wants_unit -a '(halducnv --complete-names (commandline -ct | string unescape) 2>/dev/null)'
)FISH";

bool BeginsWith(std::string_view folded, std::string_view prefix) {
    return folded.size() >= prefix.size() && folded.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::optional<std::string_view> CompletionScript(std::string_view shell) {
    if (shell == "bash") {
        return kBash;
    }
    if (shell == "zsh") {
        return kZsh;
    }
    if (shell == "fish") {
        return kFish;
    }
    return std::nullopt;
}

std::string UnitNamesBeginning(const UnitNameIndex& index, std::string_view prefix) {
    // "GROUP:NAME": the names of that group's units, each after the group as typed.
    std::string_view group;
    int onlyGroup = -1;
    if (const std::size_t colon = prefix.rfind(':'); colon != std::string_view::npos) {
        onlyGroup = index.GroupNamed(prefix.substr(0, colon));
        if (onlyGroup >= 0) {
            group = prefix.substr(0, colon + 1);
            prefix.remove_prefix(colon + 1);
        }
    }
    std::string folded = FoldName(prefix);
    // A blank typed at the end is part of what is asked ("deg " is no "degree").
    if (!folded.empty() && !prefix.empty() && IsSpaceOrTab(prefix.back())) {
        folded += ' ';
    }
    // Names are offered as the lists write them; a prefix typed with other signs ("°C") is kept
    // as typed, so that a shell matching the names against it finds them.
    const std::string normal = NormalizeName(prefix);
    const bool keepTyped = !prefix.empty() && normal != TrimBlanks(prefix, kSpacesAndTabs) &&
                           std::none_of(prefix.begin(), prefix.end(), [](char c) { return c == ' ' || c == '\t'; });
    std::unordered_set<std::string> seen;
    std::string names;
    for (const IndexedUnit& unit : index.units()) {
        if (unit.searchOnly || (onlyGroup >= 0 && unit.group != onlyGroup)) {
            continue;
        }
        for (std::size_t f = 0; f < unit.forms.size(); ++f) {
            const std::string& name = unit.normalForms[f];
            // A name with a line break cannot be offered one a line.
            if (name.find_first_of("\r\n") != std::string::npos || !BeginsWith(unit.foldedForms[f], folded)) {
                continue;
            }
            std::string offered = keepTyped ? std::string(prefix) + name.substr(normal.size()) : name;
            if (seen.insert(offered).second) {
                names += std::string(group) + offered + "\n";
            }
        }
    }
    return names;
}

std::string GroupNamesBeginning(const UnitCatalogue& catalogue, std::string_view prefix) {
    const std::string folded = FoldName(prefix);
    std::string names;
    for (int g = 0; g < kGroupCount; ++g) {
        if (!GroupTakesPart(catalogue, g)) {
            continue;
        }
        std::string name = GroupMenuName(g);
        if (name.empty()) {
            name = NormalizeName(catalogue.GroupName[static_cast<std::size_t>(g)]);
        }
        if (!name.empty() && name.find_first_of("\r\n") == std::string::npos && BeginsWith(FoldName(name), folded)) {
            names += name + "\n";
        }
    }
    return names;
}

}  // namespace halden::cli
