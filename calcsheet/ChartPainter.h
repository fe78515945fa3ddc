#pragma once
// A chart of the season (season/SeasonTable.h) painted with QPainter, for the calculation sheet:
// a title, a legend, axes with their titles and units, the curves, the points where a check
// fails or warns on the curve it concerns, and the cut. The curves differ by line style and mark
// as well as by colour, so that a greyscale print keeps them apart; the window's legend draws
// the same marks. Depends on Qt Gui and the season library. No Widgets.

#include "season/SeasonTable.h"

#include <QImage>
#include <QRectF>
#include <QSize>
#include <optional>

namespace calcsheet {

// An axis of a painted chart: its ticks at 1, 2 or 5 times a power of ten, about `ticks` of them
// over the range, from the tick at or below the lowest value to the one at or above the highest.
struct ChartAxis {
    double from = 0, to = 1, step = 1;
    // Where `value` lies between the pixel positions of `from` (low) and `to` (high).
    double at(double value, double low, double high) const;
};
ChartAxis axisFor(double low, double high, int ticks = 5);

// The pen style of a curve's line, wherever a chart is drawn.
Qt::PenStyle penStyle(season::CurveLook::Line line);

// A curve's mark as the sheet draws it (white inside, outlined in the curve's colour), centred
// in a transparent square image of `side` pixels at the device pixel ratio, the mark `mark`
// pixels across.
struct MarkImageSize {
    double side = 0;
    double mark = 0;
    qreal devicePixelRatio = 1;
};
QImage markImage(const season::CurveLook& look, const MarkImageSize& size);

// Where the plot of a painted chart lies in its image, and the outdoor temperatures at the plot's
// left and right edges; none for a chart without points.
struct PlotFrame {
    QRectF plot;
    double xFrom = 0;
    double xTo = 1;
    double xAt(double outdoor) const;
};
std::optional<PlotFrame> plotFrame(const season::Chart& chart, QSize pixels, int dotsPerInch);

// The chart as an image of the given size in pixels, drawn for the given resolution (dots per
// inch), so that its texts have their sizes in points.
QImage chartImage(const season::Chart& chart, QSize pixels, int dotsPerInch);

} // namespace calcsheet
