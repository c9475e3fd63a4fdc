#include "app/copy_history.h"

#include "shared/platform.h"
#include "shared/ui_text.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace halden {

CopyHistory::CopyHistory(QMenu* const& menu, const Items& items) : menu_(menu), items_(items) {}

void CopyHistory::Add(const QString& entry) {
    menu_->setEnabled(true);
    count_ = std::min(count_ + 1, kHistoryItems);
    items_[static_cast<std::size_t>(count_ - 1)]->setVisible(true);
    std::move_backward(texts_.begin(), texts_.begin() + count_ - 1, texts_.begin() + count_);
    texts_[0] = entry;
    for (int k = 0; k < count_; ++k) {
        const auto at = static_cast<std::size_t>(k);
        items_[at]->setText(MenuLiteral(texts_[at]));
    }
}

void CopyHistory::CopyEntry(int index) const { CopyToClipboard(texts_[static_cast<std::size_t>(index)]); }

}  // namespace halden
