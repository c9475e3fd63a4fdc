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

/// Typed or committed text with the full-width forms, the no-break spaces and the minus sign as
/// their ASCII characters, one character for one, so that positions in it keep (AsciiTypedText).
QString AsciiInputText(const QString& text);
/// Pasted or dropped text as a one-line input box takes it: its first line, line breaks at either
/// end dropped (PastedLine), in ASCII forms as AsciiInputText gives them. Text that needs neither
/// comes back exactly as it came.
QString PastedInputText(const QString& text);

/// A text the user typed (a history entry, a user group's name) as a menu item shows it
/// literally: an "&" in it is not an access key.
QString MenuLiteral(QString text);

}  // namespace halden
