// The four sizing methods against worked figures, their boundaries and their failures.

#include "selection/HydroelevatorSizing.h"
#include "selection/RegulatorSizing.h"
#include "selection/ValveSizing.h"
#include "tests/support/Inputs.h"
#include "tests/support/QtPrinters.h"

#include <gtest/gtest.h>

using vedan::MathFault;
using namespace selection;
using sizingcases::Inputs;

namespace {

QStringList utf8(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* t : texts)
        list << QString::fromUtf8(t);
    return list;
}

QStringList offers(const SizingOutcome& outcome)
{
    QStringList result;
    for (const QString& line : outcome.lines)
        if (line.startsWith(QStringLiteral("Вам подходит ")))
            result << line;
    return result;
}

const char* const kNoFit = "Для Ваших параметров регулирующий гидроэлеватор не подходит";
const char* const kFits = "Для Ваших параметров подходит регулирующий гидроэлеватор ";

} // namespace

TEST(Hydroelevator, WorkedExamples)
{
    const SizingOutcome defaults =
        sizing::PodborRG(Inputs{.t1 = 115, .q = 0.08, .p1 = 4, .p2 = 3.8});
    EXPECT_TRUE(defaults.ok());
    EXPECT_EQ(
        defaults.lines,
        utf8({"Расход сетевой воды на отопление = 1,77 т/час",
              "Расчетный коэффициент смешения = 0,80", "Распологаемый перепад на вводе = 2,00 м",
              "Диаметр горловины (камеры смешения) = 15,18 мм",
              "Диаметр сопла (воронки) = 10,75 мм", "", "Результат подбора:", "", kNoFit}));

    const SizingOutcome fits = sizing::PodborRG(Inputs{});
    EXPECT_EQ(fits.lines.mid(0, 5), utf8({"Расход сетевой воды на отопление = 6,23 т/час",
                                          "Расчетный коэффициент смешения = 2,20",
                                          "Распологаемый перепад на вводе = 20,00 м",
                                          "Диаметр горловины (камеры смешения) = 37,95 мм",
                                          "Диаметр сопла (воронки) = 11,33 мм"}));
    EXPECT_EQ(fits.lines.last(), QString::fromUtf8(kFits) + QStringLiteral("ЭЖ-03"));
}

TEST(Hydroelevator, ModelChoiceAtTheBoundaries)
{
    // Inlet pressures found so that the stored nozzle diameter lands exactly on a band edge.
    struct Case {
        const char* what;
        SizingInputs in;
        const char* model; // "" for the no-fit line
    };
    const Case cases[] = {
        {"nozzle exactly 6", Inputs{.q = 0.1, .p1 = 3.0175735431836737, .p2 = 2}, "ЭЖ-00"},
        {"nozzle a hair above 6", Inputs{.q = 0.1, .p1 = 3.0175735431836732, .p2 = 2}, "ЭЖ-01"},
        {"nozzle exactly 18", Inputs{.q = 1.0, .p1 = 3.2562636335600907, .p2 = 2}, "ЭЖ-06"},
        {"nozzle a hair above 18", Inputs{.q = 1.0, .p1 = 3.2562636335600899, .p2 = 2}, ""},
        {"head exactly 6", Inputs{.q = 0.1, .p1 = 0.6, .p2 = 0}, ""},
        {"head just above 6", Inputs{.q = 0.1, .p1 = 0.601, .p2 = 0}, "ЭЖ-01"},
        {"head exactly 40", Inputs{.q = 1.0, .p1 = 8}, ""},
        {"head just below 40", Inputs{.q = 1.0, .p1 = 7.999}, "ЭЖ-04"},
        {"zero load", Inputs{.q = 0}, ""},
        {"supply below 95: negative ratio", Inputs{.t1 = 90, .q = 0.1, .p1 = 3, .p2 = 2}, "ЭЖ-04"},
    };
    for (const Case& c : cases) {
        const SizingOutcome out = sizing::PodborRG(c.in);
        ASSERT_EQ(out.lines.size(), 9) << c.what;
        const QString model = QString::fromUtf8(c.model);
        EXPECT_EQ(out.lines[8],
                  model.isEmpty() ? QString::fromUtf8(kNoFit) : QString::fromUtf8(kFits) + model)
            << c.what;
    }
    EXPECT_EQ(sizing::PodborRG(Inputs{.q = 0.1, .p1 = 0.6, .p2 = 0}).lines[2],
              QStringLiteral("Распологаемый перепад на вводе = 6,00 м"));
    EXPECT_EQ(sizing::PodborRG(Inputs{.t1 = 90, .q = 0.1, .p1 = 3, .p2 = 2}).lines[1],
              QStringLiteral("Расчетный коэффициент смешения = -0,20"));
}

