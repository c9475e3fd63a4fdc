#include "reference/frmEquiv.h"

#include "reference/equivalence_table.h"
#include "shared/process_state.h"

#include "shared/platform.h"
#include "shared/ui_accessible.h"
#include "shared/ui_fonts.h"
#include "shared/ui_resources.h"
#include "shared/ui_text.h"
#include "shared/ui_twips.h"
#include "shared/ui_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QScreen>

#include <algorithm>

namespace halden {
namespace {

constexpr int kEquivVisibleRows = 9;
constexpr int kEquivHeadingTop = 3;
constexpr int kFirstListLeft = 10;
constexpr int kRightMargin = 16;
constexpr int kBottomMargin = 10;
constexpr int kTextPadding = 12;

QFont JapaneseSerifFont() { return MinchoFont(9.75); }

QFont EquivalenceFont() { return ArialFont(9.0); }

int WidestListItem(const QListWidget* list) {
    const QFontMetrics metrics(list->font());
    int widest = 0;
    for (int row = 0; row < list->count(); ++row) {
        widest = std::max(widest, metrics.horizontalAdvance(list->item(row)->text()));
    }
    return widest;
}

}  // namespace

frmEquiv::frmEquiv(QWidget* parent, const Session& session) : QWidget(parent, Qt::Window), session_(session) {
    UseFixedSizeFrame(this);
    MakeCompanionOf(this, parent);
    setAttribute(Qt::WA_DeleteOnClose);
    createControls();
    InstallHelpKey(this, HelpCommand::Context, kHelpContextEquivalence);
    InstallEscapeKey(this, [this] { close(); });
    Form_Load();
}

frmEquiv::~frmEquiv() = default;

void frmEquiv::Form_Load() {
    setWindowTitle(QStringLiteral(" Equivalence"));
    setWindowIcon(ApplicationIcon());
    setFont(EquivalenceFont());
    fillLists();
    // Centred by the design size before the layout gives the window its final size, so every
    // opening lands at the same place.
    centreOnScreen();
    arrangeControls();
}

void frmEquiv::createControls() {
    lblQuantity = new QLabel(QStringLiteral("Quantity"), this);
    lblSIUnit = new QLabel(QStringLiteral("SI Unit"), this);
    lblAlternative = new QLabel(QStringLiteral("Alternative"), this);
    for (QListWidget** list : {&lstQuantity, &lstSIUnit, &lstAlternative}) {
        *list = new QListWidget(this);
        (*list)->setFont(JapaneseSerifFont());
        (*list)->setSelectionMode(QAbstractItemView::SingleSelection);
        (*list)->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        (*list)->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    }
    // Each column is named by its heading, as a screen reader has no other way to tell them apart.
    lstQuantity->setAccessibleName(lblQuantity->text());
    lstSIUnit->setAccessibleName(lblSIUnit->text());
    lstAlternative->setAccessibleName(lblAlternative->text());
    SetAccessibleWindowRole(this, QAccessible::Window);
}

void frmEquiv::fillLists() {
    for (const EquivalenceRow& row : EquivalenceTable()) {
        lstQuantity->addItem(ToQString(row.Quantity));
        lstSIUnit->addItem(ToQString(row.SiUnit));
        lstAlternative->addItem(ToQString(row.Alternative));
        // The three lists show a row side by side; a screen reader reads one list at a time, so
        // each entry is named by its whole row: "光束: lumen (lm) = cd-sr".
        const QString line = QStringLiteral("%1: %2 = %3")
                                 .arg(ToQString(row.Quantity), ToQString(row.SiUnit), ToQString(row.Alternative));
        for (QListWidget* list : {lstQuantity, lstSIUnit, lstAlternative}) {
            list->item(list->count() - 1)->setData(Qt::AccessibleTextRole, line);
        }
    }
}

void frmEquiv::centreOnScreen() { CentreWindowTwips(this, kDesignWidth, kDesignHeight); }

void frmEquiv::arrangeControls() {
    // One line of the lists' font, measured on the first entry; the list's frame comes on top so
    // that all nine rows show without scrolling.
    const int lineHeight = std::max(1, lstQuantity->sizeHintForRow(0));
    const int listHeight = kEquivVisibleRows * lineHeight + 2 * lstQuantity->frameWidth();
    const int headingHeight = QFontMetrics(lblQuantity->font()).height();

    struct Column {
        QLabel* heading;
        QListWidget* list;
    };
    const Column columns[] = {{lblQuantity, lstQuantity}, {lblSIUnit, lstSIUnit}, {lblAlternative, lstAlternative}};
    int left = kFirstListLeft;
    int right = left;
    for (const Column& column : columns) {
        const int textWidth = std::max(WidestListItem(column.list),
                                       QFontMetrics(column.heading->font()).horizontalAdvance(column.heading->text()));
        const int width = textWidth + kTextPadding + 2 * column.list->frameWidth();
        column.heading->setGeometry(left, kEquivHeadingTop, width, headingHeight);
        column.list->setGeometry(left, kEquivHeadingTop + headingHeight, width, listHeight);
        right = left + width;
        // The next list starts one pixel before this one's right edge, so the borders overlap.
        left = right - 1;
    }

    const int width = TwipsX(right + kRightMargin);
    const int height =
        TwipsY(platform().GetNonClientHeight(this) + kEquivHeadingTop + headingHeight + listHeight + kBottomMargin);
    ResizeWindowTwips(this, width, height);
}

void frmEquiv::Unload() {
    unloadingForProgram_ = true;
    close();
}

void frmEquiv::closeEvent(QCloseEvent* event) {
    if (!unloadingForProgram_) {
        session_.state.pbEquivOpen = false;
    }
    event->accept();
}

}  // namespace halden
