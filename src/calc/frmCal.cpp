#include "calc/frmCal.h"

#include "calc/evaluator.h"
#include "numbers/format_result.h"
#include "shared/process_state.h"

#include "shared/platform.h"
#include "shared/ui_accessible.h"
#include "shared/ui_fonts.h"
#include "shared/ui_input_line.h"
#include "shared/ui_text.h"
#include "shared/ui_twips.h"
#include "shared/ui_window.h"
#include "shared/ui_window_place.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <string>

namespace halden {
namespace {

constexpr int kInputLeft = 8;
constexpr int kInputTopTwips = 75;
constexpr int kExecWidth = 25;
constexpr int kReplaceWidth = 18;
constexpr int kLoadedInputWidth = 100;
constexpr int kMinResultWidth = 110;
// Text-box margin the measured width of an input text gets on top.
constexpr int kInputTextMargin = 20;
// A window wider than the window system can map is of no use; texts beyond this width are cut.
constexpr int kMaxBoxWidth = 16000;

// What a button does and its key, shown by the mouse and read by a screen reader alike.
void DescribeButton(QPushButton* button, const QString& text) {
    button->setToolTip(text);
    button->setAccessibleDescription(text);
}

bool IsEnterKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

}  // namespace

frmCal::frmCal(QWidget* parent, const Session& session) : QWidget(parent, Qt::Window), session_(session) {
    MakeCompanionOf(this, parent);
    createControls();
    connectHandlers();
    InstallHelpKey(this, HelpCommand::Context, kHelpContextCalculator);
    Form_Load();
}

frmCal::~frmCal() = default;

void frmCal::createControls() {
    UseFixedSizeFrame(this);
    setWindowTitle(QStringLiteral("Halden Unit Converter - Calculator"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/calculator.xpm")));

    cboInput = new QComboBox(this);
    cboInput->setEditable(true);
    // Set before the completer is taken away below: a new edit field comes with a completer.
    cboInput->setLineEdit(new InputLine(cboInput));
    // The history is kept by Execute alone: Enter never adds an entry, and typing never completes
    // from the history.
    cboInput->setInsertPolicy(QComboBox::NoInsert);
    cboInput->setCompleter(nullptr);
    cboInput->setFont(ArialFont(10.5, false));

    cmdExecCalc = new QPushButton(QStringLiteral("="), this);
    cmdExecCalc->setFont(ArialFont(11.25, true));
    cmdExecCalc->setAutoDefault(false);

    cmdReplace = new QPushButton(QStringLiteral("<"), this);
    cmdReplace->setFont(ArialFont(9, true));
    cmdReplace->setAutoDefault(false);

    txtCalResult = new QLineEdit(this);
    txtCalResult->setFont(ArialFont(10.5, false));
    // Shows results only, as the converter's result box does: typing there would go nowhere.
    txtCalResult->setReadOnly(true);

    // The buttons' captions are signs, and the boxes have no label: each is named for a screen reader.
    // The edit field is the combo box itself to its user, heard under the combo box's one name.
    cboInput->setAccessibleName(QStringLiteral("Expression"));
    cmdExecCalc->setAccessibleName(QStringLiteral("Calculate"));
    cmdReplace->setAccessibleName(QStringLiteral("Use result as expression"));
    DescribeButton(cmdExecCalc, QStringLiteral("Calculates the expression (Enter)"));
    DescribeButton(cmdReplace, QStringLiteral("Puts the result back into the expression (Ctrl+R)"));
    txtCalResult->setAccessibleName(QStringLiteral("Calculation result"));
    AnnounceChangesOf(txtCalResult, {cboInput, cboInput->lineEdit()},
                      [](const QString& result) { return QStringLiteral("Result: ") + result; });
    SetAccessibleWindowRole(this, QAccessible::Window);

    lblDummy = new QLabel(this);
    lblDummy->setFont(ArialFont(11.25, false));
    // Typed text is measured as typed, even when it looks like markup.
    lblDummy->setTextFormat(Qt::PlainText);
    lblDummy->hide();

    setTabOrder(cboInput, cmdExecCalc);
    setTabOrder(cmdExecCalc, cmdReplace);
    setTabOrder(cmdReplace, txtCalResult);
}

void frmCal::connectHandlers() {
    connect(cboInput, &QComboBox::editTextChanged, this, &frmCal::cboInput_Change);
    connect(cmdExecCalc, &QPushButton::clicked, this, &frmCal::cmdExecCalc_Click);
    connect(cmdReplace, &QPushButton::clicked, this, &frmCal::cmdReplace_Click);
    // Enter may reach the combo box or its edit field first, depending on where focus sits.
    cboInput->installEventFilter(this);
    cboInput->lineEdit()->installEventFilter(this);
    auto* replaceKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this);
    replaceKey->setContext(Qt::WindowShortcut);
    connect(replaceKey, &QShortcut::activated, cmdReplace, &QPushButton::click);
    // Escape closes the window as its close box does, the place where it stands kept for next time.
    InstallEscapeKey(this, [this] {
        closingByUser_ = true;
        close();
        closingByUser_ = false;
    });
}

void frmCal::Form_Load() {
    place_.RestoreTo(this);
    loadContents();
}

void frmCal::loadContents() {
    {
        // A freshly loaded window starts empty; emptying is not a typed change to be measured.
        const QSignalBlocker quiet(cboInput);
        cboInput->clear();
        cboInput->setEditText(QString());
    }
    txtCalResult->clear();
    history_ = CalculatorHistory{};
    nInputWidth = kLoadedInputWidth;
    nResultWidth = kMinResultWidth;

    const int inputTop = PixelsY(kInputTopTwips);
    const int inputHeight = cboInput->sizeHint().height();
    cboInput->move(kInputLeft, inputTop);
    cboInput->resize(nInputWidth, inputHeight);
    txtCalResult->move(txtCalResult->x(), inputTop);
    txtCalResult->resize(nResultWidth, inputHeight);
    const int buttonHeight = inputHeight - 3;
    cmdExecCalc->setGeometry(cmdExecCalc->x(), inputTop + 1, kExecWidth, buttonHeight);
    cmdReplace->setGeometry(cmdReplace->x(), inputTop + 1, kReplaceWidth, buttonHeight);

    ArrangeCalculator();
}

int frmCal::formHeightTwips() {
    const int inputBottom = cboInput->y() + cboInput->height();
    return (platform().GetNonClientHeight(this) + inputBottom + 4) * PixelTwipsY();
}

int frmCal::MeasureText(const QString& text) {
    lblDummy->setText(text);
    lblDummy->adjustSize();
    const double tppx = PixelTwipsX();
    return static_cast<int>(std::nearbyint(lblDummy->width() + 220.0 / tppx));
}

void frmCal::ArrangeCalculator() {
    const int tppx = PixelTwipsX();
    nInputWidth = std::min(nInputWidth, kMaxBoxWidth);
    nResultWidth = std::min(nResultWidth, kMaxBoxWidth);
    nFormWidth = (nInputWidth + kInputLeft + kExecWidth + nResultWidth + kReplaceWidth + 12) * tppx;
    if (nFormWidth < leastWidth_) {
        // The extra width always goes to the input box.
        nInputWidth += static_cast<int>(std::nearbyint(static_cast<double>(leastWidth_ - nFormWidth) / tppx));
        nFormWidth = leastWidth_;
    }
    FitToScreen(tppx);
    cboInput->resize(nInputWidth, cboInput->height());
    txtCalResult->resize(nResultWidth, txtCalResult->height());
    cmdExecCalc->move(cboInput->x() + nInputWidth, cmdExecCalc->y());
    txtCalResult->move(cmdExecCalc->x() + cmdExecCalc->width(), txtCalResult->y());
    cmdReplace->move(txtCalResult->x() + nResultWidth, cmdReplace->y());
    applyWindowSize();
}

void frmCal::FitToScreen(int tppx) {
    // A window wider than the screen's free width stops at that width: the boxes give up the rest
    // (the input box first, down to its width at load, then the result box down to its least) and
    // scroll their texts, so that "=" and "<" stay on the screen.
    const int limit = AvailableScreenWidthTwips(this);
    if (limit <= 0 || nFormWidth <= limit) {
        return;
    }
    int excess = (nFormWidth - limit + tppx - 1) / tppx;
    const int fromInput = std::clamp(nInputWidth - kLoadedInputWidth, 0, excess);
    nInputWidth -= fromInput;
    excess -= fromInput;
    nResultWidth -= std::clamp(nResultWidth - kMinResultWidth, 0, excess);
    nFormWidth = (nInputWidth + kInputLeft + kExecWidth + nResultWidth + kReplaceWidth + 12) * tppx;
}

void frmCal::applyWindowSize() {
    ResizeWindowTwips(this, nFormWidth, formHeightTwips());
    // Grown past the screen's right edge, the window moves left so that "<" stays reachable; as
    // it shrinks again it goes back towards where the user had it (moved since, it stays there).
    const QScreen* shown = screen();
    if (!isVisible() || shown == nullptr) {
        return;
    }
    if (!pushedLeft_ || x() != pushedTo_) {
        homeLeft_ = x();
    }
    const QRect free = shown->availableGeometry();
    const int outerWidth = PixelsX(nFormWidth);
    const int left = std::max(free.x(), std::min(homeLeft_, free.x() + free.width() - outerWidth));
    pushedLeft_ = left != homeLeft_;
    pushedTo_ = left;
    if (left != x()) {
        move(left, y());
    }
}

void frmCal::cboInput_Change(const QString& text) {
    nInputWidth = MeasureText(text) + kInputTextMargin;
    ArrangeCalculator();
}

bool frmCal::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == cboInput || watched == cboInput->lineEdit()) && IsEnterKey(event)) {
        cmdExecCalc_Click();
        return true;  // the key is used up: the box never sees it
    }
    return QWidget::eventFilter(watched, event);
}

