#include "cli/SubstationTable.h"

#include "cli/SizeRequest.h"
#include "cli/SubstationCase.h"
#include "substation/Presentation.h"

using substation::Element;
using substation::ElementKind;

namespace cli {

namespace {

Cell numberCell(const std::optional<double>& value)
{
    return value ? valueCell(*value) : Cell(QString());
}

Cell kvCell(const std::optional<qty::FlowCoefficient>& value)
{
    return numberCell(qty::readIn(value, &qty::FlowCoefficient::inCubicMetresPerHour));
}

Cell dropCell(const Element& e)
{
    return numberCell(
        qty::readIn(substation::elementDrop(e), &qty::PressureDifference::inKgfPerCm2));
}

Cell offerCell(const Element& e) { return e.offer() ? e.offer()->designation : QString(); }

// A value of an element, named as in the element's JSON object (cli/SubstationCase.h), in its unit
// there: heads in m, drops in kgf/cm², bores in mm.
struct ElementField {
    ElementKind kind;
    const char* name;
    Cell (*cell)(const Element&);
};

// Every kind of element in the order of the flow, each with its fields in the order of its JSON.
const ElementField kElementFields[] = {
    {ElementKind::Other, "head", [](const Element& e) { return valueCell(e.head.inMetres()); }},
    {ElementKind::Orifice, "head", [](const Element& e) { return valueCell(e.head.inMetres()); }},
    {ElementKind::Orifice, "pressureDrop", dropCell},
    {ElementKind::Orifice, "plates",
     [](const Element& e) { return e.orifice ? valueCell(e.orifice->plates) : Cell(QString()); }},
    {ElementKind::Orifice, "bore",
     [](const Element& e) {
         return e.orifice ? valueCell(e.orifice->bore.inMillimetres()) : Cell(QString());
     }},
    {ElementKind::Regulator, "head", [](const Element& e) { return valueCell(e.head.inMetres()); }},
    {ElementKind::Regulator, "pressureDrop", dropCell},
    {ElementKind::Regulator, "setPoint",
     [](const Element& e) {
         return numberCell(qty::readIn(e.setPoint, &qty::PressureDifference::inKgfPerCm2));
     }},
    {ElementKind::Regulator, "requiredKv", [](const Element& e) { return kvCell(e.requiredKv); }},
    {ElementKind::Regulator, "requiredKvy", [](const Element& e) { return kvCell(e.requiredKvy); }},
    {ElementKind::Regulator, "offer", offerCell},
    {ElementKind::Valve, "head", [](const Element& e) { return valueCell(e.head.inMetres()); }},
    {ElementKind::Valve, "pressureDrop", dropCell},
    {ElementKind::Valve, "requiredKv", [](const Element& e) { return kvCell(e.requiredKv); }},
    {ElementKind::Valve, "requiredKvy", [](const Element& e) { return kvCell(e.requiredKvy); }},
    {ElementKind::Valve, "offer", offerCell},
    {ElementKind::Valve, "authority", [](const Element& e) { return numberCell(e.authority); }},
    {ElementKind::Elevator, "head", [](const Element& e) { return valueCell(e.head.inMetres()); }},
    {ElementKind::Elevator, "availableHead",
     [](const Element& e) {
         return numberCell(qty::readIn(e.availableHead, &qty::Head::inMetres));
     }},
    {ElementKind::Elevator, "nozzleDiameter",
     [](const Element& e) {
         return numberCell(qty::readIn(e.nozzle, &qty::Diameter::inMillimetres));
     }},
    {ElementKind::Elevator, "throatDiameter",
     [](const Element& e) {
         return numberCell(qty::readIn(e.throat, &qty::Diameter::inMillimetres));
     }},
    {ElementKind::Elevator, "requiredHead",
     [](const Element& e) {
         return numberCell(qty::readIn(e.requiredHead, &qty::Head::inMetres));
     }},
    {ElementKind::Elevator, "offer", offerCell},
    {ElementKind::System, "head", [](const Element& e) { return valueCell(e.head.inMetres()); }},
};

const Element* elementOf(const SubstationRow& row, ElementKind kind)
{
    if (!row.budget)
        return nullptr;
    for (const Element& e : row.budget->elements)
        if (e.kind == kind)
            return &e;
    return nullptr;
}

} // namespace

const QStringList& substationInputNames()
{
    static const QStringList names = [] {
        QStringList all{QStringLiteral("scheme")};
        all += sizeFieldNames().mid(1);
        for (const SubstationNumberField& field : kSubstationNumberFields)
            if (!all.contains(QLatin1String(field.name)))
                all << QString::fromLatin1(field.name);
        return all;
    }();
    return names;
}

const std::vector<TableColumn<SubstationRow>>& substationColumns()
{
    using Column = TableColumn<SubstationRow>;
    static const std::vector<Column> all = [] {
        std::vector<Column> columns{
            {QStringLiteral("line"), [](const SubstationRow& r) { return valueCell(r.line); }},
        };
        // The inputs as given, a number where one was given.
        for (qsizetype i = 0; i < substationInputNames().size(); ++i)
            columns.push_back({substationInputNames()[i], [i](const SubstationRow& r) {
                                   return givenCell(r.inputs.value(i));
                               }});
        columns.push_back({QStringLiteral("networkFlow"), [](const SubstationRow& r) {
                               return r.budget ? valueCell(r.budget->networkFlow.inTonnesPerHour())
                                               : Cell(QString());
                           }});
        columns.push_back({QStringLiteral("availableHead"), [](const SubstationRow& r) {
                               return r.budget ? valueCell(r.budget->availableHead.inMetres())
                                               : Cell(QString());
                           }});
        for (const ElementField& field : kElementFields)
            columns.push_back({substation::elementId(field.kind) + QLatin1Char('.')
                                   + QString::fromLatin1(field.name),
                               [field](const SubstationRow& r) {
                                   const Element* e = elementOf(r, field.kind);
                                   return e ? field.cell(*e) : Cell(QString());
                               }});
        columns.push_back(
            {QStringLiteral("message"), [](const SubstationRow& r) -> Cell { return r.message; }});
        columns.push_back({QStringLiteral("verdict"), [](const SubstationRow& r) -> Cell {
                               return r.budget ? checks::statusId(checks::verdict(r.budget->checks))
                                               : QString();
                           }});
        return columns;
    }();
    return all;
}

QStringList substationHeader() { return headerOf(substationColumns()); }

std::vector<Cell> substationCells(const SubstationRow& row)
{
    return cellsOf(substationColumns(), row);
}

} // namespace cli
