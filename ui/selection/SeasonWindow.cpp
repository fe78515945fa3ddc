#include "ui/selection/SeasonWindow.h"

#include "calcsheet/ChartPainter.h"
#include "core/Numbers.h"
#include "season/SeasonTable.h"
#include "ui/shell/HelpWindow.h"

#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QScatterSeries>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <map>

namespace selection {

namespace {

QScatterSeries::MarkerShape markerShape(season::CurveLook::Mark mark)
{
    switch (mark) {
    case season::CurveLook::Mark::Square: return QScatterSeries::MarkerShapeRectangle;
    case season::CurveLook::Mark::Triangle: return QScatterSeries::MarkerShapeTriangle;
    default: return QScatterSeries::MarkerShapeCircle;
    }
}

QValueAxis* valueAxis(const QString& title, double low, double high)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    // A title in the labels' weight, so that it fits beside a narrow chart.
    QFont font = axis->titleFont();
    font.setBold(false);
    axis->setTitleFont(font);
    const double pad = std::max(1e-6, (high - low) * 0.05);
    axis->setRange(low - pad, high + pad);
    axis->setLabelFormat(QStringLiteral("%.4g"));
    axis->applyNiceNumbers();
    return axis;
}

// The side of a legend's sample, and the size of a curve's mark, in pixels.
constexpr double kLegendSample = 22;
constexpr double kMarkSize = 7;

// A scatter series of the marks of failing or warning points.
QScatterSeries* checkMarks(bool failing)
{
    auto* marks = new QScatterSeries;
    marks->setObjectName(failing ? QStringLiteral("failing") : QStringLiteral("warning"));
    marks->setName(failing ? QStringLiteral("не пройдена") : QStringLiteral("предупреждение"));
    const QColor colour =
        QColor::fromRgb(failing ? season::kFailingColour : season::kWarningColour);
    marks->setMarkerShape(failing ? QScatterSeries::MarkerShapeStar
                                  : QScatterSeries::MarkerShapeRotatedRectangle);
    marks->setMarkerSize(failing ? 14 : 11);
    marks->setColor(failing ? colour : QColor(Qt::white));
    marks->setPen(QPen(colour, failing ? 1 : 2));
    return marks;
}

// The chart in Qt Charts: for each curve a line and a scatter series of its marks, and for the
// legend an empty line series whose light marker is the curve's mark, so that the legend shows
// the line with its mark as the sheet's does; the failing and warning points on their curves;
// the cut as a vertical line where τ1 reaches it; axes with their titles.
QChart* chartOf(const season::Chart& data, qreal devicePixelRatio)
{
    auto* chart = new QChart;
    // Narrow margins: two charts share the width of a small screen.
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    chart->setBackgroundRoundness(0);
    chart->setTitle(data.title);
    chart->legend()->setAlignment(Qt::AlignTop);
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    QFont titleFont = chart->titleFont();
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    double xLow = 1e300, xHigh = -1e300, lLow = 1e300, lHigh = -1e300, rLow = 1e300, rHigh = -1e300;
    for (const season::Curve& c : data.curves)
        for (const auto& [x, y] : c.points) {
            xLow = std::min(xLow, x);
            xHigh = std::max(xHigh, x);
            (c.rightAxis ? rLow : lLow) = std::min(c.rightAxis ? rLow : lLow, y);
            (c.rightAxis ? rHigh : lHigh) = std::max(c.rightAxis ? rHigh : lHigh, y);
        }
    if (xLow > xHigh)
        return chart;
    QValueAxis* x = valueAxis(data.xTitle, xLow, xHigh);
    QValueAxis* left = valueAxis(data.yTitle, lLow, lHigh);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    QValueAxis* right = nullptr;
    if (!data.rightTitle.isEmpty() && rLow <= rHigh) {
        right = valueAxis(data.rightTitle, rLow, rHigh);
        chart->addAxis(right, Qt::AlignRight);
    }
    const auto attach = [&](QXYSeries* series, bool onRight, bool inLegend) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(onRight && right ? right : left);
        chart->legend()->markers(series).front()->setVisible(inLegend);
    };
    // The marks of failing and warning points, one series of each for each value axis.
    std::map<std::pair<bool, bool>, QScatterSeries*> checked; // (failing, right) → marks
    for (std::size_t i = 0; i < data.curves.size(); ++i) {
        const season::Curve& c = data.curves[i];
        const season::CurveLook& look = season::curveLook(i);
        const QColor colour = QColor::fromRgb(look.colour);
        const QPen pen(colour, 2, calcsheet::penStyle(look.line));
        auto* line = new QLineSeries;
        line->setName(c.symbol);
        line->setPen(pen);
        auto* marks = new QScatterSeries;
        marks->setMarkerShape(markerShape(look.mark));
        marks->setMarkerSize(kMarkSize);
        marks->setColor(Qt::white);
        marks->setBorderColor(colour);
        for (const auto& [px, py] : c.points) {
            line->append(px, py);
            marks->append(px, py);
        }
        // The symbols, as the table's headings have them: the full names do not fit a legend
        // beside a chart of this width.
        auto* key = new QLineSeries;
        key->setObjectName(QStringLiteral("legend"));
        key->setName(c.symbol);
        key->setPen(pen);
        key->setMarkerSize(kLegendSample);
        key->setLightMarker(calcsheet::markImage(
            look,
            {.side = kLegendSample, .mark = kMarkSize + 1, .devicePixelRatio = devicePixelRatio}));
        attach(line, c.rightAxis, false);
        attach(marks, c.rightAxis, false);
        attach(key, c.rightAxis, true);
        for (const bool failing : {false, true}) {
            const auto& points = failing ? c.failing : c.warning;
            if (points.empty())
                continue;
            const bool onRight = c.rightAxis && right;
            QScatterSeries*& series = checked[{failing, onRight}];
            if (!series)
                series = checkMarks(failing);
            for (const auto& [px, py] : points)
                series->append(px, py);
        }
    }
    if (data.cut) {
        auto* cut = new QLineSeries;
        cut->setObjectName(QStringLiteral("cut"));
        cut->setName(QStringLiteral("срезка"));
        cut->setPen(QPen(Qt::gray, 1.5, Qt::DashDotLine));
        cut->append(*data.cut->outdoor, left->min());
        cut->append(*data.cut->outdoor, left->max());
        attach(cut, false, true);
    }
    // The status line above the charts says what the marks of failing and warning points are:
    // the legend beside a chart of this width has room for the curves only.
    for (const auto& [key, series] : checked)
        attach(series, key.second, false);
    return chart;
}

