#include "gui_actions.h"

#include "app/tool_button.h"
#include "storage/user_file.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QWindow>

namespace halden::test {

void Click(ToolButton* button, Qt::KeyboardModifiers modifiers) {
    QTest::mousePress(button, Qt::LeftButton, modifiers, QPoint(5, 5));
    QTest::mouseRelease(button, Qt::LeftButton, modifiers, QPoint(5, 5));
}

void CloseBox(QWidget* window) {
    QCloseEvent closeBox;
    QCoreApplication::sendEvent(window->windowHandle(), &closeBox);
}

void DeletePending() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

void TypeOver(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Backspace);
    } else {
        QTest::keyClicks(box, text);
    }
}

void PickGroup(QComboBox* combo, int index) {
    combo->setFocus();
    while (combo->currentIndex() < index) {
        QTest::keyClick(combo, Qt::Key_Down);
    }
    while (combo->currentIndex() > index) {
        QTest::keyClick(combo, Qt::Key_Up);
    }
}

int RowOf(const QListWidget* list, const QString& text) {
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text() == text) {
            return i;
        }
    }
    return -1;
}

std::optional<std::string> ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll().toStdString();
}

bool WriteBytes(const QString& path, const std::string& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) == static_cast<qint64>(bytes.size());
}

bool WriteProgramFiles(const QString& dir, const std::string& configBytes, const UserUnits& units) {
    const std::optional<std::string> dat = DatWriteBytes(units);
    return dat.has_value() && WriteBytes(dir + QStringLiteral("HALDUCNV.CFG"), configBytes) &&
           WriteBytes(dir + QStringLiteral("HUC_USER.DAT"), *dat);
}

}  // namespace halden::test
