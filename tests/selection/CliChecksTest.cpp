// vedan-cli size --checks and --json: the checks after the lines, the whole selection as JSON,
// and exit statuses that failed checks never change.

#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct Result {
    int status;
    QString out, err;
};

// vedan-cli size with the options given as one line.
Result runSize(const QString& args)
{
    const CliRun run = runCli(QStringList{QStringLiteral("size")} + args.split(QLatin1Char(' ')));
    return {run.status, run.text(), run.err};
}

QJsonObject json(const Result& r)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(r.out.toUtf8(), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << r.out.toStdString();
    return doc.object();
}

const QString kUnits =
    QStringLiteral("--inlet-unit kgf --outlet-unit kgf --load-unit gcal --resistance-unit m");
// The control valve example: 150/70 °C, 4/2 kgf/cm², 0,5 Gcal/h, 2 m.
const QString kValveExample =
    QStringLiteral("control-valve --inlet 4 --outlet 2 --supply 150 --return 70 --load 0,5 "
                   "--resistance 2 ")
    + kUnits;

QStringList ids(const QJsonArray& checks)
{
    QStringList list;
    for (const QJsonValue& c : checks)
        list << c[QStringLiteral("id")].toString();
    return list;
}

} // namespace

TEST(CliChecks, JsonCarriesLinesValuesOffersAndChecks)
{
    const Result plain = runSize(kValveExample);
    const Result r = runSize(kValveExample + QStringLiteral(" --checks --json"));
    ASSERT_EQ(r.status, 0) << r.err.toStdString();
    const QJsonObject o = json(r);
    EXPECT_EQ(o.keys(), (QStringList{"checks", "lines", "message", "offers", "values", "verdict"}));
    EXPECT_EQ(o["verdict"].toString(), QStringLiteral("failed"));

    QStringList lines;
    for (const QJsonValue& line : o["lines"].toArray())
        lines << line.toString();
    EXPECT_EQ(lines.join('\n') + '\n', plain.out);
    EXPECT_TRUE(o["message"].isNull());

    const QJsonObject values = o["values"].toObject();
    EXPECT_EQ(values.keys(),
              (QStringList{"networkFlow", "requiredKv", "requiredKvy", "valvePressureDrop"}));
    EXPECT_NEAR(values["networkFlow"].toDouble(), 6.2303571428571, 1e-12);
    EXPECT_NEAR(values["requiredKvy"].toDouble(), 5.5726008382, 1e-9);

    const QJsonArray offers = o["offers"].toArray();
    ASSERT_EQ(offers.size(), 2);
    EXPECT_EQ(offers[0]["designation"].toString(), QStringLiteral("ТВМ-25/17"));
    EXPECT_EQ(offers[0]["bore"].toInt(), 25);
    EXPECT_EQ(offers[1]["bore"].toInt(), 32);
    EXPECT_EQ(offers[0]["kvy"].toDouble(), 6.3);
    EXPECT_NEAR(offers[0]["authority"].toDouble(), 0.8329569402653487, 1e-15);

    const QJsonArray checks = o["checks"].toArray();
    EXPECT_EQ(ids(checks), (QStringList{"supply.liquid", "supply.schedule", "selection.offer",
                                        "valve.authority", "valve.authority", "valve.cavitation",
                                        "valve.flashing", "valve.velocity", "valve.velocity"}));
    const QStringList fields = {"designation", "failLimit", "formula",     "id",
                                "note",        "source",    "status",      "title",
                                "unit",        "value",     "warningLimit"};
    for (const QJsonValue& c : checks) {
        EXPECT_EQ(c.toObject().keys(), fields);
        for (const char* number : {"value", "warningLimit", "failLimit"})
            EXPECT_TRUE(c[number].isNull() || c[number].isDouble());
    }
    EXPECT_EQ(checks[2]["status"].toString(), QStringLiteral("passed"));
    EXPECT_EQ(checks[5]["status"].toString(), QStringLiteral("failed"));
    EXPECT_TRUE(checks[5]["designation"].isNull());
    EXPECT_EQ(checks[5]["unit"].toString(), QStringLiteral("кгс/см²"));
    EXPECT_EQ(checks[6]["status"].toString(), QStringLiteral("failed"));
    EXPECT_EQ(checks[7]["designation"].toString(), QStringLiteral("ТВМ-25/17"));
    EXPECT_EQ(checks[7]["status"].toString(), QStringLiteral("warning"));
    EXPECT_TRUE(checks[3]["unit"].isNull()); // authority is a pure number
}

