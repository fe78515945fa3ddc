#include "selection/ValveSizing.h"

#include "core/Numbers.h"
#include "selection/Formulas.h"

namespace selection {

const std::vector<ValveModel>& controlValveCatalogue()
{
    static const std::vector<ValveModel> rows = {
        {"ТВМ-", 0, 0},
        {"ТВМ-15.Б-1", 1.0, 15},
        {"ТВМ-15.Б-1,6", 1.6, 15},
        {"ТВМ-25/6.5", 1.6, 25},
        {"ТВМ-25/8", 2.5, 25},
        {"ТВМ-25/12", 4.0, 25},
        {"ТВМ-25/17", 6.3, 25},
        {"ТВМ-32/16", 6.3, 32},
        {"ТВМ-25/24.5", 8.4, 25},
        {"ТВМ-32/23", 10, 32},
        {"ТВМ-50/17.5", 10, 50},
        {"ТВМ-50/20", 14, 50},
        {"ТВМ-32/29", 16, 32},
        {"ТВМ-50/28", 19, 50},
        {"ТВМ-32/31.5", 20, 32},
        {"ТВМ-50/30", 24, 50},
        {"ТВМ-50/40", 36, 50},
        {"ТВМ-80/37", 36, 80},
        {"ТВМ-50/49.5", 40, 50},
        {"ТВМ-80/40", 40, 80},
        {"ТВМ-80/47", 50, 80},
        {"ТВМ-80/55", 63, 80},
        {"ТВМ-80/76", 100, 80},
        {"ТВМд-100/95", 125, 100},
        {"ТВМд-150/145", 250, 150},
    };
    return rows;
}

const std::vector<ValveModel>& mixingValveCatalogue()
{
    static const std::vector<ValveModel> rows = {
        {"ЛНВ-", 0, 0},          {"ЛНВ-15.Б-1", 1.0, 15}, {"ЛНВ-15.Б-1,6", 1.6, 15},
        {"ЛНВ-25/12", 4.0, 25},  {"ЛНВ-50/14", 5.0, 50},  {"ЛНВ-25/17", 6.3, 25},
        {"ЛНВ-32/23", 8.4, 32},  {"ЛНВ-25/24.5", 10, 25}, {"ЛНВ-50/19", 10, 50},
        {"ЛНВ-32/29", 12, 32},   {"ЛНВ-32/31.5", 16, 32}, {"ЛНВ-50/28", 16, 50},
        {"ЛНВ-50/26", 16, 50},   {"ЛНВ-50/34", 24, 50},   {"ЛНВ-50/40", 25, 50},
        {"ЛНВ-50/49.5", 36, 50}, {"ЛНВ-80/42", 36, 80},   {"ЛНВ-80/52", 45, 80},
        {"ЛНВ-100/65", 65, 100},
    };
    return rows;
}

namespace sizing {

namespace {

// Marks the offered rows with their authority; every other row keeps -1. A row with the same
// capacity as the row before it shares that row's fate.
void markOffers(std::vector<ValveModel>& rows, const SizingInputs& in,
                const CapacityFigures& figures)
{
    const double requiredKvy = figures.requiredKvy.inCubicMetresPerHour();
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].kvy == rows[i - 1].kvy) {
            rows[i].authority = rows[i - 1].authority;
        } else if (rows[i].kvy > requiredKvy && rows[i - 1].kvy < requiredKvy) {
            const qty::PressureDifference drop = formulas::valveDrop(
                figures.networkFlow, qty::FlowCoefficient::cubicMetresPerHour(rows[i].kvy));
            rows[i].authority = formulas::authority(drop, qty::Head::metres(in.systemResistance));
        }
    }
}

} // namespace

SizingOutcome selectValveCapacity(const SizingInputs& in, const std::vector<ValveModel>& catalogue)
{
    std::vector<ValveModel> rows = catalogue;
    for (ValveModel& row : rows)
        row.authority = -1;

    return guarded([&](SizingOutcome& outcome) {
        QStringList& lines = outcome.lines;
        const CapacityFigures f = appendCapacityFigures(outcome, in, EquipmentKind::ControlValve);
        lines << QString();

        markOffers(rows, in, f);
        for (std::size_t i = 1; i < rows.size(); ++i) {
            if (rows[i].authority == -1)
                continue;
            const QString designation = QString::fromUtf8(rows[i].designation);
            lines << QStringLiteral("Вам подходит ") + designation + QStringLiteral(" Kvy= ")
                         + num::f2(rows[i].kvy) + QStringLiteral(" \"авторитет\" =")
                         + num::f2(rows[i].authority);
            outcome.offers.push_back({designation,
                                      qty::FlowCoefficient::cubicMetresPerHour(rows[i].kvy),
                                      rows[i].authority, qty::Diameter::millimetres(rows[i].bore)});
        }
    });
}

} // namespace sizing

} // namespace selection