TEST(Hydroelevator, FaultKeepsTheLinesWrittenBeforeIt)
{
    struct Case {
        const char* what;
        SizingInputs in;
        int linesKept;
        MathFault fault;
    };
    const Case cases[] = {
        {"equal temperatures", Inputs{.t1 = 70, .q = 0.1}, 0, MathFault::DivisionByZero},
        {"return at 95", Inputs{.t2 = 95, .q = 0.1}, 1, MathFault::DivisionByZero},
        {"zero resistance", Inputs{.q = 0.1, .s = 0}, 3, MathFault::DivisionByZero},
        {"negative resistance", Inputs{.q = 0.1, .s = -1}, 3, MathFault::InvalidOperation},
        {"no available head", Inputs{.q = 0.1, .p1 = 4}, 4, MathFault::DivisionByZero},
        {"outlet above inlet", Inputs{.q = 0.1, .p1 = 4, .p2 = 5}, 4, MathFault::InvalidOperation},
        {"overflowing load", Inputs{.q = 1e308}, 0, MathFault::Overflow},
    };
    for (const Case& c : cases) {
        const SizingOutcome out = sizing::PodborRG(c.in);
        EXPECT_EQ(out.failure, sizing::arithmeticFailure(c.fault)) << c.what;
        EXPECT_EQ(out.lines.size(), c.linesKept) << c.what;
    }
}

TEST(Regulator, WorkedExamples)
{
    const SizingOutcome defaults =
        sizing::PodborRp(Inputs{.t1 = 115, .q = 0.08, .p1 = 4, .p2 = 3.8}, 1, 1);
    EXPECT_EQ(defaults.lines,
              utf8({"Расход сетевой воды = 1,77 т/час",
                    "Перепад давления на регуляторе с учетом падения давления = 0,10 кгс/см2",
                    "Пропускная способность регулятора = 5,60 м3/час",
                    "Условная пропускная способность регулятора = 6,72 м3/час", "",
                    "Вам подходит ЖМ-32.10.1.1 Kvy= 10,00"}));

    const SizingOutcome second = sizing::PodborRp(Inputs{}, 3, 2);
    EXPECT_EQ(second.lines[3],
              QStringLiteral("Условная пропускная способность регулятора = 5,42 м3/час"));
    EXPECT_EQ(offers(second), utf8({"Вам подходит НС-В-32.6,3.2.1 Kvy= 6,30"}));
}

TEST(Regulator, SameSizeForEverySeriesAndRange)
{
    const char* series[] = {"", "ЖМ", "НС-А", "НС-В"};
    const char* ranges[] = {"", ".1.1", ".2.1", ".3.1"};
    for (int s = 1; s <= 3; ++s)
        for (int r = 1; r <= 3; ++r)
            EXPECT_EQ(offers(sizing::PodborRp(Inputs{.q = 1.0}, s, r)),
                      QStringList{QStringLiteral("Вам подходит ") + QString::fromUtf8(series[s])
                                  + QStringLiteral("-50.16") + QString::fromUtf8(ranges[r])
                                  + QStringLiteral(" Kvy= 16,00")});
}

