#include "selection/ValveSizing.h"

#include "core/Numbers.h"

using vedan::Ext;
using vedan::store;

const std::vector<ValveModel>& controlValveCatalogue()
{
    static const std::vector<ValveModel> rows = {
        {"ТВМ-", 0},           {"ТВМ-15.Б-1", 1.0}, {"ТВМ-15.Б-1,6", 1.6}, {"ТВМ-25/6.5", 1.6},
        {"ТВМ-25/8", 2.5},     {"ТВМ-25/12", 4.0},  {"ТВМ-25/17", 6.3},    {"ТВМ-32/16", 6.3},
        {"ТВМ-25/24.5", 8.4},  {"ТВМ-32/23", 10},   {"ТВМ-50/17.5", 10},   {"ТВМ-50/20", 14},
        {"ТВМ-32/29", 16},     {"ТВМ-50/28", 19},   {"ТВМ-32/31.5", 20},   {"ТВМ-50/30", 24},
        {"ТВМ-50/40", 36},     {"ТВМ-80/37", 36},   {"ТВМ-50/49.5", 40},   {"ТВМ-80/40", 40},
        {"ТВМ-80/47", 50},     {"ТВМ-80/55", 63},   {"ТВМ-80/76", 100},    {"ТВМд-100/95", 125},
        {"ТВМд-150/145", 250},
    };
    return rows;
}

const std::vector<ValveModel>& mixingValveCatalogue()
{
    static const std::vector<ValveModel> rows = {
        {"ЛНВ-", 0},        {"ЛНВ-15.Б-1", 1.0}, {"ЛНВ-15.Б-1,6", 1.6}, {"ЛНВ-25/12", 4.0},
        {"ЛНВ-50/14", 5.0}, {"ЛНВ-25/17", 6.3},  {"ЛНВ-32/23", 8.4},    {"ЛНВ-25/24.5", 10},
        {"ЛНВ-50/19", 10},  {"ЛНВ-32/29", 12},   {"ЛНВ-32/31.5", 16},   {"ЛНВ-50/28", 16},
        {"ЛНВ-50/26", 16},  {"ЛНВ-50/34", 24},   {"ЛНВ-50/40", 25},     {"ЛНВ-50/49.5", 36},
        {"ЛНВ-80/42", 36},  {"ЛНВ-80/52", 45},   {"ЛНВ-100/65", 65},
    };
    return rows;
}

namespace sizing {

namespace {

// Marks the offered rows with their authority; every other row keeps -1. A row with the same
// capacity as the row before it shares that row's fate.
void markOffers(std::vector<ValveModel>& rows, const SizingInputs& in, double flow,
                double requiredKvy)
{
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].kvy == rows[i - 1].kvy) {
            rows[i].authority = rows[i - 1].authority;
        } else if (rows[i].kvy > requiredKvy && rows[i - 1].kvy < requiredKvy) {
            const double modelDrop =
                store(Ext(flow) * Ext(flow) / (Ext(rows[i].kvy) * Ext(rows[i].kvy)));
            rows[i].authority =
                store(Ext(modelDrop) / (Ext(modelDrop) + Ext(in.systemResistance) * 0.0980665L));
        }
    }
}

} // namespace

SizingOutcome selectValveCapacity(const SizingInputs& in, const std::vector<ValveModel>& catalogue)
{
    std::vector<ValveModel> rows = catalogue;
    for (ValveModel& row : rows)
        row.authority = -1;

    return guarded([&](QStringList& lines) {
        const CapacityFigures f = appendCapacityFigures(lines, in, "клапане", "клапана");
        lines << QString();

        markOffers(rows, in, f.networkFlow, f.requiredKvy);
        for (std::size_t i = 1; i < rows.size(); ++i) {
            if (rows[i].authority != -1)
                lines << QStringLiteral("Вам подходит ") + QString::fromUtf8(rows[i].designation)
                             + QStringLiteral(" Kvy= ") + num::f2(rows[i].kvy)
                             + QStringLiteral(" \"авторитет\" =") + num::f2(rows[i].authority);
        }
    });
}

} // namespace sizing
