// Every catalogue table as a whole, every row and every column, against the plant's tables as
// typed here once more; and the hydroelevator's model bands at each of their edges.

#include "selection/HydroelevatorSizing.h"
#include "selection/RegulatorSizing.h"
#include "selection/Units.h"
#include "selection/ValveSizing.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace selection;

namespace {

struct Row {
    const char* designation;
    double kvy;
};

// The nominal bore, the first number after the series' hyphen: "ТВМд-150/145" -> 150.
int boreOf(const QString& designation)
{
    const qsizetype dash = designation.indexOf(QLatin1Char('-'));
    qsizetype end = dash + 1;
    while (end < designation.size() && designation[end].isDigit())
        ++end;
    return designation.mid(dash + 1, end - dash - 1).toInt();
}

void expectValveCatalogue(const std::vector<ValveModel>& catalogue, const char* boundRow,
                          const std::vector<Row>& models)
{
    ASSERT_EQ(catalogue.size(), models.size() + 1);
    EXPECT_STREQ(catalogue[0].designation, boundRow);
    EXPECT_EQ(catalogue[0].kvy, 0);
    EXPECT_EQ(catalogue[0].bore, 0);
    for (size_t i = 0; i < models.size(); ++i) {
        const ValveModel& row = catalogue[i + 1];
        SCOPED_TRACE(models[i].designation);
        EXPECT_STREQ(row.designation, models[i].designation);
        EXPECT_EQ(row.kvy, models[i].kvy);
        EXPECT_EQ(row.bore, boreOf(QString::fromUtf8(models[i].designation)));
        EXPECT_EQ(row.authority, -1);
    }
}

} // namespace

TEST(Catalogues, ControlValvesRowByRow)
{
    expectValveCatalogue(
        controlValveCatalogue(), "ТВМ-",
        {{"ТВМ-15.Б-1", 1.0}, {"ТВМ-15.Б-1,6", 1.6}, {"ТВМ-25/6.5", 1.6},  {"ТВМ-25/8", 2.5},
         {"ТВМ-25/12", 4.0},  {"ТВМ-25/17", 6.3},    {"ТВМ-32/16", 6.3},   {"ТВМ-25/24.5", 8.4},
         {"ТВМ-32/23", 10},   {"ТВМ-50/17.5", 10},   {"ТВМ-50/20", 14},    {"ТВМ-32/29", 16},
         {"ТВМ-50/28", 19},   {"ТВМ-32/31.5", 20},   {"ТВМ-50/30", 24},    {"ТВМ-50/40", 36},
         {"ТВМ-80/37", 36},   {"ТВМ-50/49.5", 40},   {"ТВМ-80/40", 40},    {"ТВМ-80/47", 50},
         {"ТВМ-80/55", 63},   {"ТВМ-80/76", 100},    {"ТВМд-100/95", 125}, {"ТВМд-150/145", 250}});
}

TEST(Catalogues, MixingValvesRowByRow)
{
    expectValveCatalogue(mixingValveCatalogue(), "ЛНВ-",
                         {{"ЛНВ-15.Б-1", 1.0},
                          {"ЛНВ-15.Б-1,6", 1.6},
                          {"ЛНВ-25/12", 4.0},
                          {"ЛНВ-50/14", 5.0},
                          {"ЛНВ-25/17", 6.3},
                          {"ЛНВ-32/23", 8.4},
                          {"ЛНВ-25/24.5", 10},
                          {"ЛНВ-50/19", 10},
                          {"ЛНВ-32/29", 12},
                          {"ЛНВ-32/31.5", 16},
                          {"ЛНВ-50/28", 16},
                          {"ЛНВ-50/26", 16},
                          {"ЛНВ-50/34", 24},
                          {"ЛНВ-50/40", 25},
                          {"ЛНВ-50/49.5", 36},
                          {"ЛНВ-80/42", 36},
                          {"ЛНВ-80/52", 45},
                          {"ЛНВ-100/65", 65}});
}

