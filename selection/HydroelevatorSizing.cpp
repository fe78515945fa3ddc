#include "selection/HydroelevatorSizing.h"

using vedan::Ext;
using vedan::store;

namespace selection {

namespace {

// Supply temperature of the heating system after mixing, °C.
constexpr long double kMixedSupply = 95.0L;

// A fourth root taken as two successive square roots.
Ext fourthRoot(Ext x) { return sqrt(sqrt(x)); }

} // namespace

const std::vector<HydroelevatorBand>& hydroelevatorModels()
{
    static const std::vector<HydroelevatorBand> bands = {
        {6, "ЭЖ-00"},  {8, "ЭЖ-01"},  {10, "ЭЖ-02"}, {12, "ЭЖ-03"},
        {14, "ЭЖ-04"}, {16, "ЭЖ-05"}, {18, "ЭЖ-06"},
    };
    return bands;
}

QString hydroelevatorForNozzle(double nozzleDiameter)
{
    double lower = 0;
    for (const HydroelevatorBand& band : hydroelevatorModels()) {
        if (nozzleDiameter > lower && nozzleDiameter <= band.nozzleUpTo)
            return QString::fromUtf8(band.model);
        lower = band.nozzleUpTo;
    }
    return {};
}

namespace sizing {

SizingOutcome PodborRG(const SizingInputs& in)
{
    return guarded([&](SizingOutcome& outcome) {
        QStringList& lines = outcome.lines;
        const std::vector<MethodStep>& steps = methodSteps(EquipmentKind::Hydroelevator);
        const double flow = record(outcome, steps[0], networkFlow(in));
        const double mixingRatio = record(outcome, steps[1],
                                          store((Ext(in.supplyTemperature) - kMixedSupply)
                                                / (kMixedSupply - Ext(in.returnTemperature))));
        const double availableHead = record(
            outcome, steps[2], store((Ext(in.inletPressure) - Ext(in.outletPressure)) * 10.0L));
        record(outcome, steps[3],
               store(8.5L
                     * fourthRoot(Ext(flow) * Ext(flow) * (1.0L + Ext(mixingRatio))
                                  * (1.0L + Ext(mixingRatio)) / Ext(in.systemResistance))));
        const double nozzleDiameter =
            record(outcome, steps[4],
                   store(9.6L * fourthRoot(Ext(flow) * Ext(flow) / Ext(availableHead))));

        QString model;
        if (availableHead > 6.0 && availableHead < 40.0)
            model = hydroelevatorForNozzle(nozzleDiameter);

        lines << QString() << QStringLiteral("Результат подбора:") << QString();
        if (model.isEmpty()) {
            lines << QStringLiteral("Для Ваших параметров регулирующий гидроэлеватор не подходит");
        } else {
            lines << QStringLiteral("Для Ваших параметров подходит регулирующий гидроэлеватор ")
                         + model;
            outcome.offers.push_back({model, std::nullopt, std::nullopt, std::nullopt});
        }
    });
}

} // namespace sizing

} // namespace selection
