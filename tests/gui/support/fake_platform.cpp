#include "fake_platform.h"

#include "shared/ui_twips.h"

#include <QAction>

#include <algorithm>

namespace halden::test {

void FakePlatform::ShowMessage(QWidget* /*parent*/, const Message& message) {
    messages.push_back(message);
    if (onMessage) {
        onMessage(message);
    }
}

int FakePlatform::AskQuestion(QWidget* /*parent*/, const Message& message, const QStringList& buttons,
                              int escapeIndex) {
    questions.push_back({message, buttons});
    if (answers.isEmpty()) {
        return escapeIndex;
    }
    const auto chosen = buttons.indexOf(answers.takeFirst());
    return chosen >= 0 ? static_cast<int>(chosen) : escapeIndex;
}

void FakePlatform::ClipboardClear() {
    clipboard.clear();
    ++clipboardClears;
}

void FakePlatform::ClipboardSetText(const QString& text) { clipboard = text; }

QAction* FakePlatform::PopupMenuAt(QWidget* owner, QMenu* menu, const QPoint& place) {
    popups.push_back({owner, menu, MenuCaptions(menu), place});
    return Choose(menu);
}

QAction* FakePlatform::PopupMenu(QWidget* owner, QMenu* menu) {
    popups.push_back({owner, menu, MenuCaptions(menu), std::nullopt});
    return Choose(menu);
}

QAction* FakePlatform::Choose(QMenu* menu) {
    QAction* chosen = nullptr;
    if (popupChooser) {
        chosen = popupChooser(menu);
    } else if (!popupChoice.isEmpty()) {
        for (QAction* action : menu->actions()) {
            if (action->isVisible() && action->isEnabled() && action->text() == popupChoice) {
                chosen = action;
                break;
            }
        }
    }
    if (chosen != nullptr) {
        chosen->trigger();
    }
    return chosen;
}

void FakePlatform::SetAlwaysOnTop(QWidget* window, bool onTop) { topmostCalls.emplace_back(window, onTop); }

int FakePlatform::GetNonClientHeight(QWidget* /*window*/) { return nonClientHeight; }

int FakePlatform::GetNonClientWidth(QWidget* window) {
    if (nonClientWidth >= 0 || window == nullptr) {
        return std::max(0, nonClientWidth);
    }
    const QMargins frame = WindowFrameMargins(window);
    return frame.left() + frame.right();
}

QColor FakePlatform::SystemColourOf(SystemColour colour) {
    switch (colour) {
        case SystemColour::ButtonFace:
            return QColor(0xC0, 0xC0, 0xC0);
        case SystemColour::ButtonText:
            return QColor(0, 0, 0);
        case SystemColour::ButtonShadow:
            return QColor(0x80, 0x80, 0x80);
        case SystemColour::DarkShadow:
            return QColor(0x40, 0x40, 0x40);
        case SystemColour::ButtonHighlight:
            return QColor(0xFF, 0xFF, 0xFF);
        case SystemColour::WindowBackground:
            return QColor(0xFF, 0xFF, 0xFF);
    }
    return {};
}

bool FakePlatform::StartWindowDrag(QWidget* window) {
    drags.push_back(window);
    return dragSupported;
}

void FakePlatform::ShowHelp(QWidget* parent, HelpCommand command, int context) {
    helps.push_back({parent, command, context});
}

QStringList MenuCaptions(const QMenu* menu) {
    QStringList captions;
    for (const QAction* action : menu->actions()) {
        captions << (action->isSeparator() ? QString() : action->text());
    }
    return captions;
}

}  // namespace halden::test
