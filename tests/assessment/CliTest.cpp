// vedan-cli assess and template, run as a separate program on template files.
#include "assessment/Report.h"
#include "assessment/TemplateFile.h"
#include "tests/assessment/DefaultInputs.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"
#include "tests/support/WorkbookReader.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

using assessment::AssessmentInputs;
using assessment::SystemChoice;

using namespace assessment;

namespace {

class AssessCli : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString save(const AssessmentInputs& in, const QString& name = QStringLiteral("t.teo"))
    {
        const QString path = dir.filePath(name);
        EXPECT_FALSE(writeTemplateFile(path, in));
        return path;
    }
};

} // namespace

TEST_F(AssessCli, ReportForEverySystemFromTheStoredRecord)
{
    AssessmentInputs in = defaultInputs();
    in.nightSetbackHours = 10; // the window's load would not refill this; the report uses it
    in.objectName = QStringLiteral("Дом");
    const QString file = save(in);
    const std::pair<const char*, SystemChoice> systems[] = {{"heating", SystemChoice::Heating},
                                                            {"hot-water", SystemChoice::HotWater},
                                                            {"both", SystemChoice::Both}};
    for (const auto& [name, choice] : systems) {
        const CliRun run = runCli(
            {QStringLiteral("assess"), file, QStringLiteral("--system"), QLatin1String(name)});
        EXPECT_EQ(run.status, 0) << name;
        QStringList expected =
            reportHeader(choice, QStringLiteral("Дом"), QStringLiteral("1606,29"));
        expected += assessmentBody(in, choice).lines;
        EXPECT_EQ(run.lines(), expected) << name;
    }
}

TEST_F(AssessCli, FaultsAndUsage)
{
    AssessmentInputs in = defaultInputs();
    in.hotWaterTemperature = in.winterColdWaterTemperature;
    const QString file = save(in);
    const CliRun fault = runCli(
        {QStringLiteral("assess"), file, QStringLiteral("--system"), QStringLiteral("both")});
    EXPECT_EQ(fault.status, 1);
    EXPECT_TRUE(fault.err.contains(QStringLiteral("Деление на ноль"))) << fault.err.toStdString();
    EXPECT_EQ(
        fault.lines().last(),
        QStringLiteral(" -") + QString(9, QChar(0xA0))
            + QStringLiteral(" автоматическое снижение температуры горячей воды в ночное время."));

    QFile shortFile(dir.filePath(QStringLiteral("short.teo")));
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.write("abc");
    shortFile.close();
    EXPECT_EQ(runCli({QStringLiteral("assess"), shortFile.fileName(), QStringLiteral("--system"),
                      QStringLiteral("heating")})
                  .status,
              1);
    EXPECT_EQ(runCli({QStringLiteral("template"), dir.filePath(QStringLiteral("none.teo"))}).status,
              1);

    const QStringList wrong[] = {
        {QStringLiteral("assess"), file},
        {QStringLiteral("assess"), file, QStringLiteral("--system"), QStringLiteral("gas")},
        {QStringLiteral("assess"), file, QStringLiteral("--system")},
        {QStringLiteral("template")},
        {QStringLiteral("template"), file, QStringLiteral("--xml")},
    };
    for (const QStringList& args : wrong)
        EXPECT_EQ(runCli(args).status, 2) << args.join(QLatin1Char(' ')).toStdString();
}

// assess --json holds the lines the plain command prints, the message it prints on standard
// error, and the savings of the systems assessed.
TEST_F(AssessCli, JsonHoldsTheLinesTheMessageAndTheSavings)
{
    struct Case {
        const char* system;
        bool heating, hotWater, fault;
    };
    const Case cases[] = {{"heating", true, false, false},
                          {"hot-water", false, true, false},
                          {"both", true, true, false},
                          {"both", false, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.system) + (c.fault ? " fault" : ""));
        AssessmentInputs in = defaultInputs();
        if (c.fault)
            in.hotWaterTemperature = in.winterColdWaterTemperature;
        const QString file = save(in);
        const QStringList args = {QStringLiteral("assess"), file, QStringLiteral("--system"),
                                  QString::fromLatin1(c.system)};
        const CliRun plain = runCli(args);
        const CliRun json = runCli(args + QStringList{QStringLiteral("--json")});
        EXPECT_EQ(json.status, plain.status);
        EXPECT_EQ(json.err, plain.err);
        ASSERT_EQ(json.lines().size(), 1);
        const QJsonObject object = QJsonDocument::fromJson(json.out).object();
        QStringList lines;
        for (const QJsonValue& line : object[QStringLiteral("lines")].toArray())
            lines << line.toString();
        EXPECT_EQ(lines, plain.lines());
        EXPECT_EQ(object[QStringLiteral("message")].isNull(), !c.fault);
        if (c.fault) {
            EXPECT_EQ(object[QStringLiteral("message")].toString() + QLatin1Char('\n'), plain.err);
        }
        const QJsonObject values = object[QStringLiteral("values")].toObject();
        EXPECT_EQ(values[QStringLiteral("heatingSaving")].isDouble(), c.heating);
        EXPECT_EQ(values[QStringLiteral("hotWaterSaving")].isDouble(), c.hotWater);
        if (c.heating) {
            EXPECT_GT(values[QStringLiteral("heatingSaving")].toDouble(), 0);
        }
    }
}