TEST(Catalogues, RegulatorSizesSeriesAndRanges)
{
    const std::vector<Row> sizes = {{"-", 0},         {"-25.2,5", 2.5}, {"-25.4", 4},
                                    {"-32.6,3", 6.3}, {"-32.10", 10},   {"-50.16", 16},
                                    {"-50.25", 25},   {"-80.63", 63}};
    const std::vector<RegulatorSize>& catalogue = regulatorCatalogue();
    ASSERT_EQ(catalogue.size(), sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        SCOPED_TRACE(sizes[i].designation);
        EXPECT_STREQ(catalogue[i].sizeSuffix, sizes[i].designation);
        EXPECT_EQ(catalogue[i].kvy, sizes[i].kvy);
        EXPECT_EQ(catalogue[i].bore, i == 0 ? 0 : boreOf(QString::fromUtf8(sizes[i].designation)));
    }
    const std::vector<RegulatorSeries>& series = regulatorSeries();
    ASSERT_EQ(series.size(), 4u);
    EXPECT_STREQ(series[1].code, "ЖМ");
    EXPECT_STREQ(series[2].code, "НС-А");
    EXPECT_STREQ(series[3].code, "НС-В");
    EXPECT_TRUE(series[1].differential);
    EXPECT_FALSE(series[2].differential);
    EXPECT_FALSE(series[3].differential);
    const std::vector<SettingRange>& ranges = regulatorSettingRanges();
    ASSERT_EQ(ranges.size(), 4u);
    const SettingRange expected[] = {{0.04, 0.16, ".1.1"}, {0.1, 0.4, ".2.1"}, {0.3, 0.7, ".3.1"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ranges[i + 1].from, expected[i].from) << i;
        EXPECT_EQ(ranges[i + 1].to, expected[i].to) << i;
        EXPECT_STREQ(ranges[i + 1].suffix, expected[i].suffix) << i;
    }
    EXPECT_EQ(units::regulatorItems(),
              (QStringList{"Выберите регулятор давления и перепада",
                           "РЕГУЛЯТОР ПЕРЕПАДА ДАВЛЕНИЯ ПРЯМОГО ДЕЙСТВИЯ ЖМ",
                           "РЕГУЛЯТОР ДАВЛЕНИЯ ПРЯМОГО ДЕЙСТВИЯ \"ПОСЛЕ СЕБЯ\" НС-А",
                           "РЕГУЛЯТОР ДАВЛЕНИЯ ПРЯМОГО ДЕЙСТВИЯ \"ДО СЕБЯ\" НС-В"}));
    EXPECT_EQ(units::settingRangeItems(),
              (QStringList{"Выберите диапазон настройки", "от 0,04 МПа до 0,16 МПа",
                           "от 0,1 МПа до 0,4 МПа", "от 0,3 МПа до 0,7 МПа"}));
}

// Each band is open below and closed above: every edge, inner ones included, belongs to the
// lower band, and the next double above it to the next band.
TEST(Catalogues, HydroelevatorBandsAtEveryEdge)
{
    const char* const models[] = {"ЭЖ-00", "ЭЖ-01", "ЭЖ-02", "ЭЖ-03", "ЭЖ-04", "ЭЖ-05", "ЭЖ-06"};
    const std::vector<HydroelevatorBand>& bands = hydroelevatorModels();
    ASSERT_EQ(bands.size(), 7u);
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(hydroelevatorForNozzle(0), QString());
    EXPECT_EQ(hydroelevatorForNozzle(std::nextafter(0.0, 1.0)), QString::fromUtf8(models[0]));
    for (int i = 0; i < 7; ++i) {
        const double edge = 6 + 2 * i;
        SCOPED_TRACE(edge);
        EXPECT_EQ(bands[size_t(i)].nozzleUpTo, edge);
        EXPECT_STREQ(bands[size_t(i)].model, models[i]);
        EXPECT_EQ(hydroelevatorForNozzle(std::nextafter(edge, 0.0)), QString::fromUtf8(models[i]));
        EXPECT_EQ(hydroelevatorForNozzle(edge), QString::fromUtf8(models[i]));
        EXPECT_EQ(hydroelevatorForNozzle(std::nextafter(edge, inf)),
                  i < 6 ? QString::fromUtf8(models[i + 1]) : QString());
    }
    EXPECT_EQ(hydroelevatorForNozzle(-1), QString());
}
