// Speed of one keystroke in the main window: from the key press in the input box to the converted
// text in the result box, through the window's own change handler and the real Qt platform.
//
// Runs on the offscreen platform with a temporary configuration directory that holds a valid
// configuration (full window shape) and an empty user-units file, so that no message box waits
// for an answer. Prints the median of many keystrokes in microseconds; then the same with the All
// Units window open on the largest group, up to its table updated and painted.
#include "app/unit_list.h"
#include "shared/process_state.h"
#include "storage/config_file.h"

#include "app/frmAllUnits.h"
#include "app/frmConvert.h"
#include "shared/ui_resources.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A long session of typing, and the keys after which its memory is the baseline.
constexpr int kSessionKeys = 25000;
constexpr int kFirstKeys = 1000;

constexpr int kWarmUp = 200;
constexpr int kRepetitions = 5000;
constexpr int kUserFileBytes = 1320;  // 220 records of three empty texts

bool WriteFile(const QString& path, const std::string& bytes) {
    std::ofstream file(path.toStdString(), std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

// The process's resident memory now, in KiB (0 when it cannot be read).
long ResidentKib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir home;
    if (!home.isValid() || !QDir(home.path()).mkpath(QStringLiteral("halducnv"))) {
        std::fprintf(stderr, "cannot create a temporary configuration directory\n");
        return 1;
    }
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    // Qt wants a private runtime directory; a fresh one keeps its warning out of the figures.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && QDir(home.path()).mkdir(QStringLiteral("runtime"))) {
        QFile::setPermissions(home.path() + QStringLiteral("/runtime"),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", (home.path() + QStringLiteral("/runtime")).toLocal8Bit());
    }
    const QString dir = home.path() + QStringLiteral("/halducnv/");
    halden::Settings stored;
    stored.pnShapeFlag = 1;
    if (!WriteFile(dir + QStringLiteral("HALDUCNV.CFG"), halden::CfgSaveBytes(stored)) ||
        !WriteFile(dir + QStringLiteral("HUC_USER.DAT"), std::string(kUserFileBytes, '\0'))) {
        std::fprintf(stderr, "cannot write the configuration files\n");
        return 1;
    }

    QApplication app(argc, argv);
    halden::InitResources();
    halden::frmConvert window;
    QApplication::processEvents();
    // The controls, found by their names as a user finds them by what they are.
    auto* txtInput = window.findChild<QLineEdit*>(QStringLiteral("txtInput"));
    auto* txtResult = window.findChild<QLineEdit*>(QStringLiteral("txtResult"));
    auto* lstConvFrom = window.findChild<QListWidget*>(QStringLiteral("lstConvFrom"));
    auto* lstConvInto = window.findChild<QListWidget*>(QStringLiteral("lstConvInto"));
    auto* mnuConvDecimal = window.findChild<QAction*>(QStringLiteral("mnuConvDecimal"));
    if (halden::settings().pnSelUnitGrp != 0 || lstConvFrom->count() <= 3 || lstConvInto->count() <= 0) {
        std::fprintf(stderr, "the window did not open on the length group\n");
        return 1;
    }
    lstConvFrom->setCurrentRow(3);
    lstConvInto->setCurrentRow(0);
    QApplication::processEvents();

    const QString expected = QStringLiteral("4828.03");
    std::vector<double> micros;
    micros.reserve(kRepetitions);
    for (int i = 0; i < kWarmUp + kRepetitions; ++i) {
        txtInput->clear();
        txtResult->clear();
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(txtInput, Qt::Key_3);
        const auto end = std::chrono::steady_clock::now();
        if (txtInput->text() != QStringLiteral("3") || txtResult->text() != expected) {
            std::fprintf(stderr, "keystroke %d: input \"%s\", result \"%s\" instead of \"4828.03\"\n", i,
                         qPrintable(txtInput->text()), qPrintable(txtResult->text()));
            return 1;
        }
        if (i >= kWarmUp) {
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
    }
    std::nth_element(micros.begin(), micros.begin() + kRepetitions / 2, micros.end());
    std::printf("keystroke_median_us %.2f\n", micros[kRepetitions / 2]);

    // Memory over a long session of typing: numbers typed and erased again, 25,000 keys; what the
    // keys after the first 1,000 added to the resident memory.
    const auto typeKeys = [txtInput](int count) {
        constexpr std::array kKeys{Qt::Key_1,         Qt::Key_2,         Qt::Key_3,
                                   Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace};
        for (int i = 0; i < count; ++i) {
            QTest::keyClick(txtInput, kKeys[static_cast<std::size_t>(i) % kKeys.size()]);
            QApplication::processEvents();
        }
    };
    txtInput->clear();
    typeKeys(kFirstKeys);
    const long before = ResidentKib();
    typeKeys(kSessionKeys - kFirstKeys);
    std::printf("keystroke_growth_kib %ld\n", ResidentKib() - before);

    // Metric Prefixes, the group of most units, from its first unit, with All Units open: the
    // keystroke runs through the result box and every row of the table, and the table is painted.
    mnuConvDecimal->trigger();
    lstConvFrom->setCurrentRow(0);
    lstConvInto->setCurrentRow(1);
    window.findChild<QAction*>(QStringLiteral("mnuConvAllUnits"))->trigger();
    halden::frmAllUnits* all = window.findChild<halden::frmAllUnits*>();
    QApplication::processEvents();
    const int rows = all != nullptr ? all->grdUnits->rowCount() : 0;
    if (rows != lstConvInto->count() || rows < 2) {
        std::fprintf(stderr, "the All Units window did not open on the group's %d units\n", lstConvInto->count());
        return 1;
    }
    micros.clear();
    for (int i = 0; i < kWarmUp + kRepetitions; ++i) {
        txtInput->clear();
        QApplication::processEvents();
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(txtInput, Qt::Key_3);
        QApplication::processEvents();
        const auto end = std::chrono::steady_clock::now();
        if (all->grdUnits->item(rows - 1, 1)->text().isEmpty() ||
            all->grdUnits->item(1, 1)->text() != txtResult->text()) {
            std::fprintf(stderr, "keystroke %d: the table's last row \"%s\", its second \"%s\", the result \"%s\"\n", i,
                         qPrintable(all->grdUnits->item(rows - 1, 1)->text()),
                         qPrintable(all->grdUnits->item(1, 1)->text()), qPrintable(txtResult->text()));
            return 1;
        }
        if (i >= kWarmUp) {
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
    }
    std::nth_element(micros.begin(), micros.begin() + kRepetitions / 2, micros.end());
    std::printf("allunits_rows %d\n", rows);
    std::printf("allunits_keystroke_median_us %.2f\n", micros[kRepetitions / 2]);
    return 0;
}
