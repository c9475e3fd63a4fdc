// The pictures and help pages compiled into the program. They live in a static library, so the
// program registers them once before the first window uses them.
#pragma once

class QIcon;
class QString;

namespace halden {

/// Registers every compiled-in picture (":/icons/...") and help page (":/help/...") and the font
/// substitutions the windows' fonts need. The program calls it once at its start, before any
/// window; later calls do nothing.
void InitResources();

/// The application id: the name of the desktop entry, the AppStream metainfo and the icon.
QString ApplicationId();

/// The application's icon, the level beam balance, in every size of the installed icon set
/// (16 to 256 pixels); the windows' title bars and the task bar show it.
QIcon ApplicationIcon();

}  // namespace halden
