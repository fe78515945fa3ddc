#include "calcsheet/ChartPainter.h"

#include "core/Numbers.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace calcsheet {

namespace {

using Mark = season::CurveLook::Mark;

const QColor kFailing = QColor::fromRgb(season::kFailingColour);
const QColor kWarning = QColor::fromRgb(season::kWarningColour);
const QColor kGrid(0xDD, 0xDD, 0xDD);

using Axis = ChartAxis;

void drawMark(QPainter& p, Mark mark, QPointF at, double size)
{
    const double h = size / 2;
    switch (mark) {
    case Mark::Circle: p.drawEllipse(at, h, h); break;
    case Mark::Square: p.drawRect(QRectF(at.x() - h, at.y() - h, size, size)); break;
    case Mark::Triangle: {
        QPainterPath path;
        path.moveTo(at.x(), at.y() - h);
        path.lineTo(at.x() + h, at.y() + h);
        path.lineTo(at.x() - h, at.y() + h);
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    }
}

void drawCross(QPainter& p, QPointF at, double size)
{
    const double h = size / 2;
    p.drawLine(QPointF(at.x() - h, at.y() - h), QPointF(at.x() + h, at.y() + h));
    p.drawLine(QPointF(at.x() - h, at.y() + h), QPointF(at.x() + h, at.y() - h));
}

void drawDiamond(QPainter& p, QPointF at, double size)
{
    const double h = size / 2;
    p.drawPolygon(QPolygonF({QPointF(at.x(), at.y() - h), QPointF(at.x() + h, at.y()),
                             QPointF(at.x(), at.y() + h), QPointF(at.x() - h, at.y())}));
}

QString tick(double value, double step)
{
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step)));
    return num::fixed(std::abs(value) < step * 1e-9 ? 0 : value, decimals);
}

// One entry of the legend: a curve (its index) or one of the marks, and its text.
struct LegendEntry {
    enum class Kind { Curve, Failing, Warning, Cut } kind;
    std::size_t curve = 0;
    QString text;
    QPointF at; // the left end of its sample, on the text's middle line
};

// Everything placed before a stroke is drawn: the fonts, the axes, the legend's entries in rows
// across the width, and the plot under them.
struct Layout {
    double pt = 1; // pixels per point
    QFont font, titleFont;
    double line = 0, sample = 0, markSize = 0, tickWidth = 0;
    QRectF titleRect, plot;
    Axis xAxis, left, right;
    bool twoAxes = false;
    std::vector<LegendEntry> legend;
};

std::vector<LegendEntry> legendOf(const season::Chart& chart)
{
    using Kind = LegendEntry::Kind;
    std::vector<LegendEntry> entries;
    for (std::size_t i = 0; i < chart.curves.size(); ++i)
        entries.push_back({Kind::Curve, i, chart.curves[i].name, {}});
    if (chart.anyFailing())
        entries.push_back({Kind::Failing, 0, QStringLiteral("проверка не пройдена"), {}});
    if (chart.anyWarning())
        entries.push_back({Kind::Warning, 0, QStringLiteral("предупреждение"), {}});
    if (chart.cut)
        entries.push_back(
            {Kind::Cut,
             0,
             QStringLiteral("срезка подачи %1 °C с tн = %2 °C")
                 .arg(num::general(chart.cut->temperature), num::fixed(*chart.cut->outdoor, 2)),
             {}});
    return entries;
}

std::optional<Layout> layoutOf(const season::Chart& chart, QSize pixels, int dotsPerInch)
{
    // The ranges of both value axes and of the outdoor temperature.
    double xLow = std::numeric_limits<double>::max(), xHigh = -xLow;
    double lLow = xLow, lHigh = -xLow, rLow = xLow, rHigh = -xLow;
    for (const season::Curve& c : chart.curves)
        for (const auto& [x, y] : c.points) {
            xLow = std::min(xLow, x);
            xHigh = std::max(xHigh, x);
            double& low = c.rightAxis ? rLow : lLow;
            double& high = c.rightAxis ? rHigh : lHigh;
            low = std::min(low, y);
            high = std::max(high, y);
        }
    if (xLow > xHigh)
        return std::nullopt; // nothing to draw
    Layout l;
    l.xAxis = axisFor(xLow, xHigh);
    l.left = axisFor(std::min(lLow, lHigh >= lLow ? lLow : 0.0), lHigh);
    l.twoAxes = !chart.rightTitle.isEmpty() && rLow <= rHigh;
    l.right = l.twoAxes ? axisFor(rLow, rHigh) : Axis{};

    l.pt = dotsPerInch / 72.0;
    l.font = QFont(QStringLiteral("DejaVu Sans"));
    l.font.setPixelSize(static_cast<int>(std::lround(7 * l.pt)));
    l.titleFont = l.font;
    l.titleFont.setPixelSize(static_cast<int>(std::lround(8.5 * l.pt)));
    l.titleFont.setBold(true);
    const QFontMetricsF fm(l.font);
    l.line = fm.height();
    l.sample = l.line * 2.2;
    l.markSize = l.line * 0.45;
    l.tickWidth = fm.horizontalAdvance(QStringLiteral("−000,0"));
    l.titleRect = QRectF(0, 0, pixels.width(), l.line * 1.6);

    // The legend in rows under the title, an entry moved to the next row where it would run
    // past the right edge.
    l.legend = legendOf(chart);
    QPointF at(l.line, l.titleRect.bottom() + l.line * 0.7);
    for (LegendEntry& e : l.legend) {
        const double width = l.sample + l.line * 0.4 + fm.horizontalAdvance(e.text);
        if (at.x() > l.line && at.x() + width > pixels.width() - l.line)
            at = QPointF(l.line, at.y() + l.line * 1.3);
        e.at = at;
        at.rx() += width + l.line * 1.2;
    }

    const double margin = l.line * 1.8 + l.tickWidth;
    const double top = at.y() + l.line * 1.2;
    l.plot = QRectF(margin, top, pixels.width() - margin * (l.twoAxes ? 2 : 1) - l.line,
                    pixels.height() - top - l.line * 3.2);
    return l;
}

