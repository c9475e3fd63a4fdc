#include "app/conversion_panel.h"

#include "app/unit_list.h"
#include "catalogue/convert_command.h"
#include "catalogue/unit_catalogue.h"
#include "shared/process_state.h"

#include "shared/platform.h"
#include "shared/ui_accessible.h"
#include "shared/ui_fonts.h"
#include "shared/ui_frame.h"
#include "shared/ui_input_line.h"
#include "shared/ui_text.h"

#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QRect>

#include <cmath>
#include <string>

namespace halden {
namespace {

// The hollow arrow between the frames, its black outline drawn in the palette's text colour, so
// that it shows on a dark desktop as on a light one (on a light one it stays black).
QPixmap ArrowPicture(const QColor& outline) {
    QImage image = QImage(QStringLiteral(":/icons/imgHand.xpm")).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) != 0 && qGray(row[x]) < 128) {
                row[x] = qRgba(outline.red(), outline.green(), outline.blue(), qAlpha(row[x]));
            }
        }
    }
    return QPixmap::fromImage(image);
}

int Pixels(double value) { return static_cast<int>(std::lround(value)); }

// A place in twips as whole pixels, at tx and ty twips per pixel.
QRect PixelRect(const TwipsRect& place, double tx, double ty) {
    return {Pixels(place.left / tx), Pixels(place.top / ty), Pixels(place.width / tx), Pixels(place.height / ty)};
}

}  // namespace

ConversionPanel::ConversionPanel(QWidget* client, const Session& session) : QObject(client), session_(session) {
    fraConvFrom_ = new CaptionFrame(QStringLiteral("Convert..."), client);
    fraConvFrom_->setFont(ArialFont(8.25));
    txtInput_ = new InputLine(fraConvFrom_);
    txtInput_->setFont(ArialFont(10.5));
    lstConvFrom_ = new UnitList(fraConvFrom_);
    txtInput_->setAccessibleName(QStringLiteral("Value to convert"));
    lstConvFrom_->setAccessibleName(QStringLiteral("Convert from unit"));

    fraConvInto_ = new CaptionFrame(QStringLiteral("Into..."), client);
    fraConvInto_->setFont(ArialFont(8.25));
    txtResult_ = new QLineEdit(fraConvInto_);
    txtResult_->setFont(ArialFont(10.5));
    txtResult_->setReadOnly(true);
    lstConvInto_ = new UnitList(fraConvInto_);
    txtResult_->setAccessibleName(QStringLiteral("Result"));
    lstConvInto_->setAccessibleName(QStringLiteral("Convert into unit"));
    // A new result is spoken where the user works: in the input box and the two unit lists.
    AnnounceChangesOf(txtResult_, {txtInput_, lstConvFrom_, lstConvInto_}, [this](const QString& result) {
        const QListWidgetItem* into = lstConvInto_->currentItem();
        const QString unit = into != nullptr ? into->text() : QString();
        return QStringLiteral("Result: ") + result + (unit.isEmpty() ? QString() : QStringLiteral(", ") + unit);
    });

    const QFont listFont = MinchoFont(9.75);
    lstConvFrom_->setFont(listFont);
    lstConvInto_->setFont(listFont);
    // Enter in the From list converts, as it does in the input box.
    lstConvFrom_->SetEnterTaken(true);

    imgHand_ = new QLabel(client);
    imgHand_->setPixmap(ArrowPicture(client->palette().color(QPalette::WindowText)));

    // An invisible click target between the frames: a transparent label with no text.
    lblHidden_ = new QLabel(client);

    // The Convert button lies below the window's bottom edge: its click is reached through Enter.
    cmdConvert_ = new QPushButton(QStringLiteral("Convert"), client);
    cmdConvert_->setFont(ArialFont(8.25));
    // The button lies below the window's edge: Tab must not stop on a control nobody can see.
    cmdConvert_->setFocusPolicy(Qt::NoFocus);
    // Told apart from the Convert menu for a screen reader, which can still reach the button.
    cmdConvert_->setAccessibleName(QStringLiteral("Convert value"));

    const std::pair<QWidget*, const char*> named[] = {
        {fraConvFrom_, "fraConvFrom"}, {txtInput_, "txtInput"},   {lstConvFrom_, "lstConvFrom"},
        {fraConvInto_, "fraConvInto"}, {txtResult_, "txtResult"}, {lstConvInto_, "lstConvInto"},
        {imgHand_, "imgHand"},         {lblHidden_, "lblHidden"}, {cmdConvert_, "cmdConvert"}};
    for (const auto& [control, name] : named) {
        control->setObjectName(QLatin1String(name));
    }

    connect(cmdConvert_, &QPushButton::clicked, this, &ConversionPanel::Convert);
    connect(txtInput_, &QLineEdit::textChanged, this, [this] { InputChanged(); });
    connect(txtInput_, &QLineEdit::returnPressed, this, &ConversionPanel::Convert);
    connect(lstConvFrom_, &UnitList::unitChosen, this, &ConversionPanel::FromChosen);
    connect(lstConvInto_, &UnitList::unitChosen, this, &ConversionPanel::IntoChosen);
    connect(lstConvFrom_, &UnitList::enterPressed, this, &ConversionPanel::Convert);
    lstConvInto_->SetEnterTaken(true);
    connect(lstConvInto_, &UnitList::enterPressed, this, &ConversionPanel::HandFocusToInput);
    for (UnitList* list : {lstConvFrom_, lstConvInto_}) {
        connect(list, &UnitList::keyReleased, this, &ConversionPanel::ConvertIfReady);
    }
}

