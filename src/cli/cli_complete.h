// Completion for the shells: the scripts bash, zsh and fish source, and the names they ask the
// program for as the user types (every unit's names and further names, the user's own units
// included, and the group names), so that names with blanks, brackets and kanji complete quoted.
#pragma once

#include "catalogue/unit_names.h"

#include <optional>
#include <string>
#include <string_view>

namespace halden::cli {

/// The completion script for shell ("bash", "zsh" or "fish"); nothing for another shell.
std::optional<std::string_view> CompletionScript(std::string_view shell);

/// Every name of a unit that begins with prefix (case ignored, as the names are read), one a line,
/// each once, in the lists' order. Velocity's Warp is no name the command line takes.
std::string UnitNamesBeginning(const UnitNameIndex& index, std::string_view prefix);

/// The names of the groups that take part, as the Convert menu names them, that begin with prefix
/// (case ignored), one a line.
std::string GroupNamesBeginning(const UnitCatalogue& catalogue, std::string_view prefix);

}  // namespace halden::cli
