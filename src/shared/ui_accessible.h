// What assistive tools (a screen reader) learn about the program's windows beyond their widgets'
// own names: the role of a window that is a plain widget, the change of a result box, an entry box
// whose text the program refuses, and the name of a blank list entry.
#pragma once

#include <QAccessible>

#include <functional>
#include <initializer_list>

class QLineEdit;
class QWidget;

namespace halden {

/// Makes assistive tools present a top-level window that is a plain widget with the given role
/// (a frame or a dialog) instead of an unnamed filler. Only what they are told changes: the
/// window's flags, look and behaviour stay as they are. Call it before the window is first shown.
/// A popup given a role is one of the program's windows for assistive tools while it is open (the
/// toolkit leaves popups out of the program's windows, as it reaches menus through their menu bars).
void SetAccessibleWindowRole(QWidget* window, QAccessible::Role role);

/// Makes assistive tools see a widget whose text moves or changes on a timer as one static text
/// holding all of it, so that a screen reader reads it once instead of at every step. Call it
/// right after the widget is made, before anything else is set on it.
void ExposeAsStaticText(QWidget* widget, const QString& wholeText);

/// Makes assistive tools see `box` as the entry box it is, one that can also carry the state
/// "invalid" (SetEntryRefused). Call it right after the box is made, before anything else is set on
/// it.
void ExposeCheckedEntry(QLineEdit* box);
/// Marks a box made with ExposeCheckedEntry as holding a text the program does not take, `why`
/// saying so, or (with `why` empty) a text it takes: assistive tools see the state "invalid" while
/// the text is refused. True when `why` is news (a refusal, for another reason than before) for the
/// owner to announce; the box's description and the notice are the owner's.
bool SetEntryRefused(QLineEdit* box, const QString& why);

/// What a screen reader hears for a list entry whose text is `text`: the text, or "(blank)" for an
/// entry that shows nothing.
QString SpokenEntry(const QString& text);

/// Makes a notice in `owner` that a screen reader speaks each time Say gives it words, wherever the
/// focus is (assistive tools see it as a notification as it appears). It shows nothing on the
/// screen.
QWidget* MakeSpokenNotice(QWidget* owner, const QString& objectName);
/// The notice says `words` (nothing when they are empty).
void Say(QWidget* notice, const QString& words);

/// Makes a screen reader speak each new text of a read-only result box while the focus stays where
/// the user types: the words `spoken` makes of the new text become the accessible description of
/// each of the `workplaces` (the controls the user works in). A screen reader speaks the changed
/// description of the control that has the focus, and reads it with the control's name when the
/// focus comes back to it. An empty result clears the descriptions (nothing is spoken).
void AnnounceChangesOf(QLineEdit* resultBox, std::initializer_list<QWidget*> workplaces,
                       std::function<QString(const QString&)> spoken);

}  // namespace halden