TEST(CliChecks, ChecksFollowTheLinesAndNeverChangeTheExitStatus)
{
    const Result plain = runSize(kValveExample);
    const Result r = runSize(kValveExample + QStringLiteral(" --checks"));
    EXPECT_EQ(r.status, 0);
    ASSERT_TRUE(r.out.startsWith(plain.out));
    const QStringList checkLines = r.out.mid(plain.out.size()).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(checkLines.size(), 9);
    EXPECT_TRUE(checkLines[5].startsWith(
        QStringLiteral("[не пройдена] Кавитация и запирание потока в клапане: F_F = ")));
    for (const QString& line : checkLines)
        EXPECT_TRUE(line.contains(QStringLiteral(" — источник: "))) << line.toStdString();
}

TEST(CliChecks, ARunEndingInAMessageHasValuesSoFarAndNoChecks)
{
    struct Case {
        QString args;
        const char* message;
        int lineCount;
        QStringList valueKeys;
        std::vector<const char*> computed;
    };
    const Case cases[] = {
        // Return temperature 95 °C: the mixing ratio divides by zero after the flow line.
        {QStringLiteral("hydroelevator --inlet 4 --outlet 3,8 --supply 115 --return 95 --load 0,08 "
                        "--resistance 1 ")
             + kUnits,
         "Неправильный ввод данных.!!!",
         1,
         {"availableHead", "mixingRatio", "networkFlow", "nozzleDiameter", "throatDiameter"},
         {"networkFlow"}},
        // The outlet unit left at its prompt: nothing is converted or sized.
        {QStringLiteral("regulator --inlet 4 --outlet 3,8 --supply 115 --return 70 --load 0,08 "
                        "--resistance 1 --inlet-unit kgf --load-unit gcal --resistance-unit m "
                        "--series 1 --range 1"),
         "Выберите величину измерения давления",
         0,
         {},
         {}},
    };
    for (const Case& c : cases) {
        const Result r = runSize(c.args + QStringLiteral(" --json --checks"));
        EXPECT_EQ(r.status, 1);
        const QJsonObject o = json(r);
        EXPECT_EQ(o["message"].toString(), QString::fromUtf8(c.message));
        EXPECT_EQ(o["lines"].toArray().size(), c.lineCount);
        const QJsonObject values = o["values"].toObject();
        EXPECT_EQ(values.keys(), c.valueKeys);
        for (const QString& key : values.keys()) {
            const bool computed = std::any_of(c.computed.begin(), c.computed.end(),
                                              [&](const char* k) { return key == k; });
            EXPECT_EQ(values[key].isDouble(), computed) << key.toStdString();
        }
        EXPECT_TRUE(o["offers"].toArray().isEmpty());
        EXPECT_TRUE(o["checks"].toArray().isEmpty());
    }
}

TEST(CliChecks, EveryKindGivesValidJsonAndRepeatedSwitchesAreUsageErrors)
{
    const QString defaults =
        QStringLiteral(" --inlet 4 --outlet 3,8 --supply 115 --return 70 --load 0,08 "
                       "--resistance 1 ")
        + kUnits;
    const QString kinds[] = {QStringLiteral("hydroelevator"), QStringLiteral("mixing-valve"),
                             QStringLiteral("regulator --series 1 --range 1")};
    for (const QString& kind : kinds) {
        const Result r = runSize(kind + defaults + QStringLiteral(" --json"));
        EXPECT_EQ(r.status, 0) << kind.toStdString();
        EXPECT_FALSE(json(r)["checks"].toArray().isEmpty());
    }
    for (const char* twice : {" --json --json", " --checks --checks"}) {
        const Result r = runSize(kinds[0] + defaults + QString::fromLatin1(twice));
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.isEmpty());
    }
}

