#include "assessment/Savings.h"
#include "assessment/Report.h"
#include "core/Units.h"
#include "tests/assessment/DefaultInputs.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

using namespace assessment;

namespace {

// The lines of a part that begin with the given text.
QStringList linesStarting(const ReportPart& part, const QString& prefix)
{
    QStringList found;
    for (const QString& line : part.lines)
        if (line.startsWith(prefix))
            found << line;
    return found;
}

bool containsLine(const ReportPart& part, const QString& line) { return part.lines.contains(line); }

} // namespace

TEST(HeatingSavings, DefaultsWithNightSetback)
{
    const ReportPart part = heatingSavings(defaultInputs(), SystemChoice::Heating);
    ASSERT_TRUE(part.ok());
    EXPECT_NEAR(part.heatSaving, 248.781, 0.001);
    const QStringList expected = {
        QStringLiteral("2.   При работе без системы регулирования данное здание потребляет за "
                       "отопительный период : 792,00 Гкал/год"),
        QStringLiteral("      Снизив температуру в помещении до требуемой 22,00 Cполучим экономию "
                       "тепловой энергии: 17,255 Гкал/год что составляет 2,2 %"),
        QStringLiteral("      Снизив температуру в помещении до ночной 16,00 C получим экономию "
                       "тепловой энергии: 215,686 Гкал/год что составляет 27,2 %"),
        QStringLiteral("             Таки образом, суммарный эффект от установки регулятора на "
                       "объекте составит 31,4% экономии тепловой энергии"),
        QStringLiteral("    Годовая экономия денежных средств составит:399,61 тыс. руб."),
        QStringLiteral("4.     Срок окупаемости комплекса работ  по внедрению регуляторов расхода "
                       "тепловой энергии в системе отопления: 1,44 лет."),
    };
    for (const QString& line : expected)
        EXPECT_TRUE(containsLine(part, line)) << line.toStdString();
    EXPECT_EQ(part.lines.first(), QStringLiteral("ОТОПЛЕНИЕ."));
    EXPECT_EQ(part.lines.last(), QString());
    EXPECT_EQ(part.lines.size(), 16);
}

TEST(HeatingSavings, DefaultsWithoutNightSetback)
{
    AssessmentInputs in = defaultInputs();
    in.heatingNightSetback = false;
    const ReportPart part = heatingSavings(in, SystemChoice::Heating);
    ASSERT_TRUE(part.ok());
    const QStringList saving =
        linesStarting(part, QStringLiteral("      Снизив температуру в помещении до "));
    ASSERT_EQ(saving.size(), 1);
    EXPECT_EQ(saving[0],
              QStringLiteral("      Снизив температуру в помещении до требуемой 22,00 C получим "
                             "экономию тепловой энергии: 103,529 Гкал/год что составляет 13,1 %"));
    EXPECT_TRUE(containsLine(
        part, QStringLiteral("             Таки образом, суммарный эффект от установки регулятора "
                             "на объекте составит 15,1% экономии тепловой энергии")));
    EXPECT_TRUE(containsLine(
        part, QStringLiteral("    Годовая экономия денежных средств составит:191,74 тыс. руб.")));
    EXPECT_TRUE(linesStarting(part, QStringLiteral("4.     "))
                    .first()
                    .endsWith(QStringLiteral(": 2,99 лет.")));
}

TEST(HotWaterSavings, DefaultsWithAndWithoutSetback)
{
    struct Case {
        bool setback;
        QString saving, money, payback;
    };
    const Case cases[] = {
        {true, QStringLiteral("60,03"), QStringLiteral("96,43"), QStringLiteral("5,95")},
        {false, QStringLiteral("8,00"), QStringLiteral("12,86"), QStringLiteral("44,63")},
    };
    for (const Case& c : cases) {
        AssessmentInputs in = defaultInputs();
        in.hotWaterNightSetback = c.setback;
        const ReportPart part = hotWaterSavings(in, SystemChoice::HotWater);
        ASSERT_TRUE(part.ok());
        EXPECT_EQ(part.lines[4],
                  QStringLiteral("2.   Годовой расход теплоты на нужды горячего водоснабжения на "
                                 "объекте г. Город  ул. Улица д. 10  составляет :400,22 Гкал/год"));
        EXPECT_EQ(part.lines[6], QStringLiteral("    Годовая экономия тепловой энергии составит:")
                                     + c.saving + QStringLiteral(" Гкал"));
        EXPECT_EQ(part.lines[7], QStringLiteral("    Годовая экономия денежных средств составит:")
                                     + c.money + QStringLiteral(" тыс. руб."));
        EXPECT_EQ(part.lines[8],
                  QStringLiteral("4.     Срок окупаемости комплекса работ  по внедрению "
                                 "регуляторов расхода тепловой энергии в системе ГВС: ")
                      + c.payback + QStringLiteral(" лет."));
        EXPECT_EQ(part.lines.size(), 10);
    }
}