void drawLegend(QPainter& p, const Layout& l)
{
    const QFontMetricsF fm(l.font);
    p.setFont(l.font);
    for (const LegendEntry& e : l.legend) {
        const QPointF a = e.at;
        const QPointF b(a.x() + l.sample, a.y());
        const QPointF middle = (a + b) / 2;
        switch (e.kind) {
        case LegendEntry::Kind::Curve: {
            const season::CurveLook& s = season::curveLook(e.curve);
            const QColor colour = QColor::fromRgb(s.colour);
            p.setPen(QPen(colour, l.pt * 1.2, penStyle(s.line)));
            p.drawLine(a, b);
            p.setBrush(Qt::white);
            p.setPen(QPen(colour, l.pt * 0.9));
            drawMark(p, s.mark, middle, l.markSize);
            break;
        }
        case LegendEntry::Kind::Failing:
            p.setPen(QPen(kFailing, l.pt * 1.3));
            drawCross(p, middle, l.markSize * 1.6);
            break;
        case LegendEntry::Kind::Warning:
            p.setPen(QPen(kWarning, l.pt * 1.1));
            p.setBrush(Qt::white);
            drawDiamond(p, middle, l.markSize * 1.6);
            break;
        case LegendEntry::Kind::Cut:
            p.setPen(QPen(Qt::gray, l.pt, Qt::DashDotLine));
            p.drawLine(QPointF(middle.x(), a.y() - l.line * 0.5),
                       QPointF(middle.x(), a.y() + l.line * 0.5));
            break;
        }
        p.setPen(Qt::black);
        p.drawText(QPointF(b.x() + l.line * 0.4, a.y() + fm.ascent() / 2 - fm.descent() / 2),
                   e.text);
    }
}

