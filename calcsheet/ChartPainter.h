#pragma once
// A chart of the season (season/SeasonTable.h) painted with QPainter, for the calculation sheet:
// a title, a legend, axes with their titles and units, the curves, the points where a check
// fails and the cut. The curves differ by line style and mark as well as by colour, so that a
// greyscale print keeps them apart. Depends on Qt Gui and the season library. No Widgets.

#include "season/SeasonTable.h"

#include <QImage>
#include <QSize>

namespace calcsheet {

// The pen style of a curve's line, wherever a chart is drawn.
Qt::PenStyle penStyle(season::CurveLook::Line line);

// The chart as an image of the given size in pixels, drawn for the given resolution (dots per
// inch), so that its texts have their sizes in points.
QImage chartImage(const season::Chart& chart, QSize pixels, int dotsPerInch);

} // namespace calcsheet
