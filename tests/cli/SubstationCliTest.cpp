// vedan-cli substation as a program: each scheme's worked case read back from its JSON, the heads
// adding up to the available head, the text table's element lines, and the exit statuses of
// --strict and of refused options.

#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

// "valve 10 2 130 70 0,4 1 --strict": the scheme, P₁ and P₂ in kgf/cm², τ₁, τ₂, Q in Gcal/h and
// S in m, then any further options.
CliRun substation(const char* line)
{
    const QStringList words = QString::fromUtf8(line).split(QLatin1Char(' '));
    QStringList args = {QStringLiteral("substation"), words[0]};
    const char* const inputs[] = {"inlet", "outlet", "supply", "return", "load", "resistance"};
    for (int i = 0; i < 6; ++i)
        args << QStringLiteral("--") + QString::fromLatin1(inputs[i]) << words[i + 1];
    return runCli(args
                  + QStringList{"--inlet-unit", "kgf", "--outlet-unit", "kgf", "--load-unit",
                                "gcal", "--resistance-unit", "m"}
                  + words.mid(7));
}

// The element of the kind, or an empty object.
QJsonObject element(const QJsonObject& budget, const QString& kind)
{
    for (const QJsonValue e : budget[QStringLiteral("elements")].toArray())
        if (e[QStringLiteral("kind")].toString() == kind)
            return e.toObject();
    return {};
}

struct Field {
    const char* kind; // an element's kind, or "" for the budget itself
    const char* name;
    double value;
    double tolerance; // half the last digit given
};

struct Case {
    const char* name;
    const char* line;
    const char* kinds; // the elements in the order of the flow
    std::vector<Field> fields;
    std::vector<std::pair<const char*, const char*>> checks; // id, status
};

const Case kCases[] = {
    {"ValveRegulatorSetPointRaisedToItsRange",
     "valve-regulator 5 4 130 70 0,3 1",
     "regulator valve system",
     {{"", "networkFlow", 4.98429, 5e-6},
      {"regulator", "setPoint", 0.40789, 5e-6},
      {"valve", "pressureDrop", 0.30789, 5e-6},
      {"valve", "requiredKv", 8.9827, 5e-5},
      {"valve", "requiredKvy", 10.779, 5e-4},
      {"regulator", "pressureDrop", 0.59211, 5e-6},
      {"regulator", "requiredKv", 6.4774, 5e-5},
      {"regulator", "requiredKvy", 7.773, 5e-4}},
     {{"regulator.range", "passed"}}},
    {"ValveRegulatorWithAnOrificeForCavitation",
     "valve-regulator 9 3 115 70 0,18 2",
     "orifice regulator valve system",
     {{"", "networkFlow", 3.98743, 5e-6},
      {"orifice", "head", 22.369, 5e-4},
      {"orifice", "plates", 1, 0},
      {"orifice", "bore", 9.182, 5e-4},
      {"regulator", "pressureDrop", 3.35525, 5e-6},
      {"regulator", "requiredKv", 2.1769, 5e-5},
      {"valve", "pressureDrop", 0.20789, 5e-6},
      {"valve", "requiredKv", 8.7454, 5e-5}},
     {{"regulator.cavitation", "warning"}}},
    {"ValveWithTwoPlatesAgainstChoking",
     "valve 10 2 130 70 0,4 1",
     "orifice valve system",
     {{"orifice", "head", 72.200, 5e-4},
      {"orifice", "plates", 2, 0},
      {"orifice", "bore", 10.517, 5e-4},
      {"valve", "pressureDrop", 0.67995, 5e-6},
      {"valve", "requiredKv", 8.0594, 5e-5},
      {"valve", "authority", 0.06, 0.01}},
     {{"valve.cavitation", "warning"}, {"valve.authority", "failed"}}},
    {"ElevatorWithItsNozzleAtTheMostHead",
     "elevator 10 4 150 70 0,2 1",
     "orifice elevator system",
     {{"elevator", "requiredHead", 14.336, 5e-4},
      {"elevator", "availableHead", 35, 1e-9},
      {"elevator", "nozzleDiameter", 6.2308, 5e-5},
      {"elevator", "head", 34, 1e-9},
      {"orifice", "head", 25, 1e-9},
      {"orifice", "bore", 7.0599, 5e-5},
      {"system", "head", 1, 1e-9}},
     {}},
    // Other losses at the inlet: the regulator takes H/10 − S/10 = (10 − 2)/10 − 0,1.
    {"RegulatorAfterOtherLosses",
     "regulator 5 4 130 70 0,3 1 --other-losses 2",
     "other regulator system",
     {{"other", "head", 2, 1e-9},
      {"regulator", "pressureDrop", 0.7, 1e-9},
      {"regulator", "setPoint", 0.1, 1e-9}},
     {}},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.line; }

class SubstationCli : public testing::TestWithParam<Case> {};

