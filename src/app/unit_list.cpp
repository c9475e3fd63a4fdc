#include "app/unit_list.h"

#include "shared/ui_accessible.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

namespace halden {

UnitList::UnitList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Long unit names are cut at the list's edge, as in a plain list box; a horizontal bar would
    // take two entries' room.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideNone);
    // A change of the current entry, by mouse or by key, is a choice; so is a click on the entry
    // already current.
    connect(this, &QListWidget::currentRowChanged, this, &UnitList::RowChanged);
    connect(this, &QListWidget::itemClicked, this, &UnitList::ItemClicked);
    // An entry that shows nothing (the Into list's entry of the From unit, a user group's blank
    // slot) is named for a screen reader, which would otherwise say nothing at all.
    connect(model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex&, int first, int last) { NameBlankEntries(first, last); });
    connect(model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& from, const QModelIndex& to) { NameBlankEntries(from.row(), to.row()); });
}

void UnitList::NameBlankEntries(int first, int last) {
    for (int row = first; row <= last; ++row) {
        QListWidgetItem* entry = item(row);
        if (entry == nullptr) {
            continue;
        }
        // Only a blank entry carries a name of its own (an entry with text is named by it); the
        // name set or cleared changes the entry once more, and that change finds nothing to do.
        const bool blank = entry->text().trimmed().isEmpty();
        if (blank != entry->data(Qt::AccessibleTextRole).isValid()) {
            entry->setData(Qt::AccessibleTextRole, blank ? QVariant(SpokenEntry(entry->text())) : QVariant());
        }
    }
}

template <typename Change>
void UnitList::Quietly(Change change) {
    const bool wasQuiet = quiet_;
    quiet_ = true;
    change();
    quiet_ = wasQuiet;
}

void UnitList::Fill(const QStringList& names) {
    Quietly([&] {
        clear();
        addItems(names);
    });
    // A refilled list starts at its first entry, wherever the old one was scrolled to.
    scrollToTop();
}

void UnitList::Choose(int row) {
    if (row == currentRow()) {
        emit unitChosen();
    } else {
        setCurrentRow(row);
    }
}

void UnitList::RowChanged(int row) {
    if (quiet_ || row < 0) {
        return;
    }
    rowChangedSincePress_ = true;
    emit unitChosen();
}

void UnitList::ItemClicked() {
    if (!rowChangedSincePress_) {
        emit unitChosen();
    }
    rowChangedSincePress_ = false;
}

void UnitList::focusInEvent(QFocusEvent* event) {
    if (currentRow() >= 0) {
        QListWidget::focusInEvent(event);
        return;
    }
    // A list that gets the focus by Tab, by a closing menu or by the window's activation makes its
    // first entry current. No unit is chosen until the user picks one, so that entry is let go
    // again without it counting as a choice.
    Quietly([&] {
        QListWidget::focusInEvent(event);
        setCurrentRow(-1, QItemSelectionModel::NoUpdate);
    });
}

void UnitList::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (enterTaken_ && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        emit enterPressed();
        return;
    }
    if (currentRow() < 0 && (key == Qt::Key_End || key == Qt::Key_PageDown)) {
        // A list without a current entry starts every move at its first entry; End and Page Down
        // move on from there, so End reaches the last unit (Warp in Velocity).
        Quietly([&] { setCurrentRow(0, QItemSelectionModel::NoUpdate); });
    }
    const bool wasByKey = byKey_;
    byKey_ = true;
    QListWidget::keyPressEvent(event);
    byKey_ = wasByKey;
}

void UnitList::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) {
        emit keyReleased();
    }
    QListWidget::keyReleaseEvent(event);
}

bool UnitList::ChoosingPress(const QMouseEvent* event) const {
    // Only the left button chooses a unit, as in a plain list box; a click on no entry (below the
    // last one) leaves the choice and its highlight as they were.
    return event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid();
}

void UnitList::mousePressEvent(QMouseEvent* event) {
    if (!ChoosingPress(event)) {
        return;
    }
    rowChangedSincePress_ = false;
    QListWidget::mousePressEvent(event);
}

void UnitList::mouseDoubleClickEvent(QMouseEvent* event) {
    if (!ChoosingPress(event)) {
        return;
    }
    rowChangedSincePress_ = false;
    QListWidget::mouseDoubleClickEvent(event);
}

}  // namespace halden
