#pragma once
// Fonts of the program's windows. The windows are drawn for "MS Sans Serif" and
// "MS Reference Sans Serif"; where those are not installed the nearest sans-serif faces of the
// system stand in, at the same pixel height, so that every caption stays legible.
// Depends on Qt Gui only.

#include <QFont>

namespace uifonts {

// The window font: "MS Sans Serif", 11 pixels high.
QFont windowFont();
// "MS Sans Serif" at another pixel height (the slogan of the plant-information window).
QFont sansSerif(int pixelHeight);
// The font of every window's menu bar and drop-down menus: the window font.
QFont menuFont();
// The product captions of the main window: "MS Reference Sans Serif", 19 pixels, bold italic.
QFont productCaption();
// The font itself when the text fits into the width, otherwise the font drawn narrower until it
// does (a stand-in face may be wider than the one the window was laid out for).
QFont fittedTo(const QFont& font, const QString& text, int width);

} // namespace uifonts
