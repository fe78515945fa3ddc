#include "selection/HydroelevatorSizing.h"

#include "selection/Formulas.h"

namespace selection {

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
        const formulas::DesignConditions c = formulas::designConditions(in);
        const qty::MassFlow flow = formulas::networkFlow(c.load, c.schedule);
        record(outcome, &SizingValues::networkFlow, steps[0], flow);
        const double mixingRatio = record(outcome, &SizingValues::mixingRatio, steps[1],
                                          formulas::mixingRatio(c.schedule));
        const qty::Head head = formulas::availableHead(c.pressures);
        const double availableHead =
            record(outcome, &SizingValues::availableHead, steps[2], head).inMetres();
        record(outcome, &SizingValues::throatDiameter, steps[3],
               formulas::throatDiameter(flow, mixingRatio, c.resistance));
        const double nozzleDiameter = record(outcome, &SizingValues::nozzleDiameter, steps[4],
                                             formulas::nozzleDiameter(flow, head))
                                          .inMillimetres();

        QString model;
        if (availableHead > kHydroelevatorMinHead && availableHead < kHydroelevatorMaxHead)
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