TEST_P(SubstationCli, ReproducesTheWorkedCase)
{
    const Case& c = GetParam();
    const CliRun run = substation((std::string(c.line) + " --json").c_str());
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject budget = QJsonDocument::fromJson(run.out).object();
    ASSERT_FALSE(budget.isEmpty()) << run.text().toStdString();
    EXPECT_EQ(budget[QStringLiteral("scheme")].toString(),
              QString::fromUtf8(c.line).section(QLatin1Char(' '), 0, 0));
    QStringList kinds;
    double heads = 0;
    for (const QJsonValue e : budget[QStringLiteral("elements")].toArray()) {
        kinds << e[QStringLiteral("kind")].toString();
        heads += e[QStringLiteral("head")].toDouble();
    }
    EXPECT_EQ(kinds.join(QLatin1Char(' ')), QString::fromLatin1(c.kinds));
    EXPECT_NEAR(heads, budget[QStringLiteral("availableHead")].toDouble(), 1e-9);
    for (const Field& f : c.fields) {
        const QJsonObject owner = *f.kind ? element(budget, QString::fromLatin1(f.kind)) : budget;
        const QJsonValue value = owner[QString::fromLatin1(f.name)];
        ASSERT_TRUE(value.isDouble()) << f.kind << "." << f.name;
        EXPECT_NEAR(value.toDouble(), f.value, f.tolerance) << f.kind << "." << f.name;
    }
    for (const auto& [id, status] : c.checks) {
        QStringList found;
        for (const QJsonValue check : budget[QStringLiteral("checks")].toArray())
            if (check[QStringLiteral("id")].toString() == QLatin1String(id))
                found << check[QStringLiteral("status")].toString();
        EXPECT_TRUE(!found.isEmpty() && found.count(QString::fromLatin1(status)) == found.size())
            << id << ": " << found.join(QLatin1Char(' ')).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Schemes, SubstationCli, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(SubstationCliText, ListsTheElementsInTheOrderOfTheFlowThenTheVerdict)
{
    const CliRun run = substation("valve-regulator 5 4 130 70 0,3 1");
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    QStringList lines;
    for (const QString& line : run.lines())
        lines << line.simplified().replace(QLatin1Char(','), QLatin1Char('.'));
    ASSERT_GT(lines.size(), 5);
    EXPECT_EQ(lines.mid(2, 3),
              (QStringList{"регулятор перепада давления 5.921 0.5921 6.4774 7.773 ЖМ-32.10.1.1 —",
                           "регулирующий клапан 3.079 0.3079 8.9827 10.779 ТВМ-50/20 —",
                           "система отопления 1.000 — — — — —"}));
    EXPECT_TRUE(lines[5].startsWith(QStringLiteral("[пройдена] Располагаемый напор")));
    EXPECT_EQ(lines.last(), QStringLiteral("Итог проверок: предупреждение"));
}

TEST(SubstationCliText, ShowsTheOrificePlatesAndTheirBore)
{
    const CliRun run = substation("valve 10 2 130 70 0.4 1");
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.lines()[2]
                    .simplified()
                    .replace(QLatin1Char(','), QLatin1Char('.'))
                    .startsWith(QStringLiteral("дроссельная диафрагма 72.200 7.2200 — — — 2 × "
                                               "10.52 мм")))
        << run.lines()[2].toStdString();
}

TEST(SubstationCliStatus, FollowsSizeForStrictAndRefusals)
{
    struct Row {
        const char* name;
        const char* line;
        int status;
        const char* message; // in the standard error
    };
    const Row rows[] = {
        {"FailedVerdictWithoutStrict", "valve 10 2 130 70 0,4 1", 0, ""},
        {"FailedVerdictWithStrict", "valve 10 2 130 70 0,4 1 --strict", 3, ""},
        {"WarningWithStrict", "valve-regulator 5 4 130 70 0,3 1 --strict", 0, ""},
        {"ShortfallIsAVerdict", "valve-regulator 4,1 4 130 70 0,3 1 --strict", 3, ""},
        {"UnknownScheme", "mixing 5 4 130 70 0,3 1", 2, "неизвестная схема"},
        {"AuthorityOfOne", "valve-regulator 5 4 130 70 0,3 1 --authority 1", 2, "авторитет"},
        {"RangeFour", "regulator 5 4 130 70 0,3 1 --range 4", 2, "range"},
        {"NegativeOtherLosses", "valve 5 4 130 70 0,3 1 --other-losses -1", 2, "Прочие потери"},
        {"MinBoreOfNothing", "elevator 10 4 150 70 0,2 1 --min-bore 0", 2, "диаметр отверстия"},
        {"BadNumberAsSize", "valve x 4 130 70 0,3 1", 1, ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const CliRun run = substation(r.line);
        EXPECT_EQ(run.status, r.status) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(r.message))) << run.err.toStdString();
    }
}

} // namespace
