// The program's windows name the fonts of the desktop they were designed on; these are mapped to
// the metric-compatible fonts installed here ("Arial" to Liberation Sans, the Japanese proportional
// Mincho to IPA P Mincho).
#pragma once

namespace halden {

/// Registers the font substitutions; safe to call more than once.
void InstallFontSubstitutions();

}  // namespace halden
