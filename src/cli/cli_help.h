// What --help and --version print.
#pragma once

#include <string_view>

namespace halden::cli {

/// The usage: every option, how units are named, the exit statuses and the files read.
std::string_view HelpText();
/// The program's name and version, one line.
std::string_view VersionText();

}  // namespace halden::cli
