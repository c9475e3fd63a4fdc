#include "app/unit_finder.h"

#include "catalogue/unit_catalogue.h"
#include "shared/process_state.h"

#include "shared/ui_accessible.h"
#include "shared/ui_input_line.h"
#include "shared/ui_text.h"
#include "shared/ui_window_place.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStringList>
#include <QVBoxLayout>

#include <algorithm>

namespace halden {
namespace {

constexpr int kVisibleRows = 8;
// Near names offered when nothing is found, as the command line offers them.
constexpr std::size_t kSuggestions = 5;

bool IsWarp(const FoundUnit& unit) { return unit.group == kGroupVelocity && unit.unit == kWarpUnit; }

QString FindKeys() { return QStringLiteral("Enter: convert from   Ctrl+Enter: convert into   Esc: close"); }
QString AnswerKeys() { return QStringLiteral("Enter: copy the answer   Ctrl+Enter: open in the lists   Esc: close"); }

// Why a question has no answer, written as the finder's other hints are: a sentence.
QString Sentence(const std::string& reason) {
    QString text = ToQString(reason);
    if (text.isEmpty()) {
        return text;
    }
    text[0] = text[0].toUpper();
    if (!text.endsWith(QLatin1Char('.')) && !text.endsWith(QLatin1Char('?'))) {
        text += QLatin1Char('.');
    }
    return text;
}

}  // namespace

UnitFinder::UnitFinder(QWidget* parent, const Session& session) : QFrame(parent, Qt::Popup), session_(session) {
    setFrameShape(QFrame::Box);
    txtFind = new InputLine(this);
    txtFind->setPlaceholderText(QStringLiteral("Type a unit's name: tsubo, kt, m^2, deg Celsius..."));
    lstFound = new QListWidget(this);
    lstFound->setFocusPolicy(Qt::NoFocus);
    txtFind->setAccessibleName(QStringLiteral("Find unit"));
    lstFound->setAccessibleName(QStringLiteral("Units found"));
    // A dialog of the main window to assistive tools, named as the menu item that opens it.
    SetAccessibleWindowRole(this, QAccessible::Dialog);
    setAccessibleName(QStringLiteral("Find Unit"));
    lblKeys = new QLabel(FindKeys(), this);
    lblHint = new QLabel(this);
    lblHint->setWordWrap(true);
    lblHint->hide();
    lblAnswer = new QLabel(this);
    lblAnswer->setObjectName(QStringLiteral("lblAnswer"));
    lblAnswer->setAccessibleName(QStringLiteral("Answer"));
    lblAnswer->setWordWrap(true);
    lblAnswer->hide();
    // The answer line and the hint change while the user types in the search line: a screen reader
    // is told.
    answerNotice_ = MakeSpokenNotice(this, QStringLiteral("answerNotice"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    layout->addWidget(txtFind);
    layout->addWidget(lblAnswer);
    layout->addWidget(lblHint);
    layout->addWidget(lstFound);
    layout->addWidget(lblKeys);

    txtFind->installEventFilter(this);
    connect(txtFind, &QLineEdit::textChanged, this, [this] { txtFind_Change(); });
    connect(lstFound, &QListWidget::itemClicked, this,
            [this](const QListWidgetItem* item) { Choose(lstFound->row(item), false); });
}

UnitFinder::~UnitFinder() = default;

void UnitFinder::Open(const QWidget* anchor, int width, const QString& text) {
    // The user groups may have changed since the last time.
    index_ = std::make_unique<UnitNameIndex>(session_.catalogue);
    txtFind->setText(text);
    txtFind_Change();
    const int rowHeight = lstFound->fontMetrics().height() + 2;
    lstFound->setFixedHeight(rowHeight * kVisibleRows + 2 * lstFound->frameWidth());
    setFixedWidth(std::max(width, anchor->width()));
    adjustSize();
    // Below the anchor, kept on the screen's free area: the last rows and the key hints stay in
    // sight when the main window stands low or at the right edge.
    move(PopupPlaceOnScreen(this, anchor->mapToGlobal(QPoint(0, anchor->height()))));
    show();
    raise();
    activateWindow();
    txtFind->setFocus();
}

void UnitFinder::txtFind_Change() {
    lstFound->clear();
    const std::string query = ToStdString(txtFind->text());
    // A text that begins with a value is a question: it is answered as it stands, and no unit's
    // name is searched for it.
    question_ =
        index_ ? Answer(query, session_.catalogue, *index_, {session_.settings.pnFigure, session_.settings.pnFormFlag})
               : QuestionAnswer{};
    const bool asked = question_.verdict != QuestionVerdict::NotAQuestion;
    found_ = index_ && !asked ? index_->Search(query, kShownMatches) : std::vector<FoundUnit>{};
    // A name that finds nothing says so, with the units nearest in spelling when there are any.
    QString hint;
    if (found_.empty() && index_ && !asked && !txtFind->text().trimmed().isEmpty()) {
        found_ = index_->Suggest(query, kSuggestions);
        hint = found_.empty()
                   ? QStringLiteral("No unit is named \u201C%1\u201D.").arg(txtFind->text().trimmed())
                   : QStringLiteral("No unit is named \u201C%1\u201D. Did you mean:").arg(txtFind->text().trimmed());
    }
    const bool newHint = hint != lblHint->text();
    ShowAnswer();
    ShowHint(hint);
    const UnitCatalogue& cat = session_.catalogue;
    for (const FoundUnit& unit : found_) {
        const auto g = static_cast<std::size_t>(unit.group);
        lstFound->addItem(ToQString(cat.UnitName[g][static_cast<std::size_t>(unit.unit)]) + QStringLiteral(" \u2014 ") +
                          ToQString(cat.GroupName[g]));
    }
    // The best match is current, so Enter takes it at once.
    lstFound->setCurrentRow(found_.empty() ? -1 : 0);
    // A new hint is heard with the near names it offers; the same hint again says nothing.
    if (newHint && !hint.isEmpty()) {
        QStringList spoken{hint};
        for (int row = 0; row < lstFound->count(); ++row) {
            spoken << lstFound->item(row)->text() + QLatin1Char(row + 1 < lstFound->count() ? ';' : '.');
        }
        Tell(spoken.join(QLatin1Char(' ')));
    } else if (newHint) {
        // The hint has gone: the description is the answer line's again, which was said as it came.
        txtFind->setAccessibleDescription(lblAnswer->text());
    }
}

void UnitFinder::ShowHint(const QString& hint) {
    lblHint->setText(hint);
    lblHint->setVisible(!hint.isEmpty());
    if (isVisible()) {
        adjustSize();
    }
}

void UnitFinder::ShowAnswer() {
    const bool asked = question_.verdict != QuestionVerdict::NotAQuestion;
    lblKeys->setText(asked ? AnswerKeys() : FindKeys());
    QString line;
    if (question_.verdict == QuestionVerdict::Answered) {
        line = ToQString(question_.understood);
    } else if (asked) {
        line = Sentence(question_.reason);
    }
    // A key that leaves the line as it was (a blank typed) says nothing again.
    if (line == lblAnswer->text()) {
        return;
    }
    lblAnswer->setText(line);
    lblAnswer->setVisible(!line.isEmpty());
    Tell(line);
    if (isVisible()) {
        adjustSize();
    }
}

void UnitFinder::Tell(const QString& words) {
    // Spoken as it changes, and read with the search line's name when the focus comes back to it.
    txtFind->setAccessibleDescription(words);
    Say(answerNotice_, words);
}

void UnitFinder::Refuse(const QString& why) {
    ShowHint(why);
    Tell(why);
}

void UnitFinder::TakeAnswer(bool inLists) {
    if (question_.verdict != QuestionVerdict::Answered) {
        Refuse(inLists ? QStringLiteral("There is no answer to open in the lists.")
                       : QStringLiteral("There is no answer to copy."));
        return;
    }
    if (!inLists) {
        // The number alone is copied, as the result box's Copy copies it, ready to be pasted into a
        // calculation; an answer in two units ("5 ft 10.8661 in") is copied whole, as its numbers
        // mean nothing without their units. The history keeps the question as understood.
        const QString text = ToQString(question_.result);
        const QString entry = ToQString(question_.understood);
        close();
        emit answerCopied(text, entry);
        return;
    }
    if (!question_.listUnits) {
        Refuse(
            QStringLiteral("Only a value between two units of the lists opens in the lists: press Enter to copy "
                           "the answer."));
        return;
    }
    if (question_.from == question_.into) {
        // The Into list shows the From unit's entry blank: the lists convert between two units.
        Refuse(QStringLiteral("The lists convert between two different units: press Enter to copy the answer."));
        return;
    }
    close();
    emit answerOpened(question_.group, question_.from, question_.into, ToQString(question_.valueText));
}

void UnitFinder::MoveCurrent(int step) {
    if (lstFound->count() == 0) {
        return;
    }
    lstFound->setCurrentRow(std::clamp(lstFound->currentRow() + step, 0, lstFound->count() - 1));
}

void UnitFinder::Choose(int row, bool asInto) {
    if (row < 0 || static_cast<std::size_t>(row) >= found_.size()) {
        return;
    }
    const FoundUnit unit = found_[static_cast<std::size_t>(row)];
    if (asInto && IsWarp(unit)) {
        // The Into list holds no Warp: a speed is only ever converted from a warp level.
        Refuse(QStringLiteral("Warp can only be converted from: press Enter."));
        return;
    }
    close();
    emit unitChosen(unit.group, unit.unit, asInto);
}

bool UnitFinder::eventFilter(QObject* watched, QEvent* event) {
    if (watched != txtFind || event->type() != QEvent::KeyPress) {
        return QFrame::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
        case Qt::Key_Up:
            MoveCurrent(-1);
            return true;
        case Qt::Key_Down:
            MoveCurrent(1);
            return true;
        case Qt::Key_PageUp:
            MoveCurrent(-kVisibleRows);
            return true;
        case Qt::Key_PageDown:
            MoveCurrent(kVisibleRows);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: {
            const bool ctrl = (key->modifiers() & Qt::ControlModifier) != 0;
            if (question_.verdict != QuestionVerdict::NotAQuestion) {
                TakeAnswer(ctrl);
            } else {
                Choose(lstFound->currentRow(), ctrl);
            }
            return true;
        }
        case Qt::Key_Escape:
            close();
            return true;
        default:
            return QFrame::eventFilter(watched, event);
    }
}

}  // namespace halden
