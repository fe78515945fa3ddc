#include "selection/ui/SeasonWindow.h"

#include "calcsheet/ChartPainter.h"
#include "core/Numbers.h"
#include "season/SeasonTable.h"
#include "shell/Centring.h"

#include <QChart>
#include <QChartView>
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
    const double pad = std::max(1e-6, (high - low) * 0.05);
    axis->setRange(low - pad, high + pad);
    axis->setLabelFormat(QStringLiteral("%.4g"));
    axis->applyNiceNumbers();
    return axis;
}

// The chart in Qt Charts: a line and a scatter series of marks for each curve, the failing
// points as crosses, the cut as a vertical line, axes with their titles.
QChart* chartOf(const season::Chart& data)
{
    auto* chart = new QChart;
    chart->setTitle(data.title);
    chart->legend()->setAlignment(Qt::AlignTop);
    // A line's legend shows its line style, a mark's its shape: apart in greyscale too.
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
    const auto attach = [&](QXYSeries* series, bool onRight) {
        chart->addSeries(series);
        series->attachAxis(x);
        series->attachAxis(onRight && right ? right : left);
    };
    auto* failing = new QScatterSeries;
    failing->setName(QStringLiteral("не пройдена"));
    failing->setMarkerShape(QScatterSeries::MarkerShapeStar);
    failing->setMarkerSize(14);
    failing->setColor(QColor::fromRgb(season::kFailingColour));
    failing->setBorderColor(QColor::fromRgb(season::kFailingColour));
    QScatterSeries* failingRight = nullptr;
    for (std::size_t i = 0; i < data.curves.size(); ++i) {
        const season::Curve& c = data.curves[i];
        const season::CurveLook& look = season::curveLook(i);
        const QColor colour = QColor::fromRgb(look.colour);
        auto* line = new QLineSeries;
        // The symbols, as the table's headings have them: the full names do not fit a legend
        // beside a chart of this width.
        line->setName(c.symbol);
        line->setPen(QPen(colour, 2, calcsheet::penStyle(look.line)));
        auto* marks = new QScatterSeries;
        marks->setMarkerShape(markerShape(look.mark));
        marks->setMarkerSize(7);
        marks->setColor(Qt::white);
        marks->setBorderColor(colour);
        for (const auto& [px, py] : c.points) {
            line->append(px, py);
            marks->append(px, py);
            if (std::find(data.failing.begin(), data.failing.end(), px) != data.failing.end()) {
                if (c.rightAxis && right) {
                    if (!failingRight) {
                        failingRight = new QScatterSeries;
                        failingRight->setMarkerShape(QScatterSeries::MarkerShapeStar);
                        failingRight->setMarkerSize(14);
                        failingRight->setColor(QColor::fromRgb(season::kFailingColour));
                    }
                    failingRight->append(px, py);
                } else {
                    failing->append(px, py);
                }
            }
        }
        attach(line, c.rightAxis);
        attach(marks, c.rightAxis);
        chart->legend()->markers(marks).front()->setVisible(false);
    }
    if (data.cut) {
        auto* cut = new QLineSeries;
        cut->setName(QStringLiteral("срезка %1 °C").arg(num::general(data.cut->first)));
        cut->setPen(QPen(Qt::gray, 1.5, Qt::DashDotLine));
        cut->append(data.cut->second, left->min());
        cut->append(data.cut->second, left->max());
        attach(cut, false);
    }
    if (failing->count() > 0 || failingRight) {
        attach(failing, false);
        if (failingRight) {
            attach(failingRight, true);
            chart->legend()->markers(failingRight).front()->setVisible(false);
        }
    } else {
        delete failing;
    }
    return chart;
}

} // namespace

