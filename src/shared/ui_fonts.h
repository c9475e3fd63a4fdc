// The program's windows name the fonts of the desktop they were designed on; these are mapped to
// the metric-compatible fonts installed here ("Arial" to Liberation Sans, the Japanese proportional
// Mincho to IPA P Mincho).
#pragma once

#include <QFont>

namespace halden {

/// "Arial" at the given size (Liberation Sans where Arial is not installed).
QFont ArialFont(double points, bool bold = false);
/// The Japanese proportional Mincho the unit and constant lists are written in.
QFont MinchoFont(double points);

/// Registers the font substitutions; safe to call more than once.
void InstallFontSubstitutions();

}  // namespace halden