// A message in the status line, as plain text: it may quote what the user typed.
void sayPlainly(QLabel* status, const QString& text)
{
    status->setTextFormat(Qt::PlainText);
    status->setText(text);
}

// A row's tint: failed points and points that only warn apart.
std::optional<QColor> tintOf(checks::Status verdict)
{
    switch (verdict) {
    case checks::Status::Failed: return QColor(0xF9, 0xE4, 0xD6);
    case checks::Status::Warning: return QColor(0xF6, 0xE8, 0xF0);
    default: return std::nullopt;
    }
}

} // namespace

SeasonWindow::SeasonWindow(QWidget* owner) : CompanionWindow(owner)
{
    setObjectName(QStringLiteral("SeasonForm"));
    setWindowTitle(QStringLiteral("Отопительный сезон"));
    helpwindow::setTopic(this, QStringLiteral("season"));

    // The inputs keep what was typed for the session: the window is made once, with the
    // selection window, and emptying it leaves them.
    const auto edit = [this](const char* name, const QString& text) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaximumWidth(80);
        connect(e, &QLineEdit::editingFinished, this, &SeasonWindow::recompute);
        connect(e, &QLineEdit::textEdited, this, &SeasonWindow::inputsEdited);
        return e;
    };
    m_outdoor = edit("OutdoorDesign", QString());
    m_outdoor->setPlaceholderText(QStringLiteral("−25"));
    m_indoor = edit("Indoor", num::general(season::kDefaultIndoor));
    m_cut = edit("Cut", num::general(season::kDefaultCut));
    m_end = edit("SeasonEnd", num::general(season::kDefaultSeasonEnd));
    m_step = edit("Step", num::general(season::kDefaultStep));

    // Three inputs a row, so that the window fits a small screen.
    auto* inputs = new QGridLayout;
    const std::pair<const char*, QLineEdit*> fields[] = {
        {"Расчётная температура наружного воздуха, °C", m_outdoor},
        {"Внутреннего воздуха, °C", m_indoor},
        {"Срезка подачи, °C", m_cut},
        {"Конец периода, °C", m_end},
        {"Шаг, К", m_step},
    };
    int at = 0;
    for (const auto& [label, box] : fields) {
        auto* l = new QLabel(QString::fromUtf8(label), this);
        l->setBuddy(box);
        inputs->addWidget(l, at / 3, (at % 3) * 2);
        inputs->addWidget(box, at / 3, (at % 3) * 2 + 1);
        ++at;
    }
    inputs->setColumnStretch(6, 1);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("Status"));
    m_status->setWordWrap(true);

    m_scheduleView = new QChartView(new QChart, this);
    m_scheduleView->setObjectName(QStringLiteral("ScheduleChart"));
    m_deviceView = new QChartView(new QChart, this);
    m_deviceView->setObjectName(QStringLiteral("DeviceChart"));
    for (QChartView* view : {m_scheduleView, m_deviceView}) {
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(300, 220);
    }
    auto* charts = new QWidget(this);
    auto* chartsLayout = new QHBoxLayout(charts);
    chartsLayout->setContentsMargins(0, 0, 0, 0);
    chartsLayout->addWidget(m_scheduleView);
    chartsLayout->addWidget(m_deviceView);

    m_table = new QTableWidget(this);
    m_table->setObjectName(QStringLiteral("PointsTable"));
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    // Rows as high as their text, so that a small screen still shows a good part of the season.
    m_table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);

    // The charts and the table share the height. The window is made once, with the selection
    // window, and hidden when closed: the user's split stays for the session.
    m_split = new QSplitter(Qt::Vertical, this);
    m_split->setObjectName(QStringLiteral("Split"));
    m_split->setChildrenCollapsible(false);
    m_split->addWidget(charts);
    m_split->addWidget(m_table);
    m_split->setStretchFactor(0, 1);
    m_split->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(m_status);
    layout->addWidget(m_split, 1);
    clear();
}

