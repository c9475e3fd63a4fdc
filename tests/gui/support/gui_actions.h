// What the GUI tests do to the windows as a user would, and the small file helpers several
// tests share.
#pragma once

#include "catalogue/unit_catalogue.h"

#include <QString>

#include <optional>
#include <string>

class QComboBox;
class QLineEdit;
class QListWidget;
class QWidget;

namespace halden {
class ToolButton;
}

namespace halden::test {

/// A left click on a flat tool button (press and release inside it), with the given modifiers.
void Click(ToolButton* button, Qt::KeyboardModifiers modifiers = {});
/// What the window system sends when the user clicks a window's close box.
void CloseBox(QWidget* window);
/// Runs the deletions windows asked for when they closed.
void DeletePending();
/// Replaces a box's text key by key, as a user who selects everything and types over it.
void TypeOver(QLineEdit* box, const QString& text);
/// Picks an entry of a combo's list with the keyboard (arrow keys pick as a click does).
void PickGroup(QComboBox* combo, int index);
/// The row of the list entry with exactly this text, or -1.
int RowOf(const QListWidget* list, const QString& text);

/// The bytes of a file, or std::nullopt when it cannot be read.
std::optional<std::string> ReadBytes(const QString& path);
/// Writes a file (creating its directory); false when that fails.
bool WriteBytes(const QString& path, const std::string& bytes);

/// Writes the settings file (its bytes as given) and the user units file for units into dir, as
/// a previous run would have left them; false when a file cannot be written.
bool WriteProgramFiles(const QString& dir, const std::string& configBytes, const UserUnits& units);

}  // namespace halden::test