TEST(HotWaterSavings, BulletsCarryNineNoBreakSpaces)
{
    const ReportPart part = hotWaterSavings(defaultInputs(), SystemChoice::HotWater);
    EXPECT_EQ(
        part.lines[1],
        QStringLiteral(
            "1.  Экономический эффект от внедрения регуляторов расхода тепловой энергии на горячее "
            "водоснабжение в жилом доме г. Город  ул. Улица д. 10 имеет следующие составляющие:"));
    EXPECT_EQ(part.lines[2],
              QStringLiteral(" -") + QString(9, QChar(0xA0))
                  + QStringLiteral(" экономия тепловой энергии за счет поддержание требуемой "
                                   "температуры горячей воды в системе ГВС;"));
    EXPECT_EQ(
        part.lines[3],
        QStringLiteral(" -") + QString(9, QChar(0xA0))
            + QStringLiteral(" автоматическое снижение температуры горячей воды в ночное время."));
}

TEST(HotWaterSavings, SummerTermFollowsHeatingPeriod)
{
    struct Case {
        int days;
        double annual; // Gcal a year
    };
    // 350 days leave no summer: 12 x 0.11 x 350; beyond 350 the summer term turns negative.
    const Case cases[] = {{350, 462.0}, {360, 12 * 0.11 * (0.8 * 0.8 * -10 + 360)}};
    for (const Case& c : cases) {
        AssessmentInputs in = defaultInputs();
        in.heatingPeriodDays = c.days;
        in.hotWaterNightSetback = false;
        const ReportPart part = hotWaterSavings(in, SystemChoice::HotWater);
        ASSERT_TRUE(part.ok());
        EXPECT_NEAR(part.heatSaving, c.annual * 0.02, 1e-9) << c.days;
    }
}

TEST(Savings, CombinedChoiceLeavesOutOwnPayback)
{
    const std::function<ReportPart(const AssessmentInputs&, SystemChoice)> sections[] = {
        heatingSavings, hotWaterSavings};
    for (const auto& section : sections) {
        const ReportPart part = section(defaultInputs(), SystemChoice::Both);
        EXPECT_TRUE(linesStarting(part, QStringLiteral("4.     Срок")).isEmpty());
        EXPECT_TRUE(part.lines[part.lines.size() - 2].startsWith(
            QStringLiteral("    Годовая экономия денежных средств")));
        EXPECT_EQ(part.lines.last(), QString());
    }
}

TEST(HeatingSavings, RequiredEqualToExistingSavesOnlyAtNight)
{
    AssessmentInputs in = defaultInputs();
    in.requiredIndoorTemperature = in.existingIndoorTemperature;
    const ReportPart part = heatingSavings(in, SystemChoice::Heating);
    ASSERT_TRUE(part.ok());
    EXPECT_TRUE(
        linesStarting(part, QStringLiteral("      Снизив температуру в помещении до требуемой"))
            .first()
            .contains(QStringLiteral(": 0,000 Гкал/год что составляет 0,0 %")));
    EXPECT_TRUE(containsLine(
        part, QStringLiteral("             Таки образом, суммарный эффект от установки регулятора "
                             "на объекте составит 29,2% экономии тепловой энергии")));
}

// A zero divisor stops a section; what was written before it stays.
TEST(Savings, ZeroDivisorKeepsLinesWrittenBefore)
{
    struct Case {
        const char* what;
        std::function<void(AssessmentInputs&)> change;
        bool heating;
        int linesKept;
    };
    const Case cases[] = {
        {"existing equals outdoor",
         [](AssessmentInputs& in) { in.existingIndoorTemperature = in.averageOutdoorTemperature; },
         true, 8},
        {"no heating days", [](AssessmentInputs& in) { in.heatingPeriodDays = 0; }, true, 8},
        {"no heat price", [](AssessmentInputs& in) { in.heatPrice = 0; }, true, 14},
        {"hot water equals winter tap",
         [](AssessmentInputs& in) { in.hotWaterTemperature = in.winterColdWaterTemperature; },
         false, 4},
        {"no heat price, hot water", [](AssessmentInputs& in) { in.heatPrice = 0; }, false, 8},
    };
    for (const Case& c : cases) {
        AssessmentInputs in = defaultInputs();
        c.change(in);
        const ReportPart part = c.heating ? heatingSavings(in, SystemChoice::Heating)
                                          : hotWaterSavings(in, SystemChoice::HotWater);
        EXPECT_FALSE(part.ok()) << c.what;
        EXPECT_EQ(part.lines.size(), c.linesKept) << c.what;
    }
}