// The verdict in JSON, and the exit status with --strict: 3 for a failed check, 1 still for a
// run that ended in a message; in a batch 1 for any row with a message, else 3 for any row with
// a failed check.
TEST(CliChecks, TheVerdictAndStrictExitStatus)
{
    const QString passing =
        QStringLiteral("regulator --inlet 6 --outlet 4 --supply 150 --return 70 --load 0,5 "
                       "--resistance 16,315456 --series 1 --range 1 ")
        + kUnits;
    const QString message =
        QStringLiteral("control-valve --inlet 4 --outlet 3,8 --supply 115 --return 70 --load 0,08 "
                       "--resistance 3 ")
        + kUnits;
    struct Case {
        const char* what;
        QString args;
        int status;
        const char* verdict; // nullptr: null
    };
    const Case cases[] = {
        {"a failed check", kValveExample, 0, "failed"},
        {"a failed check, strict", kValveExample + " --strict", 3, "failed"},
        {"every check passed, strict", passing + " --strict", 0, "passed"},
        {"a message, strict", message + " --strict", 1, nullptr},
        // Hotter water never passes for being beyond a range, nor does a selection that offers
        // nothing.
        {"200,5 °C, strict", QString(kValveExample).replace("150", "200,5") + " --strict", 3,
         "failed"},
        {"250 °C, strict", QString(kValveExample).replace("150", "250") + " --strict", 3, "failed"},
        {"no valve offered, strict", QString(kValveExample).replace("0,5", "100000") + " --strict",
         3, "failed"},
        {"no elevator at a head of 60 m, strict",
         QStringLiteral("hydroelevator --inlet 10 --outlet 4 --supply 150 --return 70 --load 0,5 "
                        "--resistance 1 --strict ")
             + kUnits,
         3, "failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(runSize(c.args).status, c.status);
        const Result r = runSize(c.args + " --json");
        EXPECT_EQ(r.status, c.status);
        const QJsonValue verdict = json(r)["verdict"];
        if (c.verdict)
            EXPECT_EQ(verdict.toString(), QString::fromLatin1(c.verdict));
        else
            EXPECT_TRUE(verdict.isNull());
    }
    EXPECT_EQ(runSize(kValveExample + " --strict --strict").status, 2);

    QTemporaryDir dir;
    const auto batch = [&](const QByteArray& rows) {
        const QString file = dir.filePath(QStringLiteral("rows.csv"));
        QFile out(file);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write("kind;inlet;inlet-unit;outlet;outlet-unit;supply;return;load;load-unit;"
                  "resistance;resistance-unit;series;range\n"
                  + rows);
        out.close();
        return file;
    };
    const QByteArray failedCheck = "control-valve;4;kgf;2;kgf;150;70;0,5;gcal;2;m;;\n";
    const QByteArray allPassed = "regulator;6;kgf;4;kgf;150;70;0,5;gcal;16,315456;m;1;1\n";
    const QByteArray withMessage = "control-valve;4;kgf;3,8;kgf;115;70;0,08;gcal;3;m;;\n";
    const QByteArray nothingOffered = "control-valve;4;kgf;2;kgf;150;70;100000;gcal;2;m;;\n";
    struct BatchCase {
        const char* what;
        QByteArray rows;
        int plain;
        int strict;
    };
    for (const BatchCase& c :
         {BatchCase{"a failed check", failedCheck + allPassed, 0, 3},
          BatchCase{"all passed", allPassed, 0, 0},
          BatchCase{"nothing offered", allPassed + nothingOffered, 0, 3},
          BatchCase{"a message and a failed check", failedCheck + withMessage, 1, 1}}) {
        SCOPED_TRACE(c.what);
        const QString file = batch(c.rows);
        EXPECT_EQ(runSize(QStringLiteral("--batch ") + file).status, c.plain);
        EXPECT_EQ(runSize(QStringLiteral("--batch ") + file + QStringLiteral(" --strict")).status,
                  c.strict);
    }
}
