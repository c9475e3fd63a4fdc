#include "app/frmAllUnits.h"

#include "catalogue/unit_catalogue.h"
#include "shared/process_state.h"

#include "shared/platform.h"
#include "shared/ui_accessible.h"
#include "shared/ui_fonts.h"
#include "shared/ui_text.h"
#include "shared/ui_window.h"
#include "shared/ui_window_place.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVBoxLayout>

namespace halden {
namespace {

enum Column { kNameColumn = 0, kResultColumn = 1 };
constexpr int kDefaultWidth = 420;
constexpr int kDefaultHeight = 460;
constexpr int kRowPadding = 4;
}  // namespace

UnitResultTable::UnitResultTable(QWidget* parent) : QTableWidget(parent) {}

void UnitResultTable::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentRow() >= 0) {
        emit rowChosen(currentRow());
        return;
    }
    if (event->matches(QKeySequence::Copy)) {
        emit copyAllRequested();
        return;
    }
    QTableWidget::keyPressEvent(event);
}

frmAllUnits::frmAllUnits(QWidget* parent, const Session& session) : QWidget(parent, Qt::Window), session_(session) {
    MakeCompanionOf(this, parent);
    createControls();
    connectHandlers();
}

frmAllUnits::~frmAllUnits() = default;

void frmAllUnits::createControls() {
    SetAccessibleWindowRole(this, QAccessible::Window);
    setWindowTitle(QStringLiteral(" All Units"));
    setFont(ArialFont(9));

    lblValue = new QLabel(this);
    lblValue->setFont(MinchoFont(9.75));
    lblValue->setTextFormat(Qt::PlainText);

    grdUnits = new UnitResultTable(this);
    grdUnits->setFont(MinchoFont(9.75));
    grdUnits->setColumnCount(2);
    grdUnits->setHorizontalHeaderLabels({QStringLiteral("Unit"), QStringLiteral("Result")});
    grdUnits->verticalHeader()->hide();
    // Rows as close as the unit lists' entries, so that a group's units fit in view.
    grdUnits->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grdUnits->verticalHeader()->setDefaultSectionSize(QFontMetrics(grdUnits->font()).height() + kRowPadding);
    grdUnits->horizontalHeader()->setSectionResizeMode(kNameColumn, QHeaderView::Interactive);
    grdUnits->horizontalHeader()->setStretchLastSection(true);
    grdUnits->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grdUnits->setSelectionBehavior(QAbstractItemView::SelectRows);
    grdUnits->setSelectionMode(QAbstractItemView::SingleSelection);
    grdUnits->setWordWrap(false);
    grdUnits->setTabKeyNavigation(false);
    grdUnits->setAccessibleName(QStringLiteral("Value in every unit"));
    grdUnits->setAccessibleDescription(QStringLiteral("Enter copies the chosen unit's result, Ctrl+C the whole table"));
    grdUnits->setColumnWidth(kNameColumn, kDefaultWidth / 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblValue);
    layout->addWidget(grdUnits);
    resize(kDefaultWidth, kDefaultHeight);
}

void frmAllUnits::connectHandlers() {
    connect(grdUnits, &UnitResultTable::rowChosen, this, &frmAllUnits::grdUnits_RowChosen);
    connect(grdUnits, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { grdUnits_RowChosen(row); });
    connect(grdUnits, &UnitResultTable::copyAllRequested, this, &frmAllUnits::grdUnits_CopyAll);
    InstallEscapeKey(this, [this] { close(); });
}

// The rows for the group's units; their names are set again only when they change (another group,
// or a user group edited in Add Units).
void frmAllUnits::FillNames(int group) {
    const UnitCatalogue& c = session_.catalogue;
    const int count = TargetCount(c, group);
    bool same = group == group_ && static_cast<int>(names_.size()) == count;
    for (int row = 0; same && row < count; ++row) {
        same = names_[static_cast<std::size_t>(row)] ==
               c.UnitName[static_cast<std::size_t>(group)][static_cast<std::size_t>(row)];
    }
    if (same) {
        return;
    }
    group_ = group;
    markedRow_ = -1;
    names_.assign(c.UnitName[static_cast<std::size_t>(group)].begin(),
                  c.UnitName[static_cast<std::size_t>(group)].begin() + count);
    results_.assign(names_.size(), std::string());
    grdUnits->clearContents();
    grdUnits->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        grdUnits->setItem(row, kNameColumn, new QTableWidgetItem(ToQString(names_[static_cast<std::size_t>(row)])));
        auto* result = new QTableWidgetItem();
        result->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grdUnits->setItem(row, kResultColumn, result);
    }
}