TEST(Regulator, OffersNothingOutsideOrOnTheCatalogueCapacities)
{
    struct Case {
        const char* what;
        SizingInputs in;
    };
    const Case cases[] = {
        {"capacity exactly 10", Inputs{.q = 0.7, .p1 = 3.0955808899999999, .p2 = 2, .s = 0}},
        {"zero load", Inputs{.q = 0}},
        {"negative flow", Inputs{.t1 = 70, .t2 = 150}},
        {"63 or more", Inputs{.q = 10}},
    };
    for (const Case& c : cases) {
        const SizingOutcome out = sizing::PodborRp(c.in, 2, 3);
        EXPECT_TRUE(out.ok()) << c.what;
        EXPECT_EQ(out.lines.size(), 5) << c.what;
        EXPECT_EQ(out.lines.last(), QString()) << c.what;
    }
    EXPECT_EQ(sizing::PodborRp(Inputs{.q = 0.7, .p1 = 3.0955808899999999, .p2 = 2, .s = 0}, 1, 1)
                  .lines[3],
              QStringLiteral("Условная пропускная способность регулятора = 10,00 м3/час"));
}

TEST(Regulator, StopsBeforeComputingOrAtTheFailingStep)
{
    for (auto [series, range] : {std::pair{0, 1}, {1, 0}, {0, 0}}) {
        const SizingOutcome out = sizing::PodborRp(Inputs{}, series, range);
        EXPECT_EQ(out.failure, sizing::choicesMissing());
        EXPECT_TRUE(out.lines.isEmpty());
    }
    // Choices are checked before anything is computed, so no math error either.
    EXPECT_EQ(sizing::PodborRp(Inputs{.t1 = 70}, 0, 1).failure, sizing::choicesMissing());

    EXPECT_EQ(sizing::PodborRp(Inputs{.t1 = 70}, 1, 1).lines.size(), 0);
    const SizingOutcome negativeDrop =
        sizing::PodborRp(Inputs{.t1 = 115, .q = 0.08, .p1 = 4, .p2 = 3.8, .s = 3}, 1, 1);
    EXPECT_TRUE(negativeDrop.failure && negativeDrop.failure->fault);
    EXPECT_EQ(negativeDrop.lines.size(), 2);
}

TEST(ValveCatalogues, AreOrderedWithEqualCapacitiesTogether)
{
    for (const auto* catalogue : {&controlValveCatalogue(), &mixingValveCatalogue()}) {
        EXPECT_EQ(catalogue->front().kvy, 0);
        for (std::size_t i = 1; i < catalogue->size(); ++i)
            EXPECT_LE((*catalogue)[i - 1].kvy, (*catalogue)[i].kvy) << (*catalogue)[i].designation;
    }
    EXPECT_EQ(controlValveCatalogue().size(), 25u);
    EXPECT_EQ(mixingValveCatalogue().size(), 19u);
}

TEST(ControlValve, WorkedExample)
{
    const SizingOutcome out = sizing::PodborKZR(Inputs{.p1 = 4, .p2 = 2, .s = 2});
    EXPECT_EQ(out.lines,
              utf8({"Расход сетевой воды = 6,23 т/час",
                    "Перепад давления на клапане с учетом падения давления = 1,80 кгс/см2",
                    "Пропускная способность клапана = 4,64 м3/час",
                    "Условная пропускная способность клапана = 5,57 м3/час", "",
                    "Вам подходит ТВМ-25/17 Kvy= 6,30 \"авторитет\" =0,83",
                    "Вам подходит ТВМ-32/16 Kvy= 6,30 \"авторитет\" =0,83"}));
}