TEST_F(AssessCli, TemplateListingAndJson)
{
    const QString file = save(defaultInputs());
    const CliRun text = runCli({QStringLiteral("template"), file});
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.lines(), templateListing(defaultInputs()));
    const CliRun json = runCli({QStringLiteral("template"), file, QStringLiteral("--json")});
    EXPECT_EQ(json.status, 0);
    const QJsonObject object = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(object.size(), 20);
    EXPECT_EQ(object[QStringLiteral("heatingLoad")].toDouble(), 0.15);
    EXPECT_EQ(object[QStringLiteral("heatingPeriodDays")].toInt(), 220);
    EXPECT_EQ(object[QStringLiteral("hotWaterNightSetback")].toBool(), true);
    EXPECT_EQ(object[QStringLiteral("objectName")].toString(),
              QStringLiteral("г. Город  ул. Улица д. 10"));
}

TEST_F(AssessCli, WorkbookOneRowPerReportLine)
{
    const QString file = save(defaultInputs());
    const QString out = dir.filePath(QStringLiteral("r.xlsx"));
    const CliRun run = runCli({QStringLiteral("assess"), file, QStringLiteral("--system"),
                               QStringLiteral("heating"), QStringLiteral("--xlsx"), out});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject sheet = readFirstSheet(out);
    EXPECT_EQ(sheet[QStringLiteral("name")].toString(),
              QStringLiteral("ТЭОг. Город  ул. Улица д. 10"));
    EXPECT_EQ(sheet[QStringLiteral("merged")].toArray().size(), run.lines().size());
    const QJsonObject cells = sheet[QStringLiteral("cells")].toObject();
    EXPECT_EQ(cells[QStringLiteral("A1")].toObject()[QStringLiteral("value")].toString(),
              run.lines()[0]);
    EXPECT_EQ(cells[QStringLiteral("A4")].toObject()[QStringLiteral("value")].toString(),
              QStringLiteral("при стоимости одной Гкал 1606,29"));
    EXPECT_EQ(cells[QStringLiteral("A7")].toObject()[QStringLiteral("align")].toString(),
              QStringLiteral("left"));
    // Every line wraps inside its merged row; a row grows only for a line wider than A:E, such
    // as the one that printed without its " C".
    const int warm = int(run.lines().indexOf(QStringLiteral(
                         "Существующая температура внутреннего воздуха отапливаемых зданий "
                         "26,00 C")))
                     + 1;
    ASSERT_GT(warm, 0);
    EXPECT_DOUBLE_EQ(rowHeight(sheet, warm), 30);
    for (int row : {1, 4, warm + 1})
        EXPECT_EQ(rowHeight(sheet, row), -1) << row;
    for (const QString& name : cells.keys())
        EXPECT_TRUE(cells[name].toObject()[QStringLiteral("wrap")].toBool()) << name.toStdString();
}

// The template is read from a file, not typed: an object name that would be a formula is written
// as a text cell, as it stands.
TEST_F(AssessCli, AnObjectNameNeverBecomesAFormula)
{
    AssessmentInputs in = defaultInputs();
    in.objectName = QStringLiteral("=1+1");
    const QString out = dir.filePath(QStringLiteral("r.xlsx"));
    const CliRun run = runCli({QStringLiteral("assess"), save(in), QStringLiteral("--system"),
                               QStringLiteral("heating"), QStringLiteral("--xlsx"), out});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    ASSERT_EQ(run.lines().value(2), QStringLiteral("=1+1"));
    const QJsonObject cell = cellOf(readFirstSheet(out), QStringLiteral("A3"));
    EXPECT_EQ(cell[QStringLiteral("type")].toString(), QStringLiteral("s"));
    EXPECT_EQ(cell[QStringLiteral("value")].toString(), QStringLiteral("=1+1"));
}