void frmAllUnits::MarkFromRow(int row) {
    if (row == markedRow_) {
        return;
    }
    for (const int marked : {markedRow_, row}) {
        if (marked < 0 || marked >= grdUnits->rowCount()) {
            continue;
        }
        for (const int column : {kNameColumn, kResultColumn}) {
            QTableWidgetItem* item = grdUnits->item(marked, column);
            QFont font = item->font();
            font.setBold(marked == row);
            item->setFont(font);
            item->setData(Qt::AccessibleDescriptionRole,
                          marked == row ? QStringLiteral("the unit converted from") : QVariant());
        }
    }
    markedRow_ = row;
    if (row >= 0 && row < grdUnits->rowCount()) {
        grdUnits->scrollToItem(grdUnits->item(row, kNameColumn));
    }
}

void frmAllUnits::Refresh(const AllUnitsInput& input, int warpIdx, const QString& fromName) {
    FillNames(input.group);
    const QString value = QString::fromUtf8(input.text.data(), static_cast<qsizetype>(input.text.size()));
    const QString caption = fromName.isEmpty() ? value : value + QLatin1Char(' ') + fromName;
    if (lblValue->text() != caption) {
        lblValue->setText(caption);
    }
    MarkFromRow(input.from);
    std::vector<std::string> next;
    AllUnitsResults(session_.catalogue, warpIdx, input, next);
    // Only the texts that changed are set, so that a keystroke repaints what it changed.
    for (std::size_t row = 0; row < next.size() && row < results_.size(); ++row) {
        if (next[row] != results_[row]) {
            grdUnits->item(static_cast<int>(row), kResultColumn)->setText(ToQString(next[row]));
        }
    }
    results_ = std::move(next);
}

void frmAllUnits::Open(const std::optional<WindowPlace>& stored, const QWidget* mainWindow) {
    // The first showing of a run goes to the stored place, or beside the main window; later ones
    // keep the place the window had.
    if (!isVisible() && !place_) {
        // A stored place left on a screen since unplugged comes just onto the screen.
        if (stored) {
            resize(stored->width, stored->height);
            RestoreWindowPlace(this, QPoint(stored->left, stored->top));
        } else if (mainWindow != nullptr) {
            PlaceBeside(this, mainWindow);
        }
    }
    open_ = true;
    show();
    raise();
    activateWindow();
}

void frmAllUnits::HideWithMain() {
    const bool wasOpen = open_;
    hide();
    open_ = wasOpen;
}

void frmAllUnits::ShowWithMain() {
    if (open_) {
        setWindowState(windowState() & ~Qt::WindowMinimized);
        show();
    }
}

std::optional<WindowPlace> frmAllUnits::Place() const {
    if (!WindowPlacesKnown()) {
        return std::nullopt;  // the stored place stays as it was
    }
    if (isVisible()) {
        return WindowPlace{pos().x(), pos().y(), width(), height()};
    }
    return place_;
}

void frmAllUnits::NotePlace() { place_ = WindowPlace{pos().x(), pos().y(), width(), height()}; }

QString frmAllUnits::TableText() const {
    QString text;
    for (std::size_t row = 0; row < names_.size() && row < results_.size(); ++row) {
        text += ToQString(names_[row]) + QLatin1Char('\t') + ToQString(results_[row]) + QLatin1Char('\n');
    }
    return text;
}

void frmAllUnits::grdUnits_RowChosen(int row) {
    if (row >= 0 && static_cast<std::size_t>(row) < results_.size()) {
        emit rowCopied(row, ToQString(results_[static_cast<std::size_t>(row)]));
    }
}

void frmAllUnits::grdUnits_CopyAll() { CopyToClipboard(TableText()); }

void frmAllUnits::closeEvent(QCloseEvent* event) {
    if (isVisible()) {
        NotePlace();
    }
    open_ = false;
    event->accept();
}

void frmAllUnits::hideEvent(QHideEvent* event) {
    NotePlace();
    QWidget::hideEvent(event);
}

}  // namespace halden