void SeasonWindow::follow(const SelectionRun& run)
{
    if (run.failure() || !run.sized) {
        clear();
        return;
    }
    m_design = run.sized;
    recompute();
}

void SeasonWindow::clear()
{
    m_design.reset();
    m_sheet.reset();
    sayPlainly(m_status,
               QStringLiteral("Нет результата подбора: нажмите «Подобрать» в окне подбора."));
    showPoints();
}

std::optional<calcsheet::SeasonSheet> SeasonWindow::sheet() const { return m_sheet; }

std::vector<NamedBox> SeasonWindow::namedBoxes() const
{
    return {{"outdoor-design", m_outdoor, QString()},
            {"indoor", m_indoor, num::general(season::kDefaultIndoor)},
            {"cut", m_cut, num::general(season::kDefaultCut)},
            {"season-end", m_end, num::general(season::kDefaultSeasonEnd)},
            {"step", m_step, num::general(season::kDefaultStep)}};
}

Fields SeasonWindow::inputs() const { return fieldsOfBoxes(namedBoxes()); }

void SeasonWindow::setInputs(const Fields& fields)
{
    putInBoxes(namedBoxes(), fields);
    recompute();
}

std::optional<season::Schedule> SeasonWindow::schedule(QString* problem) const
{
    const auto number = [](const QLineEdit* box) {
        return num::parseDecimal(QString(box->text()).replace(u'−', u'-').trimmed());
    };
    if (m_outdoor->text().trimmed().isEmpty()) {
        *problem = QStringLiteral("Введите расчётную температуру наружного воздуха.");
        return std::nullopt;
    }
    const std::pair<const QLineEdit*, const char*> boxes[] = {
        {m_outdoor, "расчётная температура наружного воздуха"},
        {m_indoor, "температура внутреннего воздуха"},
        {m_cut, "температура срезки"},
        {m_end, "конец отопительного периода"},
        {m_step, "шаг"},
    };
    for (const auto& [box, what] : boxes)
        if (!number(box)) {
            *problem =
                QStringLiteral("Не число: %1 «%2».").arg(QString::fromUtf8(what), box->text());
            return std::nullopt;
        }
    season::Schedule s{.outdoorDesign = qty::Temperature::celsius(*number(m_outdoor)),
                       .indoor = qty::Temperature::celsius(*number(m_indoor)),
                       .cut = std::nullopt,
                       .seasonEnd = qty::Temperature::celsius(*number(m_end)),
                       .step = *number(m_step)};
    // The default cut is the default: applied only where the design supply is above it.
    if (*number(m_cut) != season::kDefaultCut)
        s.cut = qty::Temperature::celsius(*number(m_cut));
    return s;
}