SeasonWindow::SeasonWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("SeasonForm"));
    setWindowTitle(QStringLiteral("Отопительный сезон"));

    // The inputs keep what was typed for the session: the window is made once, with the
    // selection window, and emptying it leaves them.
    const auto edit = [this](const char* name, const QString& text) {
        auto* e = new QLineEdit(text, this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaximumWidth(80);
        connect(e, &QLineEdit::editingFinished, this, &SeasonWindow::recompute);
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

    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(charts);
    split->addWidget(m_table);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(inputs);
    layout->addWidget(m_status);
    layout->addWidget(split, 1);
    clear();
}

void SeasonWindow::bringForward()
{
    if (!isVisible())
        centring::placeOnOwnersScreen(this, QSize(1100, 760));
    show();
    raise();
    activateWindow();
}

void SeasonWindow::follow(const SelectionForm& form, const SelectionRun& run)
{
    if (run.failure || !run.kind || !run.inputs) {
        clear();
        return;
    }
    m_design = season::Design{*run.kind,  *run.inputs,    run.values,
                              run.offers, form.comboBox5, form.comboBox6};
    recompute();
}

void SeasonWindow::clear()
{
    m_design.reset();
    m_sheet.reset();
    m_status->setText(
        QStringLiteral("Нет результата подбора: нажмите «Подобрать» в окне подбора."));
    showPoints();
}

std::optional<calcsheet::SeasonSheet> SeasonWindow::sheet() const { return m_sheet; }

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
        m_status->setText(problem);
        showPoints();
        return;
    }
    auto swept = season::sweep(*m_design, *s);
    if (const QString* refused = std::get_if<QString>(&swept)) {
        m_status->setText(QStringLiteral("График не строится: ") + *refused + QLatin1Char('.'));
        showPoints();
        return;
    }
    m_sheet = calcsheet::SeasonSheet{*s, season::cutInForce(*s, m_design->inputs.supplyTemperature),
                                     std::move(std::get<std::vector<season::Point>>(swept))};
    int failing = 0;
    int warning = 0;
    for (const season::Point& p : m_sheet->points) {
        failing += p.verdict == checks::Status::Failed ? 1 : 0;
        warning += p.verdict == checks::Status::Warning ? 1 : 0;
    }
    QString status = QStringLiteral("Точек: %1; ").arg(m_sheet->points.size());
    if (failing > 0)
        status += QStringLiteral("не пройдены проверки в %1 (отмечены ×)").arg(failing);
    else
        status += QStringLiteral("непройденных проверок нет");
    if (warning > 0)
        status += QStringLiteral("; предупреждения в %1").arg(warning);
    m_status->setText(status + QLatin1Char('.'));
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
    const std::vector<const season::Column*> columns = season::columnsOf(m_design->kind);
    QStringList headings;
    for (const season::Column* c : columns)
        headings << QString::fromUtf8(c->heading);
    headings << QStringLiteral("Проверки");
    m_table->setColumnCount(static_cast<int>(headings.size()));
    m_table->setHorizontalHeaderLabels(headings);
    m_table->setRowCount(static_cast<int>(m_sheet->points.size()));
    const QColor failedTint(0xF9, 0xE4, 0xD6);
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
        QStringList notPassed;
        for (const checks::Check* check : season::notPassedChecks(p))
            notPassed << check->title;
        QString verdict = checks::statusText(p.verdict);
        if (p.verdict == checks::Status::Failed)
            verdict = QStringLiteral("× ") + verdict;
        if (!notPassed.isEmpty())
            verdict += QStringLiteral(": ") + notPassed.join(QStringLiteral("; "));
        auto* item = new QTableWidgetItem(verdict);
        m_table->setItem(r, static_cast<int>(columns.size()), item);
        if (p.verdict == checks::Status::Failed)
            for (int c = 0; c <= static_cast<int>(columns.size()); ++c)
                m_table->item(r, c)->setBackground(failedTint);
    }
    m_table->resizeColumnsToContents();
    m_scheduleView->setChart(chartOf(season::scheduleChart(m_sheet->points, m_sheet->cut)));
    m_deviceView->setChart(chartOf(season::deviceChart(m_design->kind, m_sheet->points)));
}

} // namespace selection
