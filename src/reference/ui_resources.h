// The pictures and help pages compiled into the program. They live in a static library, so the
// program registers them once before the first window uses them.
#pragma once

class QIcon;

namespace halden {

/// Registers the icon pictures (":/icons/...") and the help pages (":/help/..."); safe to call
/// more than once.
void InitReferenceResources();

/// The application's picture: the level beam balance.
QIcon ApplicationIcon();

}  // namespace halden