void frmCal::BringToFront() {
    // Shown still minimised, it would stay out of sight: it has no task bar button of its own.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    // An open calculator behind other windows comes to the front with the keyboard, as a newly
    // shown one does.
    raise();
    activateWindow();
    cboInput->setFocus(Qt::ActiveWindowFocusReason);
}

void frmCal::TakeValue(const QString& value) {
    if (value.isEmpty()) {
        cboInput->setEditText(cboInput->itemText(0));
    } else {
        cboInput->setEditText(value);
        txtCalResult->clear();
    }
}

void frmCal::SetLeastWidthTwips(int twips) {
    leastWidth_ = twips;
    ArrangeCalculator();
}

void frmCal::SetInputText(const QString& text) { cboInput->setEditText(text); }

QString frmCal::ResultText() const { return txtCalResult->text(); }

void frmCal::ShowInputError() { txtCalResult->setText(ToQString(kInputError)); }

void frmCal::cmdExecCalc_Click() {
    try {
        const QString s = cboInput->currentText();
        cboInput->insertItem(0, s);
        if (RecordCalculatorExecution(history_, ToStdString(s))) {
            cboInput->removeItem(cboInput->count() - 1);
        }
        // Changing the list may have put another entry into the edit field.
        cboInput->setEditText(s);

        PlatformMessageSink sink(this);
        const std::optional<std::string> text =
            CalculatorResultText(ToStdString(s), session_.settings.pnFigure, session_.settings.pnFormFlag, sink);
        if (!text) {
            // The result box keeps the width of the last good result.
            ShowInputError();
            return;
        }
        const QString shown = ToQString(*text);
        nResultWidth = std::max(MeasureText(shown), kMinResultWidth);
        ArrangeCalculator();
        txtCalResult->setText(shown);
    } catch (const std::exception&) {
        ShowInputError();
    }
}