TEST(AssessmentBody, CombinedOrderAndCommonPayback)
{
    const ReportPart body = assessmentBody(defaultInputs(), SystemChoice::Both);
    ASSERT_TRUE(body.ok());
    const QStringList& l = body.lines;
    EXPECT_EQ(l[0], QStringLiteral("ИСХОДНЫЕ ПАРАМЕТРЫ ОТОПЛЕНИЯ"));
    EXPECT_EQ(l[7], QStringLiteral(
                        "С автоматическим снижением температуры теплоносителя в ночной период"));
    EXPECT_EQ(l[8], QString()); // H9 is left out for both systems
    EXPECT_EQ(l[9], QStringLiteral("ИСХОДНЫЙ ПАРАМЕТРЫ ГОРЯЧЕГО ВОДОСНАБЖЕНИЯ"));
    EXPECT_EQ(l[15], QStringLiteral("Стоимость работ по установке системы регулирования ОТОМЛЕНИЯ "
                                    "И ГВС (тыс. руб.)573,82 тыс. руб."));
    EXPECT_EQ(l[16], QString());
    EXPECT_EQ(l[17], QStringLiteral("РАСЧЕТ ТЭО."));
    EXPECT_EQ(l[18], QStringLiteral("ОТОПЛЕНИЕ."));
    EXPECT_EQ(l[l.size() - 3], QStringLiteral("ОБЩИЙ ИТОГ."));
    EXPECT_EQ(l[l.size() - 2], QStringLiteral(" Срок окупаемости комплекса работ  по внедрению "
                                              "регуляторов расхода тепловой энергии: 1,16 лет."));
    EXPECT_EQ(l.last(), QString());
    EXPECT_EQ(l.size(), 18 + 15 + 9 + 3);
}

TEST(AssessmentBody, EchoPerChoice)
{
    AssessmentInputs in = defaultInputs();
    in.heatingNightSetback = false;
    const ReportPart heating = assessmentBody(in, SystemChoice::Heating);
    EXPECT_EQ(
        heating.lines[6],
        QStringLiteral("Без автоматического снижения температуры теплоносителя в ночной период"));
    EXPECT_EQ(heating.lines[7], QStringLiteral("Стоимость работ по установке системы регулирования "
                                               "отопления (тыс. руб.)573,82 тыс. руб."));
    EXPECT_EQ(heating.lines[9], QStringLiteral("Расчет ТЭО."));
    EXPECT_TRUE(linesStarting(heating, QStringLiteral("Температура внутреннего воздуха в ночной"))
                    .isEmpty());

    const ReportPart hotWater = assessmentBody(in, SystemChoice::HotWater);
    EXPECT_EQ(hotWater.lines[2], QStringLiteral("Температура горячей воды 55,00 C"));
    EXPECT_EQ(
        hotWater.lines[6],
        QStringLiteral(
            "Стоимость работ по установке системы регулирования ГВС (тыс. руб.)573,82 тыс. руб."));
    EXPECT_EQ(hotWater.lines[8], QStringLiteral("РАСЧЕТ ТЭО."));
    EXPECT_EQ(hotWater.lines[9], QStringLiteral("ГОРЯЧЕЕ ВОДОСНАБЖЕНИЕ."));
}

TEST(AssessmentInputsRules, SetbackHoursAndLoadUnits)
{
    EXPECT_EQ(setbackHours(17, 9), 16);
    EXPECT_EQ(setbackHours(9, 17), 8);
    EXPECT_EQ(setbackHours(5, 5), 0);
    EXPECT_EQ(loadInGcalPerHour(1, units::kMegawatt), 0.8598);
    EXPECT_EQ(loadInGcalPerHour(1, units::kGcalPerHour), 1);
    EXPECT_EQ(loadInGcalPerHour(0.7, 0), 0.7);
}

// A template file may hold any day count; the sections must give lines or a fault, never
// overflow an integer.
TEST(Savings, ExtremeDayCountsFromAFile)
{
    for (int days : {std::numeric_limits<int>::min(), -1, std::numeric_limits<int>::max()}) {
        AssessmentInputs in = defaultInputs();
        in.heatingPeriodDays = days;
        const ReportPart body = assessmentBody(in, SystemChoice::Both);
        EXPECT_GE(body.lines.size(), 18) << days;
    }
}
