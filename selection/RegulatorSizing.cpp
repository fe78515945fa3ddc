#include "selection/RegulatorSizing.h"

#include "core/Numbers.h"

namespace selection {

namespace {

bool validChoice(int index, std::size_t count)
{
    return index > 0 && static_cast<std::size_t>(index) < count;
}

} // namespace

const std::vector<RegulatorSize>& regulatorCatalogue()
{
    static const std::vector<RegulatorSize> rows = {
        {"-", 0, 0},        {"-25.2,5", 2.5, 25}, {"-25.4", 4, 25},   {"-32.6,3", 6.3, 32},
        {"-32.10", 10, 32}, {"-50.16", 16, 50},   {"-50.25", 25, 50}, {"-80.63", 63, 80},
    };
    return rows;
}

const std::vector<RegulatorSeries>& regulatorSeries()
{
    static const std::vector<RegulatorSeries> series = {
        {"Выберите регулятор давления и перепада", "", false},
        {"РЕГУЛЯТОР ПЕРЕПАДА ДАВЛЕНИЯ ПРЯМОГО ДЕЙСТВИЯ ЖМ", "ЖМ", true},
        {"РЕГУЛЯТОР ДАВЛЕНИЯ ПРЯМОГО ДЕЙСТВИЯ \"ПОСЛЕ СЕБЯ\" НС-А", "НС-А", false},
        {"РЕГУЛЯТОР ДАВЛЕНИЯ ПРЯМОГО ДЕЙСТВИЯ \"ДО СЕБЯ\" НС-В", "НС-В", false},
    };
    return series;
}

const std::vector<SettingRange>& regulatorSettingRanges()
{
    static const std::vector<SettingRange> ranges = {
        {0, 0, ""}, {0.04, 0.16, ".1.1"}, {0.1, 0.4, ".2.1"}, {0.3, 0.7, ".3.1"}};
    return ranges;
}

namespace sizing {

SizingOutcome PodborRp(const SizingInputs& in, int seriesIndex, int rangeIndex)
{
    if (!validChoice(seriesIndex, regulatorSeries().size())
        || !validChoice(rangeIndex, regulatorSettingRanges().size())) {
        SizingOutcome outcome;
        outcome.failure = choicesMissing();
        return outcome;
    }
    return guarded([&](SizingOutcome& outcome) {
        QStringList& lines = outcome.lines;
        const double requiredKvy = appendCapacityFigures(outcome, in, EquipmentKind::Regulator)
                                       .requiredKvy.inCubicMetresPerHour();
        lines << QString();

        const QString series = QString::fromUtf8(regulatorSeries()[seriesIndex].code);
        const QString range = QString::fromUtf8(regulatorSettingRanges()[rangeIndex].suffix);
        const auto& rows = regulatorCatalogue();
        for (std::size_t i = 1; i < rows.size(); ++i) {
            if (!(rows[i].kvy > requiredKvy && rows[i - 1].kvy < requiredKvy))
                continue;
            const QString designation = series + QString::fromUtf8(rows[i].sizeSuffix) + range;
            lines << QStringLiteral("Вам подходит ") + designation + QStringLiteral(" Kvy= ")
                         + num::f2(rows[i].kvy);
            outcome.offers.push_back({designation,
                                      qty::FlowCoefficient::cubicMetresPerHour(rows[i].kvy),
                                      std::nullopt, qty::Diameter::millimetres(rows[i].bore)});
        }
    });
}

} // namespace sizing

} // namespace selection
