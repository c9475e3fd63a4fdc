// A recording platform for GUI tests: no modal loops, no real clipboard, popup menus answered by
// the test, every message kept.
#pragma once

#include "shared/platform.h"

#include <QMenu>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

namespace halden::test {

class FakePlatform final : public Platform {
public:
    struct PopupRecord {
        QWidget* owner = nullptr;
        QMenu* menu = nullptr;
        QStringList captions;         // the menu's item texts at the time it popped up ("" for a separator)
        std::optional<QPoint> place;  // where it was asked to pop up; none: at the mouse
    };
    struct HelpRecord {
        QWidget* parent = nullptr;
        HelpCommand command = HelpCommand::Contents;
        int context = 0;
    };

    void ShowMessage(QWidget* parent, const Message& message) override;
    int AskQuestion(QWidget* parent, const Message& message, const QStringList& buttons, int escapeIndex) override;
    void ClipboardClear() override;
    void ClipboardSetText(const QString& text) override;
    QString ClipboardText() override { return clipboard; }
    std::optional<QString> SelectionText() override { return selection; }
    QAction* PopupMenu(QWidget* owner, QMenu* menu) override;
    QAction* PopupMenuAt(QWidget* owner, QMenu* menu, const QPoint& place) override;
    void SetAlwaysOnTop(QWidget* window, bool onTop) override;
    int GetNonClientHeight(QWidget* window) override;
    int GetNonClientWidth(QWidget* window) override;
    int TwipsPerPixelX() override { return tppx; }
    int TwipsPerPixelY() override { return tppy; }
    QColor SystemColourOf(SystemColour colour) override;
    bool StartWindowDrag(QWidget* window) override;
    void SetHelpFile(const QString& path) override { helpFile = path; }
    void ShowHelp(QWidget* parent, HelpCommand command, int context) override;

    // What happened.
    std::vector<Message> messages;
    struct QuestionRecord {
        Message message;
        QStringList buttons;
    };
    std::vector<QuestionRecord> questions;
    QString clipboard;
    /// The window system's selection; none by default, as on a platform that keeps none.
    std::optional<QString> selection;
    int clipboardClears = 0;
    std::vector<PopupRecord> popups;
    std::vector<std::pair<QWidget*, bool>> topmostCalls;
    std::vector<QWidget*> drags;
    std::vector<HelpRecord> helps;
    QString helpFile;

    // How it answers.
    int tppx = 15;
    int tppy = 15;
    int nonClientHeight = 30;
    /// Side frames: as the test platform draws them around a shown window when negative.
    int nonClientWidth = -1;
    bool dragSupported = true;
    /// Which item a popup menu chooses: the visible, enabled action whose text equals this; empty
    /// text chooses nothing. A test may instead set popupChooser for full control.
    QString popupChoice;
    std::function<QAction*(QMenu*)> popupChooser;
    /// Runs when a message box would be modal (for example to check state while it is open).
    std::function<void(const Message&)> onMessage;
    /// The buttons questions are answered with, by caption, in order; a question asked when none
    /// is left is closed as by Escape.
    QStringList answers;

private:
    /// Triggers the item popupChoice or popupChooser picks; returns it (nullptr: none).
    QAction* Choose(QMenu* menu);
};

/// The texts of a menu's items in order ("" for a separator).
QStringList MenuCaptions(const QMenu* menu);

}  // namespace halden::test
