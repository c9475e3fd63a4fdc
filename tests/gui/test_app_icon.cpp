// The application's icon set: every theme size is compiled into the program, the sizes up to
// 32 px are drawn for their pixel grid (no blurred, half-transparent edges), each size shows the
// balance with the red container on the left and the cyan one on the right, and the windows'
// title bars use the set.

#include "gui_fixture.h"

#include "app/frmConvert.h"
#include "reference/frmEquiv.h"
#include "reference/frmInfo.h"
#include "shared/ui_resources.h"

#include <QIcon>
#include <QImage>
#include <QList>
#include <QSize>
#include <QTest>

#include <algorithm>
#include <array>
#include <memory>

using namespace halden;

namespace {

constexpr std::array kSizes{16, 24, 32, 48, 64, 128, 256};
constexpr int kGridDrawnUpTo = 32;

QList<QSize> SquareSizes() {
    QList<QSize> sizes;
    for (const int s : kSizes) {
        sizes.append(QSize(s, s));
    }
    return sizes;
}

QList<QSize> Sorted(QList<QSize> sizes) {
    std::sort(sizes.begin(), sizes.end(), [](QSize a, QSize b) { return a.width() < b.width(); });
    return sizes;
}

bool IsRed(QRgb p) { return qAlpha(p) == 255 && qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90; }
bool IsCyan(QRgb p) { return qAlpha(p) == 255 && qRed(p) < 90 && qGreen(p) > 180 && qBlue(p) > 180; }

struct Halves {
    int redLeft = 0;
    int redRight = 0;
    int cyanLeft = 0;
    int cyanRight = 0;
    int partlyTransparent = 0;
};

Halves Count(const QImage& image) {
    Halves h;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const bool left = x < image.width() / 2;
            if (IsRed(p)) {
                ++(left ? h.redLeft : h.redRight);
            }
            if (IsCyan(p)) {
                ++(left ? h.cyanLeft : h.cyanRight);
            }
            if (qAlpha(p) != 0 && qAlpha(p) != 255) {
                ++h.partlyTransparent;
            }
        }
    }
    return h;
}

}  // namespace

class AppIconTest : public halden::test::GuiTest {
    Q_OBJECT

private slots:

    void everyThemeSizeIsCompiledIn() {
        const QIcon icon = ApplicationIcon();
        QVERIFY(!icon.isNull());
        QCOMPARE(Sorted(icon.availableSizes()), SquareSizes());
    }

    void eachSizeShowsRedOnTheLeftAndCyanOnTheRight_data() {
        QTest::addColumn<int>("size");
        for (const int s : kSizes) {
            QTest::addRow("%d px", s) << s;
        }
    }
    void eachSizeShowsRedOnTheLeftAndCyanOnTheRight() {
        QFETCH(int, size);
        const QImage image =
            ApplicationIcon().pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(image.size(), QSize(size, size));
        const Halves h = Count(image);
        QVERIFY2(h.redLeft > 0 && h.cyanRight > 0, "the containers are missing");
        QCOMPARE(h.redRight, 0);
        QCOMPARE(h.cyanLeft, 0);
        if (size <= kGridDrawnUpTo) {
            // Drawn on the pixel grid: every pixel is either fully there or not at all.
            QCOMPARE(h.partlyTransparent, 0);
        }
    }

    void windowsUseTheIconSet() {
        frmConvert main;
        frmEquiv equivalence;
        frmInfo about;
        // The main window takes its icon once it is up, after its first turn of the event loop.
        QCoreApplication::processEvents();
        for (const QWidget* w : std::array<const QWidget*, 3>{&main, &equivalence, &about}) {
            QCOMPARE(Sorted(w->windowIcon().availableSizes()), SquareSizes());
        }
    }
};

QTEST_MAIN(AppIconTest)
#include "test_app_icon.moc"