void SeasonWindow::recompute()
{
    m_sheet.reset();
    if (!m_design) {
        showPoints();
        return;
    }
    QString problem;
    const std::optional<season::Schedule> s = schedule(&problem);
    if (!s) {
        sayPlainly(m_status, problem);
        showPoints();
        return;
    }
    vedan::Outcome<std::vector<season::Point>> swept = season::sweep(*m_design, *s);
    if (swept.failure) {
        sayPlainly(m_status, QStringLiteral("График не строится: ") + swept.failure->message
                                 + QLatin1Char('.'));
        showPoints();
        return;
    }
    m_sheet = calcsheet::SeasonSheet{*s, season::cutOf(*m_design, *s), std::move(swept.value)};
    int failing = 0;
    int warning = 0;
    for (const season::Point& p : m_sheet->points) {
        failing += p.verdict == checks::Status::Failed ? 1 : 0;
        warning += p.verdict == checks::Status::Warning ? 1 : 0;
    }
    // Each kind of mark in its colour, as the charts draw it.
    const auto mark = [](unsigned colour, const char* symbol) {
        return QStringLiteral("<span style=\"color:#%1\">%2</span>")
            .arg(colour, 6, 16, QLatin1Char('0'))
            .arg(QString::fromUtf8(symbol));
    };
    QString status = QStringLiteral("Точек: %1. ").arg(m_sheet->points.size());
    if (failing > 0)
        status += QStringLiteral("Не пройдены проверки в %1: × в таблице, %2 на графиках. ")
                      .arg(QString::number(failing), mark(season::kFailingColour, "★"));
    else
        status += QStringLiteral("Непройденных проверок нет. ");
    if (warning > 0)
        status += QStringLiteral("Предупреждения в %1: ! в таблице, %2 на графиках. ")
                      .arg(QString::number(warning), mark(season::kWarningColour, "◇"));
    const std::optional<season::Cut>& cut = m_sheet->cut;
    if (!cut)
        status += QStringLiteral("Срезки нет: подача не выше %1 °C.")
                      .arg(num::general(season::kDefaultCut));
    else if (cut->outdoor)
        status += QStringLiteral("Срезка %1 °C с tн = %2 °C.")
                      .arg(num::general(cut->temperature), num::fixed(*cut->outdoor, 2));
    else
        status += QStringLiteral("Срезка %1 °C в этом периоде не наступает.")
                      .arg(num::general(cut->temperature));
    m_status->setTextFormat(Qt::RichText);
    m_status->setText(status);
    showPoints();
}

void SeasonWindow::showPoints()
{
    m_table->clear();
    m_table->setRowCount(0);
    if (!m_sheet || !m_design) {
        m_table->setColumnCount(0);
        m_scheduleView->setChart(new QChart);
        m_deviceView->setChart(new QChart);
        return;
    }
    const std::vector<const season::Column*> columns = season::columnsOf(m_design->request.kind);
    QStringList headings;
    for (const season::Column* c : columns)
        headings << QString::fromUtf8(c->heading);
    headings << QStringLiteral("Проверки");
    m_table->setColumnCount(static_cast<int>(headings.size()));
    m_table->setHorizontalHeaderLabels(headings);
    m_table->setRowCount(static_cast<int>(m_sheet->points.size()));
    for (int r = 0; r < static_cast<int>(m_sheet->points.size()); ++r) {
        const season::Point& p = m_sheet->points[static_cast<std::size_t>(r)];
        for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
            const std::optional<double> v = columns[static_cast<std::size_t>(c)]->value(p);
            auto* item = new QTableWidgetItem(
                v ? num::fixed(*v, columns[static_cast<std::size_t>(c)]->decimals)
                  : QStringLiteral("—"));
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_table->setItem(r, c, item);
        }
        auto* verdict = new QTableWidgetItem(season::verdictText(p, season::CheckNames::Titles));
        verdict->setToolTip(verdict->text());
        m_table->setItem(r, static_cast<int>(columns.size()), verdict);
        if (const std::optional<QColor> tint = tintOf(p.verdict))
            for (int c = 0; c <= static_cast<int>(columns.size()); ++c)
                m_table->item(r, c)->setBackground(*tint);
    }
    m_table->resizeColumnsToContents();
    m_scheduleView->setChart(
        chartOf(season::scheduleChart(m_sheet->points, m_sheet->cut), devicePixelRatioF()));
    m_deviceView->setChart(
        chartOf(season::deviceChart(m_design->request.kind, m_sheet->points), devicePixelRatioF()));
}

} // namespace selection
