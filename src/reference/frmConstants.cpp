#include "reference/frmConstants.h"

#include "reference/constants_table.h"
#include "shared/process_state.h"

#include "shared/platform.h"
#include "shared/ui_accessible.h"
#include "shared/ui_fonts.h"
#include "shared/ui_text.h"
#include "shared/ui_twips.h"
#include "shared/ui_window.h"
#include "shared/ui_window_place.h"

#include <QCloseEvent>
#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

#include <algorithm>
#include <array>
#include <string>

namespace halden {
namespace {

constexpr int kListLeft = 10;
constexpr int kHeadingTop = 3;
constexpr int kVisibleRows = 14;
constexpr int kButtonWidthTwips = 990;
constexpr int kButtonHeightTwips = 315;
constexpr int kButtonGap = 8;
constexpr int kButtonsBelowLists = 12;
// Room beside the widest entry of a column for the list's item margins.
constexpr int kListTextMargin = 10;

QFont ListFont() { return MinchoFont(9.75); }

QFont CaptionFont() { return ArialFont(9); }

// The widest entry a column ever shows, on either page.
int WidestColumnEntry(const QFontMetrics& metrics, ConstantsColumn column) {
    int widest = 0;
    for (int page : {kConstantsFirstPage, kConstantsSecondPage}) {
        for (const std::string& entry : ConstantsPageEntries(page, column)) {
            widest = std::max(widest, metrics.horizontalAdvance(ToQString(entry)));
        }
    }
    return widest;
}

int SelectedRow(const QListWidget* list) {
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

}  // namespace

frmConstants::frmConstants(QWidget* parent, const Session& session) : QWidget(parent, Qt::Window), session_(session) {
    MakeCompanionOf(this, parent);
    createControls();
    connectHandlers();
    InstallHelpKey(this, HelpCommand::Context, kHelpContextConstants);
    Form_Load();
}

frmConstants::~frmConstants() = default;

void frmConstants::createControls() {
    UseFixedSizeFrame(this);
    SetAccessibleWindowRole(this, QAccessible::Window);
    setWindowTitle(QStringLiteral(" Constants"));
    setFont(ListFont());

    const auto makeHeading = [this](const char* caption) {
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        label->setFont(CaptionFont());
        label->adjustSize();
        return label;
    };
    lblQuantity = makeHeading("Quantity");
    lblSymbol = makeHeading("Symbol");
    lblUnit = makeHeading("Unit");
    lblValue = makeHeading("Value");

    const auto makeList = [this] {
        auto* list = new QListWidget(this);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        list->setUniformItemSizes(true);
        return list;
    };
    lstQuantity = makeList();
    lstSymbol = makeList();
    lstUnit = makeList();
    lstValue = makeList();
    // Each column is named by its heading, as a screen reader has no other way to tell them apart.
    lstQuantity->setAccessibleName(QStringLiteral("Quantity"));
    lstSymbol->setAccessibleName(QStringLiteral("Symbol"));
    lstUnit->setAccessibleName(QStringLiteral("Unit"));
    lstValue->setAccessibleName(QStringLiteral("Value"));

    const auto makeButton = [this](const char* caption) {
        auto* button = new QPushButton(QString::fromLatin1(caption), this);
        button->setFont(CaptionFont());
        button->setAutoDefault(false);
        return button;
    };
    cmdCopy = makeButton("&Copy");
    cmdCancel = makeButton("C&lose");
    cmdHelp = makeButton("&Help");
    cmdNext = makeButton("&Page");
}

void frmConstants::connectHandlers() {
    connect(cmdNext, &QPushButton::clicked, this, &frmConstants::cmdNext_Click);
    connect(cmdCopy, &QPushButton::clicked, this, &frmConstants::cmdCopy_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmConstants::cmdCancel_Click);
    connect(cmdHelp, &QPushButton::clicked, this, &frmConstants::cmdHelp_Click);
    InstallEscapeKey(this, [this] { cmdCancel_Click(); });
}

void frmConstants::Form_Load() {
    page_ = kConstantsFirstPage;
    place_.RestoreTo(this);
    fillPage();
    arrangeControls();
}

void frmConstants::arrangeControls() {
    const QFontMetrics listMetrics(lstQuantity->font());
    const int frame = lstQuantity->frameWidth();
    // One line of the lists, as the list draws it; the border comes on top, so that all 14
    // entries of the first page show without scrolling.
    const int lineHeight = std::max(listMetrics.height(), lstQuantity->sizeHintForRow(0));
    const int listHeight = kVisibleRows * lineHeight + 2 * frame;
    const int headingHeight = lblQuantity->height();
    const int listTop = kHeadingTop + headingHeight;

    const std::array<QListWidget*, 4> lists{lstQuantity, lstSymbol, lstUnit, lstValue};
    const std::array<QLabel*, 4> headings{lblQuantity, lblSymbol, lblUnit, lblValue};
    const std::array<ConstantsColumn, 4> columns{ConstantsColumn::Quantity, ConstantsColumn::Symbol,
                                                 ConstantsColumn::Unit, ConstantsColumn::Value};
    // Each list starts a little before the right edge of the one on its left, so the borders
    // overlap: Symbol 1 pixel, Unit 2 pixels, Value 1 pixel.
    const std::array<int, 4> overlap{0, 1, 2, 1};

    int left = kListLeft;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const int width = std::max(WidestColumnEntry(listMetrics, columns[i]) + kListTextMargin + 2 * frame,
                                   headings[i]->width() + 2 * frame);
        if (i > 0) {
            left = lists[i - 1]->x() + lists[i - 1]->width() - overlap[i];
        }
        lists[i]->setGeometry(left, listTop, width, listHeight);
        headings[i]->move(left + (width - headings[i]->width()) / 2, kHeadingTop);
    }

