// The piezometric chart of the substation's page (calcsheet/SubstationPage.h), painted with
// QPainter from the same series the window draws.

#include "calcsheet/ChartPainter.h"
#include "calcsheet/SubstationPage.h"

#include "core/Numbers.h"
#include "substation/BudgetFormulas.h"
#include "substation/Presentation.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace calcsheet {

namespace {

const QColor kLine(0x1F, 0x4E, 0x9A);
const QColor kSetPoint(0xC0, 0x30, 0x30);
const QColor kGrid(0xDD, 0xDD, 0xDD);

void arrowHead(QPainter& painter, QPointF tip, double towards, double size)
{
    // towards: +1 when the arrow points down the page, −1 up.
    QPainterPath path;
    path.moveTo(tip);
    path.lineTo(tip.x() - size / 2, tip.y() - towards * size);
    path.lineTo(tip.x() + size / 2, tip.y() - towards * size);
    path.closeSubpath();
    painter.fillPath(path, painter.pen().color());
}

} // namespace

QImage piezometricChart(const SubstationSheet& sheet, QSize pixels, int dotsPerInch)
{
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(static_cast<int>(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(static_cast<int>(dotsPerInch / 0.0254));
    const substation::PiezometricLine line =
        substation::piezometricLine(sheet.budget, sheet.request.conditions.inletPressure);
    const std::vector<substation::ChartPoint> points = substation::stepPoints(line);
    if (line.steps.empty())
        return image;

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double pt = dotsPerInch / 72.0;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(6.3 * pt));
    QFont titleFont = font;
    titleFont.setBold(true);
    titleFont.setPixelSize(static_cast<int>(7 * pt));
    const QFontMetricsF metrics(font);
    const double lineHeight = metrics.height();

    double low = 0, high = 0;
    for (const substation::ChartPoint& point : points) {
        low = std::min(low, point.y);
        high = std::max(high, point.y);
    }
    ChartAxis y = axisFor(low, high, 8);
    // Room above the line for the legend.
    if (y.to - high < (y.to - y.from) * 0.15)
        y.to += y.step;
    const std::size_t n = line.steps.size();
    QString widest;
    for (double v = y.from; v <= y.to + y.step / 2; v += y.step)
        widest = std::max(widest, num::general(v), [&](const QString& a, const QString& b) {
            return metrics.horizontalAdvance(a) < metrics.horizontalAdvance(b);
        });
    const QRectF frame(0, 0, pixels.width(), pixels.height());
    const QRectF title(frame.left(), frame.top(), frame.width(), lineHeight * 1.5);
    const double left = lineHeight * 1.6 + metrics.horizontalAdvance(widest) + 4 * pt;
    const QRectF plot(frame.left() + left, title.bottom() + lineHeight * 0.5,
                      frame.width() - left - 4 * pt,
                      frame.height() - title.height() - lineHeight * 0.5 - lineHeight * 3.6);
    const auto px = [&](double x) { return plot.left() + x / double(n) * plot.width(); };
    const auto py = [&](double v) {
        return plot.bottom() - (v - y.from) / (y.to - y.from) * plot.height();
    };

    painter.setFont(titleFont);
    painter.setPen(Qt::black);
    painter.drawText(title, Qt::AlignHCenter | Qt::AlignVCenter,
                     QStringLiteral("Пьезометрический график: напор по ходу воды от подающего до "
                                    "обратного трубопровода"));

    // The grid, the ticks and the axis title.
    painter.setFont(font);
    for (double v = y.from; v <= y.to + y.step / 2; v += y.step) {
        painter.setPen(QPen(kGrid, pt * 0.5));
        painter.drawLine(QPointF(plot.left(), py(v)), QPointF(plot.right(), py(v)));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(plot.left() - left + lineHeight * 1.6, py(v) - lineHeight / 2,
                                left - lineHeight * 1.6 - 2 * pt, lineHeight),
                         Qt::AlignRight | Qt::AlignVCenter, num::general(v));
    }
    painter.save();
    painter.translate(frame.left() + lineHeight * 0.2, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRectF(-plot.height() / 2, 0, plot.height(), lineHeight * 1.2),
                     Qt::AlignCenter, QStringLiteral("Напор (избыточный), м"));
    painter.restore();
    painter.setPen(QPen(Qt::black, pt * 0.6));
    painter.drawRect(plot);

    // Each element's column: its name under the plot, a light line between columns.
    for (std::size_t i = 0; i < n; ++i) {
        const double x0 = px(static_cast<double>(i));
        if (i > 0) {
            painter.setPen(QPen(kGrid, pt * 0.5, Qt::DashLine));
            painter.drawLine(QPointF(x0, plot.top()), QPointF(x0, plot.bottom()));
        }
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x0 + pt, plot.bottom() + pt * 2, plot.width() / double(n) - 2 * pt,
                                lineHeight * 3.4),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                         substation::elementName(line.steps[i].kind));
    }

    // The line itself.
    QPolygonF polyline;
    for (const substation::ChartPoint& point : points)
        polyline << QPointF(px(point.x), py(point.y));
    painter.setPen(QPen(kLine, pt * 1.4, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.drawPolyline(polyline);

    // Each element's drop beside its fall.
    const auto label = [&](const QPointF& at, const QString& text, Qt::Alignment align) {
        const double w = metrics.horizontalAdvance(text) + 2 * pt;
        QRectF box(at.x(), at.y() - lineHeight / 2, w, lineHeight);
        if (align & Qt::AlignRight)
            box.moveRight(at.x());
        if (align & Qt::AlignBottom)
            box.moveBottom(at.y());
        if (align & Qt::AlignTop)
            box.moveTop(at.y());
        box.moveLeft(std::clamp(box.left(), plot.left() + pt, plot.right() - w - pt));
        box.moveTop(std::clamp(box.top(), plot.top() + pt, plot.bottom() - lineHeight - pt));
        painter.fillRect(box, Qt::white);
        painter.drawText(box, Qt::AlignCenter, text);
    };
    for (std::size_t i = 0; i < n; ++i) {
        const substation::PiezometricStep& s = line.steps[i];
        const double drop = s.before - s.after;
        if (!(std::abs(drop) > 0))
            continue;
        const QString text = QStringLiteral("−%1 м").arg(num::fixed(drop, 2));
        const double x = px(static_cast<double>(i) + 0.5) + pt * 2;
        // Beside a fall tall enough to hold the label, else under the level after it.
        if (std::abs(py(s.after) - py(s.before)) > lineHeight * 1.5)
            label(QPointF(x, py((s.before + s.after) / 2)), text, Qt::AlignLeft);
        else
            label(QPointF(x, py(std::min(s.before, s.after)) + pt * 2), text,
                  Qt::AlignLeft | Qt::AlignTop);
    }

    // The regulator's set point: the head it holds from its outlet to the return.
    const bool regulated = line.setPointHead && line.regulatorStep && *line.regulatorStep < n;
    double setPoint = 0;
    if (regulated) {
        const double held = line.steps[*line.regulatorStep].after;
        const double end = line.steps.back().after;
        const double x = px(double(n) - 0.06);
        painter.setPen(QPen(kSetPoint, pt * 0.8, Qt::DashLine));
        painter.drawLine(QPointF(px(static_cast<double>(*line.regulatorStep) + 0.5), py(held)),
                         QPointF(x, py(held)));
        painter.setPen(QPen(kSetPoint, pt * 0.8));
        painter.drawLine(QPointF(x, py(held)), QPointF(x, py(end)));
        arrowHead(painter, QPointF(x, py(held)), -1, pt * 3);
        arrowHead(painter, QPointF(x, py(end)), 1, pt * 3);
        const substation::Element& regulator = sheet.budget.elements.at(*line.regulatorStep);
        setPoint = regulator.setPoint ? regulator.setPoint->inKgfPerCm2() : 0;
    }

    // The legend in the plot's upper right corner, which the falling line leaves free.
    QStringList legend{
        QStringLiteral("напор по ходу воды: на входе 10·P1 = %1 м, на выходе "
                       "10·P2 = %2 м")
            .arg(num::fixed(line.steps.front().before, 2), num::fixed(line.steps.back().after, 2))};
    if (regulated)
        legend << QStringLiteral("уставка регулятора перепада Δp_уст = %1 кгс/см² (%2 м)")
                      .arg(num::fixed(setPoint, 4), num::fixed(*line.setPointHead, 2));
    double widestEntry = 0;
    for (const QString& entry : legend)
        widestEntry = std::max(widestEntry, metrics.horizontalAdvance(entry));
    const double sample = 10 * pt;
    const QRectF box(plot.right() - widestEntry - sample - 8 * pt, plot.top() + 2 * pt,
                     widestEntry + sample + 6 * pt, lineHeight * double(legend.size()) + 2 * pt);
    painter.fillRect(box, Qt::white);
    painter.setPen(QPen(kGrid, pt * 0.5));
    painter.drawRect(box);
    for (qsizetype i = 0; i < legend.size(); ++i) {
        const double mid = box.top() + pt + lineHeight * (double(i) + 0.5);
        const double x0 = box.left() + 2 * pt;
        if (i == 0) {
            painter.setPen(QPen(kLine, pt * 1.4));
            painter.drawLine(QPointF(x0, mid), QPointF(x0 + sample, mid));
        } else {
            painter.setPen(QPen(kSetPoint, pt * 0.8));
            painter.drawLine(QPointF(x0 + sample / 2, mid - lineHeight * 0.35),
                             QPointF(x0 + sample / 2, mid + lineHeight * 0.35));
            arrowHead(painter, QPointF(x0 + sample / 2, mid - lineHeight * 0.4), -1, pt * 2);
            arrowHead(painter, QPointF(x0 + sample / 2, mid + lineHeight * 0.4), 1, pt * 2);
        }
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(x0 + sample + 2 * pt, mid - lineHeight / 2, widestEntry + pt, lineHeight),
            Qt::AlignLeft | Qt::AlignVCenter, legend[i]);
    }
    painter.end();
    return image;
}

} // namespace calcsheet
