#pragma once
// Placing a window: its frame centred on an area of the screen. Depends on Qt Widgets only.

#include <QRect>
#include <QSize>

class QWidget;

namespace centring {

// The primary screen's available area (without panels and docks); empty without a screen.
QRect screenArea();
// Moves the window so that its frame is centred on the area; nothing for an empty area. The
// frame is known once the window has been on the screen; before that it is the window itself.
void centreOn(QWidget* window, const QRect& area);
// Sizes a window that belongs to another (its parent widget) to at most `preferred`, no larger
// than the owner's screen leaves room for with the window system's frame, and places it wholly
// on that screen, centred over the owner as far as the screen allows.
void placeOnOwnersScreen(QWidget* window, const QSize& preferred);

} // namespace centring
