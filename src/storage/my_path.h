// Where the program keeps its files.
#pragma once

#include <string>

namespace halden {

/// The directory of the program's files, with a trailing "/": the executable's directory when it
/// already holds one of the files, otherwise $XDG_CONFIG_HOME/halducnv/ (~/.config/halducnv/).
std::string MyPath();

}  // namespace halden