void drawAxes(QPainter& p, const Layout& l, const season::Chart& chart, QSize pixels)
{
    const QRectF& plot = l.plot;
    p.setFont(l.font);
    for (double y = l.left.from; y <= l.left.to + l.left.step * 1e-9; y += l.left.step) {
        const double py = l.left.at(y, plot.bottom(), plot.top());
        p.setPen(QPen(kGrid, l.pt * 0.5));
        p.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
        p.setPen(Qt::black);
        p.drawText(
            QRectF(plot.left() - l.tickWidth - l.line * 0.3, py - l.line / 2, l.tickWidth, l.line),
            Qt::AlignRight | Qt::AlignVCenter, tick(y, l.left.step));
    }
    if (l.twoAxes)
        for (double y = l.right.from; y <= l.right.to + l.right.step * 1e-9; y += l.right.step) {
            const double py = l.right.at(y, plot.bottom(), plot.top());
            p.setPen(Qt::black);
            p.drawText(QRectF(plot.right() + l.line * 0.3, py - l.line / 2, l.tickWidth, l.line),
                       Qt::AlignLeft | Qt::AlignVCenter, tick(y, l.right.step));
        }
    for (double x = l.xAxis.from; x <= l.xAxis.to + l.xAxis.step * 1e-9; x += l.xAxis.step) {
        const double px = l.xAxis.at(x, plot.left(), plot.right());
        p.setPen(QPen(kGrid, l.pt * 0.5));
        p.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(px - l.tickWidth, plot.bottom() + l.line * 0.2, l.tickWidth * 2, l.line),
                   Qt::AlignHCenter | Qt::AlignTop, tick(x, l.xAxis.step));
    }
    p.setPen(QPen(Qt::black, l.pt * 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    p.drawText(QRectF(plot.left(), plot.bottom() + l.line * 1.3, plot.width(), l.line * 1.5),
               Qt::AlignHCenter | Qt::AlignVCenter, chart.xTitle);
    // An axis title along the left edge, read upwards, or the right one, read downwards.
    const auto verticalTitle = [&](const QString& text, bool right) {
        p.save();
        p.translate(right ? pixels.width() - l.line * 0.7 : l.line * 0.7, plot.center().y());
        p.rotate(right ? 90 : -90);
        p.drawText(QRectF(-plot.height() / 2, -l.line / 2, plot.height(), l.line), Qt::AlignCenter,
                   text);
        p.restore();
    };
    verticalTitle(chart.yTitle, false);
    if (l.twoAxes)
        verticalTitle(chart.rightTitle, true);
}

void drawCurves(QPainter& p, const Layout& l, const season::Chart& chart)
{
    const QRectF& plot = l.plot;
    const auto toPlot = [&](const std::pair<double, double>& xy, const Axis& axis) {
        return QPointF(l.xAxis.at(xy.first, plot.left(), plot.right()),
                       axis.at(xy.second, plot.bottom(), plot.top()));
    };
    p.setClipRect(plot.adjusted(-l.markSize, -l.markSize, l.markSize, l.markSize));
    if (chart.cut) {
        const double px = l.xAxis.at(*chart.cut->outdoor, plot.left(), plot.right());
        p.setPen(QPen(Qt::gray, l.pt, Qt::DashDotLine));
        p.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
    }
    for (std::size_t i = 0; i < chart.curves.size(); ++i) {
        const season::Curve& c = chart.curves[i];
        const season::CurveLook& s = season::curveLook(i);
        const QColor colour = QColor::fromRgb(s.colour);
        const Axis& axis = c.rightAxis && l.twoAxes ? l.right : l.left;
        QPolygonF polyline;
        for (const auto& xy : c.points)
            polyline << toPlot(xy, axis);
        p.setPen(QPen(colour, l.pt * 1.2, penStyle(s.line)));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(polyline);
        p.setPen(QPen(colour, l.pt * 0.9));
        p.setBrush(Qt::white);
        // Marks at every few points, so that the line style stays visible between them.
        const std::size_t every = std::max<std::size_t>(1, polyline.size() / 12);
        for (qsizetype k = 0; k < polyline.size(); k += static_cast<qsizetype>(every))
            drawMark(p, s.mark, polyline[k], l.markSize);
        p.setPen(QPen(kWarning, l.pt * 1.1));
        for (const auto& xy : c.warning)
            drawDiamond(p, toPlot(xy, axis), l.markSize * 1.6);
        p.setPen(QPen(kFailing, l.pt * 1.3));
        for (const auto& xy : c.failing)
            drawCross(p, toPlot(xy, axis), l.markSize * 1.6);
    }
}

} // namespace

Qt::PenStyle penStyle(season::CurveLook::Line line)
{
    switch (line) {
    case season::CurveLook::Line::Dash: return Qt::DashLine;
    case season::CurveLook::Line::Dot: return Qt::DotLine;
    default: return Qt::SolidLine;
    }
}

QImage markImage(const season::CurveLook& look, const MarkImageSize& size)
{
    const int pixels = static_cast<int>(std::ceil(size.side * size.devicePixelRatio));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    image.setDevicePixelRatio(size.devicePixelRatio);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor::fromRgb(look.colour), 1.5));
    drawMark(p, look.mark, QPointF(size.side / 2, size.side / 2), size.mark);
    return image;
}

double PlotFrame::xAt(double outdoor) const
{
    return plot.left() + (outdoor - xFrom) / (xTo - xFrom) * plot.width();
}

std::optional<PlotFrame> plotFrame(const season::Chart& chart, QSize pixels, int dotsPerInch)
{
    const std::optional<Layout> l = layoutOf(chart, pixels, dotsPerInch);
    if (!l)
        return std::nullopt;
    return PlotFrame{l->plot, l->xAxis.from, l->xAxis.to};
}

QImage chartImage(const season::Chart& chart, QSize pixels, int dotsPerInch)
{
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(static_cast<int>(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(static_cast<int>(dotsPerInch / 0.0254));
    const std::optional<Layout> l = layoutOf(chart, pixels, dotsPerInch);
    if (!l)
        return image;
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(l->titleFont);
    p.setPen(Qt::black);
    p.drawText(l->titleRect, Qt::AlignHCenter | Qt::AlignVCenter, chart.title);
    drawLegend(p, *l);
    drawAxes(p, *l, chart, pixels);
    drawCurves(p, *l, chart);
    return image;
}

double ChartAxis::at(double value, double low, double high) const
{
    return low + (value - from) / (to - from) * (high - low);
}

ChartAxis axisFor(double low, double high, int ticks)
{
    if (!(high > low)) {
        const double pad = std::max(1.0, std::abs(low) * 0.1);
        low -= pad;
        high += pad;
    }
    const double raw = (high - low) / ticks;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw) {
            step = m * power;
            break;
        }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

} // namespace calcsheet
