#include "season/SeasonTable.h"

#include <algorithm>

using selection::EquipmentKind;

namespace season {

namespace {

std::optional<double> some(double v) { return v; }

} // namespace

const std::vector<Column>& columns()
{
    using K = Column::Kinds;
    static const std::vector<Column> all = {
        {"outdoor", "tн, °C", 1, [](const Point& p) { return some(p.outdoor.inCelsius()); },
         K::All},
        {"relativeLoad", "Q̄", 3, [](const Point& p) { return some(p.relativeLoad); }, K::All},
        {"supply", "τ1, °C", 2, [](const Point& p) { return some(p.supply.inCelsius()); }, K::All},
        {"return", "τ2, °C", 2, [](const Point& p) { return some(p.ret.inCelsius()); }, K::All},
        {"mixed", "τ3, °C", 2, [](const Point& p) { return some(p.mixed.inCelsius()); }, K::All},
        {"load", "Q, Гкал/ч", 3, [](const Point& p) { return some(p.load.inGcalPerHour()); },
         K::All},
        {"networkFlow", "G, т/ч", 3,
         [](const Point& p) { return some(p.networkFlow.inTonnesPerHour()); }, K::All},
        {"mixingRatio", "u", 2, [](const Point& p) { return some(p.mixingRatio); }, K::All},
        {"nozzleDiameter", "dс, мм", 2,
         [](const Point& p) {
             return qty::readIn(p.nozzleDiameter, &qty::Diameter::inMillimetres);
         },
         K::Elevator},
        {"requiredHead", "Hтреб, м", 2,
         [](const Point& p) { return qty::readIn(p.requiredHead, &qty::Head::inMetres); },
         K::Elevator},
        {"availableHead", "Hрасп, м", 2,
         [](const Point& p) { return qty::readIn(p.availableHead, &qty::Head::inMetres); },
         K::Elevator},
        {"pressureDrop", "Δp, кгс/см²", 3,
         [](const Point& p) {
             return qty::readIn(p.pressureDrop, &qty::PressureDifference::inKgfPerCm2);
         },
         K::Device},
        {"requiredKv", "Kv, м³/ч", 3,
         [](const Point& p) {
             return qty::readIn(p.requiredKv, &qty::FlowCoefficient::inCubicMetresPerHour);
         },
         K::Device},
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

std::vector<const checks::Check*> checksWith(const Point& p, checks::Status status)
{
    std::vector<const checks::Check*> found;
    for (const checks::Check& c : p.checks)
        if (c.status == status)
            found.push_back(&c);
    return found;
}

QString verdictText(const Point& p, CheckNames names)
{
    // Each group its marker, its status and its checks: the failed first, then the warnings.
    const std::pair<checks::Status, const char*> groups[] = {
        {checks::Status::Failed, "× "},
        {checks::Status::Warning, "! "},
    };
    const QString within =
        names == CheckNames::Titles ? QStringLiteral("; ") : QStringLiteral(", ");
    QStringList parts;
    for (const auto& [status, marker] : groups) {
        QStringList named;
        for (const checks::Check* c : checksWith(p, status))
            named << (names == CheckNames::Titles ? c->title : c->id);
        if (!named.isEmpty())
            parts << QString::fromUtf8(marker) + checks::statusText(status) + QStringLiteral(": ")
                         + named.join(within);
    }
    return parts.isEmpty() ? checks::statusText(p.verdict) : parts.join(QStringLiteral("; "));
}

std::optional<Quantity> markedOn(const QString& checkId)
{
    // A check id, or a family of them ending in a dot, and the curve it is marked on.
    static const std::pair<const char*, Quantity> table[] = {
        {"supply.liquid", Quantity::Supply},
        {"supply.schedule", Quantity::Supply},
        {"elevator.head", Quantity::NeededHead},
        {"elevator.mixing", Quantity::NeededHead},
        {"elevator.nozzle", Quantity::NeededHead},
        {"elevator.flashing", Quantity::NeededHead},
        {"valve.", Quantity::Capacity},
        {"regulator.", Quantity::Capacity},
        {"selection.offer", Quantity::Capacity},
    };
    for (const auto& [id, quantity] : table) {
        const QLatin1String name(id);
        if (name.endsWith(QLatin1Char('.')) ? checkId.startsWith(name) : checkId == name)
            return quantity;
    }
    return std::nullopt;
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

bool Chart::anyFailing() const
{
    return std::any_of(curves.begin(), curves.end(),
                       [](const Curve& c) { return !c.failing.empty(); });
}

bool Chart::anyWarning() const
{
    return std::any_of(curves.begin(), curves.end(),
                       [](const Curve& c) { return !c.warning.empty(); });
}

namespace {

bool onDeviceChart(Quantity q)
{
    return q != Quantity::Supply && q != Quantity::Mixed && q != Quantity::Return;
}

Curve curve(Quantity quantity, const QString& name, const std::vector<Point>& points,
            std::optional<double> (*value)(const Point&), bool right = false)
{
    Curve c{quantity, name.section(QStringLiteral(" — "), 0, 0), name, {}, right, {}, {}};
    for (const Point& p : points)
        if (const std::optional<double> v = value(p))
            c.points.emplace_back(p.outdoor.inCelsius(), *v);
    return c;
}

// Marks each point's failing and warning checks of this chart on their curves; on the device
// chart a check whose curve it does not have goes on its first curve. A point failing on a curve
// is not also marked as warning there.
void markChecks(Chart& chart, const std::vector<Point>& points, bool device)
{
    for (const Point& p : points) {
        for (const checks::Check& check : p.checks) {
            const bool failed = check.status == checks::Status::Failed;
            const std::optional<Quantity> q = markedOn(check.id);
            if ((!failed && check.status != checks::Status::Warning) || !q
                || onDeviceChart(*q) != device)
                continue;
            auto target = std::find_if(chart.curves.begin(), chart.curves.end(),
                                       [&](const Curve& c) { return c.quantity == *q; });
            if (target == chart.curves.end() && device && !chart.curves.empty())
                target = chart.curves.begin();
            if (target == chart.curves.end())
                continue;
            const auto at =
                std::find_if(target->points.begin(), target->points.end(),
                             [&](const auto& xy) { return xy.first == p.outdoor.inCelsius(); });
            if (at == target->points.end())
                continue;
            auto& marks = failed ? target->failing : target->warning;
            if (std::find(marks.begin(), marks.end(), *at) == marks.end())
                marks.push_back(*at);
        }
    }
    for (Curve& c : chart.curves)
        std::erase_if(c.warning, [&](const auto& xy) {
            return std::find(c.failing.begin(), c.failing.end(), xy) != c.failing.end();
        });
}

} // namespace

Chart scheduleChart(const std::vector<Point>& points, const std::optional<Cut>& cut)
{
    Chart chart;
    chart.title = QStringLiteral("Температурный график сети");
    chart.xTitle = QStringLiteral("Температура наружного воздуха tн, °C");
    chart.yTitle = QStringLiteral("Температура воды, °C");
    chart.curves = {
        curve(Quantity::Supply, QStringLiteral("τ1 — подача"), points,
              [](const Point& p) { return some(p.supply.inCelsius()); }),
        curve(Quantity::Mixed, QStringLiteral("τ3 — после смешения"), points,
              [](const Point& p) { return some(p.mixed.inCelsius()); }),
        curve(Quantity::Return, QStringLiteral("τ2 — обратная"), points,
              [](const Point& p) { return some(p.ret.inCelsius()); }),
    };
    markChecks(chart, points, false);
    if (cut && cut->outdoor)
        chart.cut = cut;
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
            curve(Quantity::NeededHead, QStringLiteral("Hтреб — необходимый напор"), points,
                  [](const Point& p) { return qty::readIn(p.requiredHead, &qty::Head::inMetres); }),
            curve(
                Quantity::AvailableHead, QStringLiteral("Hрасп — располагаемый напор"), points,
                [](const Point& p) { return qty::readIn(p.availableHead, &qty::Head::inMetres); }),
            curve(
                Quantity::NetworkFlow, QStringLiteral("G — расход сетевой воды"), points,
                [](const Point& p) { return some(p.networkFlow.inTonnesPerHour()); }, true),
        };
    } else if (std::any_of(points.begin(), points.end(),
                           [](const Point& p) { return p.capacityRatio.has_value(); })) {
        chart.title = QStringLiteral("Загрузка по пропускной способности");
        chart.yTitle = QStringLiteral("Kv/Kvy");
        chart.curves = {curve(Quantity::Capacity,
                              QStringLiteral("Kv/Kvy — доля условной пропускной способности"),
                              points, [](const Point& p) { return p.capacityRatio; })};
    } else {
        // No model offered: the capacity the device would need.
        chart.title = QStringLiteral("Требуемая пропускная способность (модель не подобрана)");
        chart.yTitle = QStringLiteral("Kv, м³/ч");
        chart.curves = {
            curve(Quantity::Capacity, QStringLiteral("Kv — требуемая пропускная способность"),
                  points, [](const Point& p) {
                      return qty::readIn(p.requiredKv, &qty::FlowCoefficient::inCubicMetresPerHour);
                  })};
    }
    markChecks(chart, points, true);
    return chart;
}

} // namespace season
