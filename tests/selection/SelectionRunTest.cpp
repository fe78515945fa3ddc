// Reading the selection inputs: unit checks, conversions, dispatch by the window's title.

#include "selection/FormInput.h"
#include "selection/Units.h"
#include "selection/ValveSizing.h"
#include "tests/support/Inputs.h"
#include "tests/support/QtPrinters.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace selection;
using sizingcases::Inputs;

namespace {

// The window's defaults with every unit chosen as kgf/cm², Gcal/h and metres.
SelectionForm filledForm(const char* title)
{
    SelectionForm form;
    form.title = QString::fromUtf8(title);
    form.edit1 = QStringLiteral("4");
    form.edit2 = QStringLiteral("3,8");
    form.edit3 = QStringLiteral("115");
    form.edit4 = QStringLiteral("70");
    form.edit5 = QStringLiteral("0,08");
    form.edit6 = QStringLiteral("1");
    form.comboBox1 = 1;
    form.comboBox2 = 3;
    form.comboBox3 = 3;
    form.comboBox4 = 2;
    return form;
}

const char* const kHydro = "Регулирующий гидроэлеватор";
const char* const kRegulator = "Регулятор давления и перепада";

} // namespace

TEST(Translate, ConvertsEachUnitOfTheTable)
{
    struct Case {
        int unit, quantity;
        double value, expected;
    };
    const Case cases[] = {
        {1, units::kPressure, 1, 1.019716}, {2, units::kPressure, 1, 10.19716},
        {3, units::kPressure, 3.8, 3.8},    {1, units::kHeatLoad, 1, 0.8598},
        {2, units::kHeatLoad, 0.08, 0.08},  {2, units::kPressure, -2, -20.39432},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(units::Translate(c.unit, c.quantity, c.value), c.expected)
            << c.unit << "/" << c.quantity;
    // A pair outside the table (the prompt, an item of the other choice) is no number, and the
    // sizing refuses it as bad input.
    EXPECT_TRUE(std::isnan(units::Translate(0, units::kPressure, 1)));
    EXPECT_TRUE(std::isnan(units::Translate(3, units::kHeatLoad, 1)));
    EXPECT_TRUE(std::isnan(units::Translate(1, 3, 1)));
    const double bad = units::Translate(3, units::kHeatLoad, 1);
    const SizingOutcome outcome = sizing::PodborKZR(Inputs{.q = bad});
    ASSERT_TRUE(outcome.failure.has_value());
    EXPECT_EQ(outcome.failure->message, QStringLiteral("Неправильный ввод данных.!!!"));
}

TEST(SelectionRun, ChecksUnitsInOrderBeforeAnythingElse)
{
    struct Case {
        int combo1, combo2, combo3, combo4;
        const char* message;
    };
    const Case cases[] = {
        {0, 0, 0, 0, "Выберите величину сопротивления системы"},
        {0, 1, 1, 1, "Выберите величину сопротивления системы"},
        {1, 0, 1, 1, "Выберите величину измерения давления"},
        {1, 1, 0, 0, "Выберите величину измерения давления"},
        {1, 1, 1, 0, "Выберите величину измерения нагрузки"},
    };
    for (const Case& c : cases) {
        SelectionForm form = filledForm(kHydro);
        form.edit1 = QStringLiteral("not a number"); // units come first
        form.comboBox1 = c.combo1;
        form.comboBox2 = c.combo2;
        form.comboBox3 = c.combo3;
        form.comboBox4 = c.combo4;
        const SelectionRun run = selection::runSelection(form);
        EXPECT_EQ(run.message(), QString::fromUtf8(c.message));
        EXPECT_TRUE(run.lines().isEmpty());
    }
}

TEST(SelectionRun, ConvertsWithTheUnitsInOrder)
{
    SelectionForm form = filledForm(kHydro);
    form.edit1 = QStringLiteral("1");
    form.comboBox2 = 2; // MPa
    form.edit2 = QStringLiteral(" 1,5e-1 ");
    form.comboBox3 = 1; // bar
    form.edit5 = QStringLiteral("+1");
    form.comboBox4 = 1; // MW
    const vedan::Outcome<DesignConditions> converted = selection::convertInputs(form);
    ASSERT_TRUE(converted.ok());
    const SizingInputs in = inputsOf(converted.value);
    EXPECT_EQ(in.supplyTemperature, 115);
    EXPECT_EQ(in.returnTemperature, 70);
    EXPECT_DOUBLE_EQ(in.heatLoad, 0.8598);
    EXPECT_DOUBLE_EQ(in.inletPressure, 10.19716);
    EXPECT_DOUBLE_EQ(in.outletPressure, 0.15 * 1.019716);
    EXPECT_EQ(in.systemResistance, 1);
}

TEST(SelectionRun, ReportsConversionAndMathErrors)
{
    const QString conversion =
        QStringLiteral("Неправильный ввод данных. Дробные числа вводяться через запятую!!!");
    const QString math = QStringLiteral("Неправильный ввод данных.!!!");
    struct Case {
        const char* what;
        QString SelectionForm::*edit;
        const char* text;
        QString message;
        int lines;
    };
    const Case cases[] = {
        {"point instead of comma", &SelectionForm::edit2, "3.8", conversion, 0},
        {"empty", &SelectionForm::edit6, "", conversion, 0},
        {"thousands separator", &SelectionForm::edit3, "1 150", conversion, 0},
        {"equal temperatures", &SelectionForm::edit4, "115", math, 0},
        {"return at 95", &SelectionForm::edit4, "95", math, 1},
        {"overflow in the unit conversion", &SelectionForm::edit1, "1e308", math, 0},
    };
    for (const Case& c : cases) {
        SelectionForm form = filledForm(kHydro);
        form.comboBox2 = 2; // MPa, so that 1e308 overflows when converted
        form.*c.edit = QString::fromUtf8(c.text);
        const SelectionRun run = selection::runSelection(form);
        EXPECT_EQ(run.message(), c.message) << c.what;
        EXPECT_EQ(run.lines().size(), c.lines) << c.what;
    }
}

TEST(SelectionRun, DispatchesByTheExactTitle)
{
    struct Case {
        const char* title;
        const char* firstLine; // nullptr: nothing runs
    };
    const Case cases[] = {
        {"Регулирующий гидроэлеватор", "Расход сетевой воды на отопление = 1,77 т/час"},
        {"Запорно-регулирующий клапан", "Расход сетевой воды = 1,77 т/час"},
        {"Клапан смесительный трехходовой", "Расход сетевой воды = 1,77 т/час"},
        {"Запорнорегулирующий клапан", nullptr},
        {"регулирующий гидроэлеватор", nullptr},
    };
    for (const Case& c : cases) {
        const SelectionRun run = selection::runSelection(filledForm(c.title));
        EXPECT_FALSE(run.message().has_value()) << c.title;
        EXPECT_EQ(run.lines().value(0), c.firstLine ? QString::fromUtf8(c.firstLine) : QString())
            << c.title;
    }
    const SelectionRun valve = selection::runSelection(filledForm("Запорно-регулирующий клапан"));
    EXPECT_EQ(
        valve.lines().value(1),
        QStringLiteral("Перепад давления на клапане с учетом падения давления = 0,10 кгс/см2"));
}

TEST(SelectionRun, RegulatorAsksForItsChoicesAfterTheCommonChecks)
{
    SelectionForm form = filledForm(kRegulator);
    form.comboBox5 = 1;
    EXPECT_EQ(selection::runSelection(form).message(), QStringLiteral("Выбраны не все параметры!"));

    form.edit5 = QStringLiteral("0.08");
    EXPECT_EQ(selection::runSelection(form).message(),
              QStringLiteral("Неправильный ввод данных. Дробные числа вводяться через запятую!!!"));

    form.edit5 = QStringLiteral("0,08");
    form.comboBox6 = 2;
    const SelectionRun run = selection::runSelection(form);
    EXPECT_FALSE(run.message().has_value());
    EXPECT_EQ(run.lines().value(5), QStringLiteral("Вам подходит ЖМ-32.10.2.1 Kvy= 10,00"));
}
