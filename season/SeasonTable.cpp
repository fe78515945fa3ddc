#include "season/SeasonTable.h"

using selection::EquipmentKind;

namespace season {

namespace {

std::optional<double> some(double v) { return v; }

} // namespace

const std::vector<Column>& columns()
{
    using K = Column::Kinds;
    static const std::vector<Column> all = {
        {"outdoor", "tн, °C", 1, [](const Point& p) { return some(p.outdoor); }, K::All},
        {"relativeLoad", "Q̄", 3, [](const Point& p) { return some(p.relativeLoad); }, K::All},
        {"supply", "τ1, °C", 2, [](const Point& p) { return some(p.supply); }, K::All},
        {"return", "τ2, °C", 2, [](const Point& p) { return some(p.ret); }, K::All},
        {"mixed", "τ3, °C", 2, [](const Point& p) { return some(p.mixed); }, K::All},
        {"load", "Q, Гкал/ч", 3, [](const Point& p) { return some(p.load); }, K::All},
        {"networkFlow", "G, т/ч", 3, [](const Point& p) { return some(p.networkFlow); }, K::All},
        {"mixingRatio", "u", 2, [](const Point& p) { return some(p.mixingRatio); }, K::All},
        {"nozzleDiameter", "dс, мм", 2, [](const Point& p) { return p.nozzleDiameter; },
         K::Elevator},
        {"requiredHead", "Hтреб, м", 2, [](const Point& p) { return p.requiredHead; }, K::Elevator},
        {"availableHead", "Hрасп, м", 2, [](const Point& p) { return p.availableHead; },
         K::Elevator},
        {"pressureDrop", "Δp, кгс/см²", 3, [](const Point& p) { return p.pressureDrop; },
         K::Device},
        {"requiredKv", "Kv, м³/ч", 3, [](const Point& p) { return p.requiredKv; }, K::Device},
        {"capacityRatio", "Kv/Kvy", 3, [](const Point& p) { return p.capacityRatio; }, K::Device},
    };
    return all;
}

std::vector<const Column*> columnsOf(EquipmentKind kind)
{
    const bool elevator = kind == EquipmentKind::Hydroelevator;
    std::vector<const Column*> shown;
    for (const Column& c : columns())
        if (c.kinds == Column::Kinds::All || (c.kinds == Column::Kinds::Elevator) == elevator)
            shown.push_back(&c);
    return shown;
}

std::vector<const checks::Check*> notPassedChecks(const Point& p)
{
    std::vector<const checks::Check*> found;
    for (const checks::Check& c : p.checks)
        if (c.status == checks::Status::Failed || c.status == checks::Status::Warning)
            found.push_back(&c);
    return found;
}

QString notPassed(const Point& p)
{
    QStringList ids;
    for (const checks::Check* c : notPassedChecks(p))
        ids << c->id + QLatin1Char(':') + checks::statusId(c->status);
    return ids.join(QLatin1Char(' '));
}

const CurveLook& curveLook(std::size_t index)
{
    static const CurveLook looks[] = {
        {0x000000, CurveLook::Line::Solid, CurveLook::Mark::Circle},
        {0x0072B2, CurveLook::Line::Dash, CurveLook::Mark::Square},
        {0xE69F00, CurveLook::Line::Dot, CurveLook::Mark::Triangle},
    };
    return looks[index % std::size(looks)];
}

namespace {

std::vector<double> failingOutdoors(const std::vector<Point>& points)
{
    std::vector<double> failing;
    for (const Point& p : points)
        if (p.verdict == checks::Status::Failed)
            failing.push_back(p.outdoor);
    return failing;
}

Curve curve(const QString& name, const std::vector<Point>& points,
            std::optional<double> (*value)(const Point&), bool right = false)
{
    Curve c{name.section(QStringLiteral(" — "), 0, 0), name, {}, right};
    for (const Point& p : points)
        if (const std::optional<double> v = value(p))
            c.points.emplace_back(p.outdoor, *v);
    return c;
}

} // namespace

Chart scheduleChart(const std::vector<Point>& points, std::optional<double> cut)
{
    Chart chart;
    chart.title = QStringLiteral("Температурный график сети");
    chart.xTitle = QStringLiteral("Температура наружного воздуха tн, °C");
    chart.yTitle = QStringLiteral("Температура воды, °C");
    chart.curves = {
        curve(QStringLiteral("τ1 — подача"), points, [](const Point& p) { return some(p.supply); }),
        curve(QStringLiteral("τ3 — после смешения"), points,
              [](const Point& p) { return some(p.mixed); }),
        curve(QStringLiteral("τ2 — обратная"), points, [](const Point& p) { return some(p.ret); }),
    };
    chart.failing = failingOutdoors(points);
    if (cut)
        for (const Point& p : points)
            if (p.supply == *cut) {
                chart.cut = std::pair(*cut, p.outdoor);
                break;
            }
    return chart;
}

Chart deviceChart(EquipmentKind kind, const std::vector<Point>& points)
{
    Chart chart;
    chart.xTitle = QStringLiteral("Температура наружного воздуха tн, °C");
    if (kind == EquipmentKind::Hydroelevator) {
        chart.title = QStringLiteral("Гидроэлеватор: напор и расход");
        chart.yTitle = QStringLiteral("Напор, м");
        chart.rightTitle = QStringLiteral("Расход сетевой воды G, т/ч");
        chart.curves = {
            curve(QStringLiteral("Hтреб — необходимый напор"), points,
                  [](const Point& p) { return p.requiredHead; }),
            curve(QStringLiteral("Hрасп — располагаемый напор"), points,
                  [](const Point& p) { return p.availableHead; }),
            curve(
                QStringLiteral("G — расход сетевой воды"), points,
                [](const Point& p) { return some(p.networkFlow); }, true),
        };
    } else {
        chart.title = QStringLiteral("Загрузка по пропускной способности");
        chart.yTitle = QStringLiteral("Kv/Kvy");
        chart.curves = {curve(QStringLiteral("Kv/Kvy — доля условной пропускной способности"),
                              points, [](const Point& p) { return p.capacityRatio; })};
    }
    chart.failing = failingOutdoors(points);
    return chart;
}

} // namespace season
