#pragma once
// What every multi-line box of the program shares: Tab and Shift+Tab move the focus, never type
// a tab character; a wrapping memo breaks its lines at word boundaries with a vertical scroll bar
// only; and the lines a memo displays are the lines an export writes, one row each.
// Depends on Qt Widgets only.

#include <QStringList>

class QPlainTextEdit;
class QWidget;

namespace memos {

// Lets Tab and Shift+Tab leave every multi-line box inside the window (the work windows do this
// each time they are shown, so that no window's construction needs to remember it).
void tabMovesFocus(QWidget* window);

// Wraps the memo's lines at word boundaries (within a word only when the word alone is wider than
// the memo) to its width, with a vertical scroll bar and no horizontal one.
void wrapToWidth(QPlainTextEdit* memo);

// The memo's lines as it displays them: a wrapped paragraph gives one line per displayed line,
// each with the spaces at its end. An empty memo has no lines.
QStringList displayedLines(const QPlainTextEdit* memo);

} // namespace memos