    const int buttonWidth = PixelsX(kButtonWidthTwips);
    const int buttonHeight = PixelsY(kButtonHeightTwips);
    const int buttonTop = listTop + listHeight + kButtonsBelowLists;
    const int valueRight = lstValue->x() + lstValue->width();
    const std::array<QPushButton*, 4> buttons{cmdCopy, cmdCancel, cmdHelp, cmdNext};
    int right = valueRight;
    for (auto it = buttons.rbegin(); it != buttons.rend(); ++it) {
        (*it)->setGeometry(right - buttonWidth, buttonTop, buttonWidth, buttonHeight);
        right = (*it)->x() - kButtonGap;
    }

    outerWidth_ = valueRight + 16;
    heightBelowTitle_ = kHeadingTop + headingHeight + listHeight + buttonHeight + 24;
    applyWindowSize();
}

void frmConstants::applyWindowSize() {
    const int outerHeight = platform().GetNonClientHeight(this) + heightBelowTitle_;
    ResizeWindowTwips(this, TwipsX(outerWidth_), TwipsY(outerHeight));
}

void frmConstants::fillPage() {
    const std::array<std::pair<QListWidget*, ConstantsColumn>, 4> columns{{{lstQuantity, ConstantsColumn::Quantity},
                                                                           {lstSymbol, ConstantsColumn::Symbol},
                                                                           {lstUnit, ConstantsColumn::Unit},
                                                                           {lstValue, ConstantsColumn::Value}}};
    for (const auto& [list, column] : columns) {
        list->clear();
        for (const std::string& entry : ConstantsPageEntries(page_, column)) {
            list->addItem(ToQString(entry));
        }
    }
    // The four lists show a constant's line side by side; a screen reader reads one list at a time,
    // so each entry is named by its whole line: "Planck定数, ｈ = 6.626 176 E-34 J/Hz".
    for (int row = 0; row < lstQuantity->count(); ++row) {
        const QString quantity = lstQuantity->item(row)->text();
        const QString line = quantity.trimmed().isEmpty()
                                 ? SpokenEntry(quantity)
                                 : QStringLiteral("%1, %2 = %3 %4")
                                       .arg(quantity, lstSymbol->item(row)->text(), lstValue->item(row)->text(),
                                            lstUnit->item(row)->text())
                                       .trimmed();
        for (QListWidget* list : {lstQuantity, lstSymbol, lstUnit, lstValue}) {
            list->item(row)->setData(Qt::AccessibleTextRole, line);
        }
    }
}

void frmConstants::cmdNext_Click() {
    page_ = page_ == kConstantsFirstPage ? kConstantsSecondPage : kConstantsFirstPage;
    fillPage();
}

void frmConstants::cmdCopy_Click() {
    const std::string text =
        ConstantsCopy(page_, SelectedRow(lstQuantity), SelectedRow(lstUnit), SelectedRow(lstValue));
    CopyToClipboard(ToQString(text));
}

void frmConstants::cmdCancel_Click() {
    StorePlace();
    session_.state.pbConstantsOpen = false;
    close();
}

void frmConstants::cmdHelp_Click() { platform().ShowHelp(this, HelpCommand::Context, kHelpContextConstants); }

void frmConstants::StorePlace() {
    if (windowHandle() != nullptr) {
        place_.StoreFrom(this);
    }
}

void frmConstants::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placePending_) {
        placePending_ = false;
        place_.RestoreTo(this);
    }
    // The frame is known only once the window is mapped; the outer size counts it.
    applyWindowSize();
}

void frmConstants::closeEvent(QCloseEvent* event) {
    if (event->spontaneous()) {
        StorePlace();
        session_.state.pbConstantsOpen = false;
    }
    // Closed is unloaded: the next showing starts on page 1, without selections, at the stored
    // place. The place is taken when shown, so a position read at shutdown is still where the
    // user left the window.
    page_ = kConstantsFirstPage;
    fillPage();
    placePending_ = true;
    event->accept();
}

}  // namespace halden
