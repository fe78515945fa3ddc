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

const std::vector<const char*>& regulatorSeriesNames()
{
    static const std::vector<const char*> names = {"", "ЖМ", "НС-А", "НС-В"};
    return names;
}

const std::vector<const char*>& regulatorRangeSuffixes()
{
    static const std::vector<const char*> suffixes = {"", ".1.1", ".2.1", ".3.1"};
    return suffixes;
}

const std::vector<SettingRange>& regulatorSettingRanges()
{
    static const std::vector<SettingRange> ranges = {{0, 0}, {0.04, 0.16}, {0.1, 0.4}, {0.3, 0.7}};
    return ranges;
}

namespace sizing {

SizingOutcome PodborRp(const SizingInputs& in, int seriesIndex, int rangeIndex)
{
    if (!validChoice(seriesIndex, regulatorSeriesNames().size())
        || !validChoice(rangeIndex, regulatorRangeSuffixes().size())) {
        SizingOutcome outcome;
        outcome.failure = choicesMissing();
        return outcome;
    }
    return guarded([&](SizingOutcome& outcome) {
        QStringList& lines = outcome.lines;
        const double requiredKvy =
            appendCapacityFigures(outcome, in, &selection::SizingValues::regulatorPressureDrop,
                                  "регуляторе", "регулятора")
                .requiredKvy;
        lines << QString();

        const QString series = QString::fromUtf8(regulatorSeriesNames()[seriesIndex]);
        const QString range = QString::fromUtf8(regulatorRangeSuffixes()[rangeIndex]);
        const auto& rows = regulatorCatalogue();
        for (std::size_t i = 1; i < rows.size(); ++i) {
            if (!(rows[i].kvy > requiredKvy && rows[i - 1].kvy < requiredKvy))
                continue;
            const QString designation = series + QString::fromUtf8(rows[i].sizeSuffix) + range;
            lines << QStringLiteral("Вам подходит ") + designation + QStringLiteral(" Kvy= ")
                         + num::f2(rows[i].kvy);
            outcome.offers.push_back({designation, rows[i].kvy, std::nullopt, rows[i].bore});
        }
    });
}

} // namespace sizing

} // namespace selection