void ConversionPanel::Arrange(const MainLayout& layout, double tx, double ty) {
    for (QGroupBox* frame : {fraConvFrom_, fraConvInto_}) {
        const double left = frame == fraConvFrom_ ? layout.fraLeft : layout.fraIntoLeft;
        frame->setGeometry(Pixels(left), Pixels(layout.fraTop), Pixels(layout.fraWidth), Pixels(layout.fraHeight));
    }
    for (QLineEdit* box : {txtInput_, txtResult_}) {
        box->setGeometry(PixelRect({layout.txtLeft, layout.txtTop, layout.txtWidth, layout.txtHeight}, tx, ty));
    }
    for (UnitList* list : {lstConvFrom_, lstConvInto_}) {
        list->setGeometry(PixelRect({layout.lstLeft, layout.lstTop, layout.lstWidth, layout.lstHeight}, tx, ty));
    }
    imgHand_->setGeometry(Pixels(layout.imgLeft), Pixels(layout.imgTop), Pixels(layout.imgSize),
                          Pixels(layout.imgSize));
    lblHidden_->setGeometry(PixelRect(layout.hiddenLabel, tx, ty));
    cmdConvert_->setGeometry(PixelRect(layout.convertButton, tx, ty));
}

void ConversionPanel::ShowUnits(QStringList names, bool velocityGroup) {
    lstConvFrom_->Fill(names);
    // Warp can only be converted from.
    if (velocityGroup && !names.isEmpty()) {
        names.removeLast();
    }
    lstConvInto_->Fill(names);
}

bool ConversionPanel::BothEntriesChosen() const {
    const QListWidgetItem* from = lstConvFrom_->currentItem();
    const QListWidgetItem* into = lstConvInto_->currentItem();
    return from != nullptr && into != nullptr && !from->text().isEmpty() && !into->text().isEmpty();
}

void ConversionPanel::Convert() {
    const std::string text = ToStdString(txtInput_->text());
    const std::string previous = ToStdString(txtResult_->text());
    const QListWidgetItem* intoItem = lstConvInto_->currentItem();
    ConvertInput input;
    input.group = session_.settings.pnSelUnitGrp;
    input.from = lstConvFrom_->currentRow();
    // The blank entry stands for the From unit itself and is no target.
    input.into = intoItem != nullptr && !intoItem->text().isEmpty() ? lstConvInto_->currentRow() : -1;
    input.text = text;
    input.pnFigure = session_.settings.pnFigure;
    input.pnFormFlag = session_.settings.pnFormFlag;
    input.previousResult = previous;
    PlatformMessageSink sink(txtInput_->window());
    txtResult_->setText(ToQString(ConvertCommand(session_.catalogue, session_.state.WarpIdx, input, sink)));
}

void ConversionPanel::ConvertIfReady() {
    if (!txtInput_->text().isEmpty() && BothEntriesChosen()) {
        Convert();
    }
}

void ConversionPanel::FromChosen() {
    const int index = lstConvFrom_->currentRow();
    if (index < 0) {
        return;
    }
    const int g = session_.settings.pnSelUnitGrp;
    if (QListWidgetItem* blank = lstConvInto_->item(index)) {
        blank->setText(QString());
    }
    const bool prevIsWarp = g == kGroupVelocity && nPrevFrom_ == kWarpUnit;
    if (nPrevFrom_ >= 0 && nPrevFrom_ < session_.settings.pnSelUnitItem && nPrevFrom_ != index && !prevIsWarp) {
        if (QListWidgetItem* restored = lstConvInto_->item(nPrevFrom_)) {
            restored->setText(lstConvFrom_->item(nPrevFrom_)->text());
        }
    }
    nPrevFrom_ = index;
    ConvertIfReady();
    // The chosen target may just have turned blank: a result beside no target would read as a
    // false equation (and Copy would record it).
    if (const QListWidgetItem* into = lstConvInto_->currentItem(); into != nullptr && into->text().isEmpty()) {
        txtResult_->setText(QString());
    }
    if (g == kGroupVelocity && index == kWarpUnit) {
        // Chosen with a key: the menu opens beside the chosen entry, wherever the mouse is.
        const bool byKey = lstConvFrom_->ChoosingByKey();
        QPoint at;
        if (byKey) {
            const QRect entry = lstConvFrom_->visualItemRect(lstConvFrom_->currentItem());
            at = lstConvFrom_->viewport()->mapToGlobal(entry.topRight());
        }
        emit warpMenuWanted(byKey, at);
        txtInput_->setEnabled(false);
    } else {
        txtInput_->setEnabled(true);
    }
}

void ConversionPanel::IntoChosen() {
    // A click hands the focus on to the input box where Focus Shift is Auto; a key leaves it in
    // the list, so that the arrow keys can go on through it (Enter hands it on instead).
    if (!lstConvInto_->ChoosingByKey()) {
        HandFocusToInput();
    }
    ConvertIfReady();
    const QListWidgetItem* into = lstConvInto_->currentItem();
    if (into != nullptr && into->text().isEmpty()) {
        txtResult_->setText(QString());
    }
}

void ConversionPanel::HandFocusToInput() {
    if (session_.settings.pnFocusFlag == 0 && txtInput_->isEnabled()) {
        txtInput_->setFocus();
    }
}

void ConversionPanel::InputChanged() {
    ProcessState& st = session_.state;
    if (!txtInput_->text().isEmpty() && st.pbInputReady) {
        Convert();
    }
    st.pbInputReady = true;
}

void ConversionPanel::SetWarpLevelName(const QString& level) {
    if (txtInput_->text() == level) {
        // The same text raises no change, but the level (and so the value) did change.
        InputChanged();
    } else {
        txtInput_->setText(level);
    }
}

}  // namespace halden
