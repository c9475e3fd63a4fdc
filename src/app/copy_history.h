// The Edit > History menu: the last results copied, newest first, each a menu item that puts its
// text back on the clipboard.
#pragma once

#include "catalogue/menu_texts.h"

#include <QString>

#include <array>

class QAction;
class QMenu;

namespace halden {

class CopyHistory {
public:
    using Items = std::array<QAction*, kHistoryItems>;

    /// The history shows in the menu `menu` points to, through its `items` (both made later,
    /// with the menu bar; the first item visible).
    CopyHistory(QMenu* const& menu, const Items& items);

    /// Puts `entry` first; the oldest entry drops off when the history is full.
    void Add(const QString& entry);
    /// Copies the entry at `index` (0 = newest) to the clipboard.
    void CopyEntry(int index) const;

private:
    QMenu* const& menu_;
    const Items& items_;
    std::array<QString, kHistoryItems> texts_{};
    int count_ = 0;
};

}  // namespace halden
