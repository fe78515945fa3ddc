#pragma once
// How a substation's budget is named and drawn wherever it is shown (the command line, the window
// and the calculation sheet): the schemes' identifiers and titles, the elements' names, and the
// piezometric line, the water's pressure along the path from the supply inlet through each
// element to the return. Depends on the budget (no Widgets, no Gui).

#include "checks/Checks.h"
#include "substation/Substation.h"

#include <QString>
#include <optional>
#include <vector>

namespace substation {

// The schemes in the order the user is offered them, with the identifier the command line and the
// project files use and the title the window and the sheet show.
struct SchemeRow {
    Scheme scheme;
    const char* id;
    const char* title;
};
inline constexpr SchemeRow kSchemeRows[] = {
    {Scheme::Elevator, "elevator", "Гидроэлеватор (зависимое присоединение)"},
    {Scheme::Valve, "valve", "Регулирующий клапан без регулятора перепада"},
    {Scheme::ValveRegulator, "valve-regulator",
     "Регулятор перепада давления и регулирующий клапан"},
    {Scheme::Regulator, "regulator", "Регулятор перепада давления"},
};

// The budget's own checks as the catalogue lists them, in the order the budget makes them
// (budget.head, orifice.bore, regulator.range on the set point; their kinds empty), and the ids
// of the selection's checks it makes again for each device at its budgeted drop (the supply's
// for the first device only). The user's guide prints both.
const std::vector<checks::CatalogueEntry>& budgetCheckCatalogue();
std::vector<QString> reusedCheckIds();

// The scheme a selection of the kind is offered first: the elevator for the hydroelevator, the
// regulator alone for the regulator, the regulator with the valve for either valve.
Scheme defaultScheme(selection::EquipmentKind kind);

QString schemeId(Scheme scheme);
QString schemeTitle(Scheme scheme);
std::optional<Scheme> schemeOfId(const QString& id);

QString elementId(ElementKind kind);   // "orifice"
QString elementName(ElementKind kind); // "дроссельная диафрагма"

// The pressure drop of an element that has one (an orifice's from its head where it is not
// kept); none for the other losses, the elevator's element and the system.
std::optional<qty::PressureDifference> elementDrop(const Element& e);

// "2 × 10,52 мм" for an orifice, "сопло 6,23 мм, горловина 25,0 мм" for an elevator, "—" else.
QString boresText(const Element& e);

// One element on the piezometric line: the gauge pressure before and after it as heads, m.
struct PiezometricStep {
    ElementKind kind;
    double before = 0; // m above the atmosphere
    double after = 0;
};

struct PiezometricLine {
    std::vector<PiezometricStep> steps; // in the order of the flow; steps[i].after ==
                                        // steps[i+1].before
    // The regulator's set point: the head it holds from its outlet to the return, m, and the
    // index of its step; none without a regulator.
    std::optional<double> setPointHead;
    std::optional<std::size_t> regulatorStep;
};

// The line of a budget on the request's inlet pressure: it starts at 10·P₁ and, each element
// taking its head, ends at 10·P₂.
PiezometricLine piezometricLine(const Budget& budget, qty::GaugePressure inlet);

// The points of the line as steps: x runs 0…n over the n elements, the pressure level between
// them and falling across each element's middle.
struct ChartPoint {
    double x = 0;
    double y = 0;
};
std::vector<ChartPoint> stepPoints(const PiezometricLine& line);

} // namespace substation