TEST(ValveSelection, OffersTheGroupJustAboveTheRequiredCapacity)
{
    struct Case {
        const char* what;
        bool mixing;
        SizingInputs in;
        QStringList offered;
    };
    const Case cases[] = {
        {"mixing 5,57", true, Inputs{.p1 = 4, .p2 = 2, .s = 2},
         utf8({"Вам подходит ЛНВ-25/17 Kvy= 6,30 \"авторитет\" =0,83"})},
        {"mixing 11,15", true, Inputs{.q = 1.0, .p1 = 4, .p2 = 2, .s = 2},
         utf8({"Вам подходит ЛНВ-32/29 Kvy= 12,00 \"авторитет\" =0,85"})},
        {"mixing 13,37: three rows of 16", true, Inputs{.q = 1.2, .p1 = 4, .p2 = 2, .s = 2},
         utf8({"Вам подходит ЛНВ-32/31.5 Kvy= 16,00 \"авторитет\" =0,82",
               "Вам подходит ЛНВ-50/28 Kvy= 16,00 \"авторитет\" =0,82",
               "Вам подходит ЛНВ-50/26 Kvy= 16,00 \"авторитет\" =0,82"})},
        {"control, between 1,0 and 1,6: two rows, no resistance", false,
         Inputs{.q = 0.1, .p1 = 2, .p2 = 1, .s = 0},
         utf8({"Вам подходит ТВМ-15.Б-1,6 Kvy= 1,60 \"авторитет\" =1,00",
               "Вам подходит ТВМ-25/6.5 Kvy= 1,60 \"авторитет\" =1,00"})},
        {"control, below 1,0: first row", false, Inputs{.q = 0.1, .p1 = 4, .p2 = 1, .s = 0},
         utf8({"Вам подходит ТВМ-15.Б-1 Kvy= 1,00 \"авторитет\" =1,00"})},
        {"control, just above 4,0", false, Inputs{.p1 = 5.4935615114795, .p2 = 2, .s = 0},
         utf8({"Вам подходит ТВМ-25/17 Kvy= 6,30 \"авторитет\" =1,00",
               "Вам подходит ТВМ-32/16 Kvy= 6,30 \"авторитет\" =1,00"})},
        {"control, exactly 4,0", false, Inputs{.p1 = 5.4935615114795917, .p2 = 2, .s = 0}, {}},
        {"mixing, exactly 16", true, Inputs{.q = 0.7, .p1 = 2.42796128515625, .p2 = 2, .s = 0}, {}},
        {"control, above the last row", false, Inputs{.q = 30, .p1 = 4, .p2 = 2, .s = 2}, {}},
        {"mixing, 65 or more", true, Inputs{.q = 10, .p1 = 4, .p2 = 2, .s = 2}, {}},
        {"zero load", false, Inputs{.q = 0, .p1 = 4, .p2 = 2, .s = 2}, {}},
        {"negative flow", false, Inputs{.t1 = 70, .t2 = 150, .p1 = 4, .p2 = 2, .s = 2}, {}},
    };
    for (const Case& c : cases) {
        const SizingOutcome out = c.mixing ? sizing::PodborKST(c.in) : sizing::PodborKZR(c.in);
        EXPECT_TRUE(out.ok()) << c.what;
        EXPECT_EQ(out.lines.size(), 5 + c.offered.size()) << c.what;
        EXPECT_EQ(out.lines.value(4, QStringLiteral("missing")), QString()) << c.what;
        EXPECT_EQ(offers(out), c.offered) << c.what;
    }
}

TEST(ValveSelection, FaultKeepsTheLinesWrittenBeforeIt)
{
    struct Case {
        const char* what;
        SizingInputs in;
        int linesKept;
    };
    const Case cases[] = {
        {"equal temperatures", Inputs{.t1 = 70, .p1 = 4, .p2 = 2, .s = 2}, 0},
        {"negative pressure drop", Inputs{.p1 = 4, .p2 = 3.8, .s = 3}, 2},
        {"zero pressure drop", Inputs{.p1 = 4, .p2 = 3, .s = 10}, 2},
    };
    for (const Case& c : cases) {
        const SizingOutcome out = sizing::PodborKZR(c.in);
        EXPECT_TRUE(out.failure && out.failure->fault) << c.what;
        EXPECT_EQ(out.lines.size(), c.linesKept) << c.what;
    }
}
