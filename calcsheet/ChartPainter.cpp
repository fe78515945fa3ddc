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
const QColor kGrid(0xDD, 0xDD, 0xDD);

// Ticks at 1, 2 or 5 times a power of ten, about five over the range.
struct Axis {
    double from = 0, to = 1, step = 1;
    double at(double value, double low, double high) const
    {
        return low + (value - from) / (to - from) * (high - low);
    }
};

Axis axisFor(double low, double high)
{
    if (!(high > low)) {
        const double pad = std::max(1.0, std::abs(low) * 0.1);
        low -= pad;
        high += pad;
    }
    const double raw = (high - low) / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = power;
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw) {
            step = m * power;
            break;
        }
    return {std::floor(low / step) * step, std::ceil(high / step) * step, step};
}

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

QString tick(double value, double step)
{
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step)));
    return num::fixed(std::abs(value) < step * 1e-9 ? 0 : value, decimals);
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

QImage chartImage(const season::Chart& chart, QSize pixels, int dotsPerInch)
{
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(static_cast<int>(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(static_cast<int>(dotsPerInch / 0.0254));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double pt = dotsPerInch / 72.0; // pixels per point
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(std::lround(7 * pt)));
    QFont titleFont = font;
    titleFont.setPixelSize(static_cast<int>(std::lround(8.5 * pt)));
    titleFont.setBold(true);
    const QFontMetricsF fm(font);
    const double line = fm.height();

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
        return image; // nothing to draw
    const Axis xAxis = axisFor(xLow, xHigh);
    const Axis left = axisFor(std::min(lLow, lHigh >= lLow ? lLow : 0.0), lHigh);
    const bool twoAxes = !chart.rightTitle.isEmpty() && rLow <= rHigh;
    const Axis right = twoAxes ? axisFor(rLow, rHigh) : Axis{};

    // Title and legend above, axis titles around the plot.
    p.setFont(titleFont);
    p.setPen(Qt::black);
    const QRectF titleRect(0, 0, pixels.width(), line * 1.6);
    p.drawText(titleRect, Qt::AlignHCenter | Qt::AlignVCenter, chart.title);
    p.setFont(font);
    double legendX = line;
    const double legendY = titleRect.bottom() + line * 0.7;
    const double sample = line * 2.2;
    const auto legendEntry = [&](const QString& text, auto drawSample) {
        drawSample(QPointF(legendX, legendY), QPointF(legendX + sample, legendY));
        legendX += sample + line * 0.4;
        p.setPen(Qt::black);
        p.drawText(QPointF(legendX, legendY + fm.ascent() / 2 - fm.descent() / 2), text);
        legendX += fm.horizontalAdvance(text) + line * 1.2;
    };
    const double markSize = line * 0.45;
    for (std::size_t i = 0; i < chart.curves.size(); ++i) {
        const season::CurveLook& s = season::curveLook(i);
        const QColor colour = QColor::fromRgb(s.colour);
        legendEntry(chart.curves[i].name, [&](QPointF a, QPointF b) {
            p.setPen(QPen(colour, pt * 1.2, penStyle(s.line)));
            p.drawLine(a, b);
            p.setBrush(Qt::white);
            p.setPen(QPen(colour, pt * 0.9));
            drawMark(p, s.mark, (a + b) / 2, markSize);
        });
    }
    if (!chart.failing.empty())
        legendEntry(QStringLiteral("проверка не пройдена"), [&](QPointF a, QPointF b) {
            p.setPen(QPen(kFailing, pt * 1.3));
            drawCross(p, (a + b) / 2, markSize * 1.6);
        });
    if (chart.cut)
        legendEntry(QStringLiteral("срезка подачи %1 °C").arg(num::general(chart.cut->first)),
                    [&](QPointF a, QPointF b) {
                        p.setPen(QPen(Qt::gray, pt, Qt::DashDotLine));
                        p.drawLine(QPointF((a.x() + b.x()) / 2, a.y() - line * 0.5),
                                   QPointF((a.x() + b.x()) / 2, a.y() + line * 0.5));
                    });

    const double tickWidth = fm.horizontalAdvance(QStringLiteral("−000,0"));
    const QRectF plot(line * 1.8 + tickWidth, legendY + line * 1.2,
                      pixels.width() - (line * 1.8 + tickWidth) * (twoAxes ? 2 : 1) - line,
                      pixels.height() - (legendY + line * 1.2) - line * 3.2);

    // Grid, ticks and axis titles.
    p.setPen(QPen(kGrid, pt * 0.5));
    for (double y = left.from; y <= left.to + left.step * 1e-9; y += left.step) {
        const double py = left.at(y, plot.bottom(), plot.top());
        p.setPen(QPen(kGrid, pt * 0.5));
        p.drawLine(QPointF(plot.left(), py), QPointF(plot.right(), py));
        p.setPen(Qt::black);
        p.drawText(QRectF(plot.left() - tickWidth - line * 0.3, py - line / 2, tickWidth, line),
                   Qt::AlignRight | Qt::AlignVCenter, tick(y, left.step));
    }
    if (twoAxes)
        for (double y = right.from; y <= right.to + right.step * 1e-9; y += right.step) {
            const double py = right.at(y, plot.bottom(), plot.top());
            p.setPen(Qt::black);
            p.drawText(QRectF(plot.right() + line * 0.3, py - line / 2, tickWidth, line),
                       Qt::AlignLeft | Qt::AlignVCenter, tick(y, right.step));
        }
    for (double x = xAxis.from; x <= xAxis.to + xAxis.step * 1e-9; x += xAxis.step) {
        const double px = xAxis.at(x, plot.left(), plot.right());
        p.setPen(QPen(kGrid, pt * 0.5));
        p.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(px - tickWidth, plot.bottom() + line * 0.2, tickWidth * 2, line),
                   Qt::AlignHCenter | Qt::AlignTop, tick(x, xAxis.step));
    }
    p.setPen(QPen(Qt::black, pt * 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawRect(plot);
    p.drawText(QRectF(plot.left(), plot.bottom() + line * 1.3, plot.width(), line * 1.5),
               Qt::AlignHCenter | Qt::AlignVCenter, chart.xTitle);
    // An axis title along the left edge, read upwards, or the right one, read downwards.
    const auto verticalTitle = [&](const QString& text, bool right) {
        p.save();
        p.translate(right ? pixels.width() - line * 0.7 : line * 0.7, plot.center().y());
        p.rotate(right ? 90 : -90);
        p.drawText(QRectF(-plot.height() / 2, -line / 2, plot.height(), line), Qt::AlignCenter,
                   text);
        p.restore();
    };
    verticalTitle(chart.yTitle, false);
    if (twoAxes)
        verticalTitle(chart.rightTitle, true);

    // The cut, the curves, and the failing points on them.
    p.setClipRect(plot.adjusted(-markSize, -markSize, markSize, markSize));
    if (chart.cut) {
        const double px = xAxis.at(chart.cut->second, plot.left(), plot.right());
        p.setPen(QPen(Qt::gray, pt, Qt::DashDotLine));
        p.drawLine(QPointF(px, plot.top()), QPointF(px, plot.bottom()));
    }
    for (std::size_t i = 0; i < chart.curves.size(); ++i) {
        const season::Curve& c = chart.curves[i];
        const season::CurveLook& s = season::curveLook(i);
        const QColor colour = QColor::fromRgb(s.colour);
        const Axis& axis = c.rightAxis && twoAxes ? right : left;
        QPolygonF polyline;
        for (const auto& [x, y] : c.points)
            polyline << QPointF(xAxis.at(x, plot.left(), plot.right()),
                                axis.at(y, plot.bottom(), plot.top()));
        p.setPen(QPen(colour, pt * 1.2, penStyle(s.line)));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(polyline);
        p.setPen(QPen(colour, pt * 0.9));
        p.setBrush(Qt::white);
        // Marks at every few points, so that the line style stays visible between them.
        const std::size_t every = std::max<std::size_t>(1, polyline.size() / 12);
        for (qsizetype k = 0; k < polyline.size(); k += static_cast<qsizetype>(every))
            drawMark(p, s.mark, polyline[k], markSize);
        p.setPen(QPen(kFailing, pt * 1.3));
        for (qsizetype k = 0; k < polyline.size(); ++k)
            if (std::find(chart.failing.begin(), chart.failing.end(),
                          c.points[static_cast<std::size_t>(k)].first)
                != chart.failing.end())
                drawCross(p, polyline[k], markSize * 1.6);
    }
    return image;
}

} // namespace calcsheet
