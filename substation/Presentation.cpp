#include "substation/Presentation.h"

#include "core/Numbers.h"
#include "substation/BudgetFormulas.h"

namespace substation {

namespace {

const SchemeRow* rowOf(Scheme scheme)
{
    for (const SchemeRow& row : kSchemeRows)
        if (row.scheme == scheme)
            return &row;
    return nullptr;
}

struct ElementRow {
    ElementKind kind;
    const char* id;
    const char* name;
};
constexpr ElementRow kElementRows[] = {
    {ElementKind::Other, "other", "прочие потери"},
    {ElementKind::Orifice, "orifice", "дроссельная диафрагма"},
    {ElementKind::Regulator, "regulator", "регулятор перепада давления"},
    {ElementKind::Valve, "valve", "регулирующий клапан"},
    {ElementKind::Elevator, "elevator", "гидроэлеватор"},
    {ElementKind::System, "system", "система отопления"},
};

const ElementRow& rowOf(ElementKind kind)
{
    for (const ElementRow& row : kElementRows)
        if (row.kind == kind)
            return row;
    return kElementRows[std::size(kElementRows) - 1];
}

} // namespace

Scheme defaultScheme(selection::EquipmentKind kind)
{
    switch (kind) {
    case selection::EquipmentKind::Hydroelevator: return Scheme::Elevator;
    case selection::EquipmentKind::Regulator: return Scheme::Regulator;
    case selection::EquipmentKind::ControlValve:
    case selection::EquipmentKind::MixingValve: break;
    }
    return Scheme::ValveRegulator;
}

QString schemeId(Scheme scheme) { return QString::fromLatin1(rowOf(scheme)->id); }
QString schemeTitle(Scheme scheme) { return QString::fromUtf8(rowOf(scheme)->title); }

std::optional<Scheme> schemeOfId(const QString& id)
{
    for (const SchemeRow& row : kSchemeRows)
        if (id == QLatin1String(row.id))
            return row.scheme;
    return std::nullopt;
}

QString elementId(ElementKind kind) { return QString::fromLatin1(rowOf(kind).id); }
QString elementName(ElementKind kind) { return QString::fromUtf8(rowOf(kind).name); }

std::optional<qty::PressureDifference> elementDrop(const Element& e)
{
    if (e.drop)
        return e.drop;
    if (e.kind == ElementKind::Orifice)
        return formulas::dropOf(e.head);
    return std::nullopt;
}

QString boresText(const Element& e)
{
    if (e.orifice)
        return QStringLiteral("%1 × %2 мм")
            .arg(e.orifice->plates)
            .arg(num::fixed(e.orifice->bore.inMillimetres(), 2));
    if (e.nozzle && e.throat)
        return QStringLiteral("сопло %1 мм, горловина %2 мм")
            .arg(num::fixed(e.nozzle->inMillimetres(), 2),
                 num::fixed(e.throat->inMillimetres(), 1));
    return QStringLiteral("—");
}

PiezometricLine piezometricLine(const Budget& budget, qty::GaugePressure inlet)
{
    PiezometricLine line;
    double level =
        formulas::headOf(qty::PressureDifference::kgfPerCm2(inlet.inKgfPerCm2())).inMetres();
    for (const Element& e : budget.elements) {
        const double after = level - e.head.inMetres();
        if (e.kind == ElementKind::Regulator && e.setPoint) {
            line.regulatorStep = line.steps.size();
            line.setPointHead = formulas::headOf(*e.setPoint).inMetres();
        }
        line.steps.push_back({e.kind, level, after});
        level = after;
    }
    return line;
}

std::vector<ChartPoint> stepPoints(const PiezometricLine& line)
{
    std::vector<ChartPoint> points;
    for (std::size_t i = 0; i < line.steps.size(); ++i) {
        const double x = static_cast<double>(i);
        const PiezometricStep& s = line.steps[i];
        points.push_back({x, s.before});
        points.push_back({x + 0.5, s.before});
        points.push_back({x + 0.5, s.after});
    }
    if (!line.steps.empty())
        points.push_back({static_cast<double>(line.steps.size()), line.steps.back().after});
    return points;
}

} // namespace substation
