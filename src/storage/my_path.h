// Where the program keeps its files.
#pragma once

#include <string>
#include <string_view>

namespace halden {

/// The directory of the program's files, with a trailing "/": the executable's directory when it
/// already holds one of the files, otherwise $XDG_CONFIG_HOME/halducnv/ (~/.config/halducnv/).
std::string MyPath();

/// The program's two files, in MyPath().
std::string ConfigFilePath();
std::string UserFilePath();

/// The directory of the running executable with a trailing "/"; empty when it cannot be told.
std::string ExecutableDirectory();

/// The same rule for a given executable directory (with or without a trailing "/"; empty when
/// unknown), reading the environment as it is now.
std::string MyPathFor(std::string_view executable_dir);

/// The user's own folder for what the program keeps between sessions when its files' folder cannot
/// take it, with a trailing "/": $XDG_STATE_HOME/halducnv/ (~/.local/state/halducnv/); empty when
/// the user has no home.
std::string StatePath();

}  // namespace halden
