// Texts between the core (UTF-8 std::string) and the windows (QString), character for character.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace halden {

/// The UTF-8 text as a QString, every character kept: a leading U+FEFF stays, where
/// QString::fromStdString would take it for a byte order mark and drop it.
QString ToQString(std::string_view text);
/// The QString as UTF-8, every character kept.
std::string ToStdString(const QString& text);

}  // namespace halden