void frmCal::cmdReplace_Click() {
    // Emptied first, so that even the same text counts as a change and is measured again.
    cboInput->setEditText(QString());
    cboInput->setEditText(txtCalResult->text());
}

void frmCal::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placePending_) {
        placePending_ = false;
        place_.RestoreTo(this);
    }
    // The frame is known only once the window is mapped; the outer size counts it.
    applyWindowSize();
    // Whatever had the keyboard when it was last shown, expressions are typed into the input.
    cboInput->setFocus(Qt::OtherFocusReason);
}

void frmCal::closeEvent(QCloseEvent* event) {
    Form_QueryUnload(event->spontaneous() || closingByUser_);
    Form_Unload();
    event->accept();
}

void frmCal::Form_QueryUnload(bool closedByUser) {
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
    if (!closedByUser || !normal) {
        return;
    }
    StoreUserPlace();
}

void frmCal::StorePlace() {
    if (isVisible() && !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))) {
        place_.StoreFrom(this);
    }
}

void frmCal::StoreUserPlace() {
    if (place_.StoreFrom(this) && pushedLeft_) {
        // Pushed left by a long text only for now: the place the user chose is kept.
        StoreTwips(place_.Left(), TwipsX(homeLeft_));
    }
}

void frmCal::Form_Unload() {
    // A closed calculator is shown again as if freshly loaded: empty history and first widths
    // now, the stored position when it is shown (until then it stays where it was, so a position
    // taken at shutdown is still the one the user left it at).
    history_.nHistoryCount = 0;
    loadContents();
    placePending_ = true;
}

}  // namespace halden
