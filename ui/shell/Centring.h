#pragma once
// Placing a window: its frame centred on an area of the screen. Depends on Qt Widgets only.

#include <QRect>
#include <QSize>
#include <functional>

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

// The frame of a window that works beside its owner, all in screen coordinates: beside the
// owner, on the side with more room, where that side of the area `room` has room for `least`;
// otherwise in the largest part of the area that leaves `keep` (the part of the owner that must
// stay in view) uncovered. Never larger than `preferred`, never outside the area, next to the
// owner or to `keep`, and level with the owner's top as far as the area allows.
QRect besideOwner(const QRect& room, const QRect& owner, const QRect& keep, QSize preferred,
                  QSize least);
// Sizes and moves the window (a window of its own whose parent widget is its owner) so that its
// frame is where besideOwner puts it on the owner's screen, `keep` being a widget of the owner.
void placeBesideOwner(QWidget* window, const QWidget* keep, QSize preferred, QSize least);

// Shows a window of its own in front of the others and active; one that is not on the screen yet
// is first sized and placed by `place`.
void bringForward(QWidget* window, const std::function<void()>& place);

} // namespace centring
