// The unit finder: a small popup below the main window's input box in which the user types part
// of a unit's name and picks the unit from a list of matches, whatever group holds it.
#pragma once

#include "catalogue/unit_names.h"

#include <QFrame>

#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;

namespace halden {

class UnitFinder : public QFrame {
    Q_OBJECT

public:
    /// The most matches the list shows.
    static constexpr std::size_t kShownMatches = 50;

    explicit UnitFinder(QWidget* parent);
    ~UnitFinder() override;
    Q_DISABLE_COPY_MOVE(UnitFinder)

    /// Shows the finder with an empty search line just below anchor, as wide as width, over the
    /// units the catalogue holds now.
    void Open(const QWidget* anchor, int width);

    QLineEdit* txtFind = nullptr;
    QListWidget* lstFound = nullptr;
    QLabel* lblKeys = nullptr;
    /// Says that nothing was found (and that near names follow), or why a choice was not taken.
    QLabel* lblHint = nullptr;

signals:
    /// The user chose the unit of group g at list index unit: as the From unit, or as the Into
    /// unit (asInto).
    void unitChosen(int group, int unit, bool asInto);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void txtFind_Change();
    void Choose(int row, bool asInto);
    void MoveCurrent(int step);
    void ShowHint(const QString& hint);

    std::unique_ptr<UnitNameIndex> index_;
    std::vector<FoundUnit> found_;
};

}  // namespace halden
