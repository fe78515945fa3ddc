#pragma once
// Placing a window: its frame centred on an area of the screen. Depends on Qt Widgets only.

#include <QRect>

class QWidget;

namespace centring {

// The primary screen's available area (without panels and docks); empty without a screen.
QRect screenArea();
// Moves the window so that its frame is centred on the area; nothing for an empty area. The
// frame is known once the window has been on the screen; before that it is the window itself.
void centreOn(QWidget* window, const QRect& area);

} // namespace centring
