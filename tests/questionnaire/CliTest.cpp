// vedan-cli questionnaire: answers over the panel defaults, clear refusals of bad answers, the
// window's message for an incomplete questionnaire.
#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"
#include "tests/support/WorkbookReader.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString writeAnswers(const QTemporaryDir& dir, const char* json)
{
    const QString path = dir.filePath("answers.json");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(json);
    return path;
}

const char* const kPlateChosen =
    R"({"ComboBox11": 1, "ComboBox12": "Гкал/час", "ComboBox13": 1, "ComboBox14": "М.в,стб.",
        "ComboBox15": 2, "ComboBox16": "Мпа")";

} // namespace

TEST(QuestionnaireCli, AnswersOverrideDefaults)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("plate.xlsx");
    // The tool has no memo on screen: a line of any length stays one row.
    const QString longLine = QString("длинная строка без переноса ").repeated(12).trimmed();
    const QByteArray json = QByteArray(kPlateChosen)
                            + R"(, "Edit37": "25,5", "Memo2": "строка 1\nстрока 2\n)"
                            + longLine.toUtf8() + R"("})";
    const CliRun run =
        runCli({"questionnaire", "plate", "--xlsx", out, "--answers", writeAnswers(dir, json)});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject cells = readFirstSheet(out)["cells"].toObject();
    EXPECT_EQ(cells["C12"].toObject()["value"].toString(), "Гкал/час");
    EXPECT_EQ(cells["B22"].toObject()["value"].toString(), "Двухступенчатая смешанная");
    EXPECT_EQ(cells["C23"].toObject()["value"].toString(), "Мпа");
    EXPECT_DOUBLE_EQ(cells["B25"].toObject()["value"].toDouble(), 25.5);
    EXPECT_EQ(cells["A29"].toObject()["value"].toString(), "строка 2");
    EXPECT_EQ(cells["A30"].toObject()["value"].toString(), longLine);
    EXPECT_EQ(cells["B14"].toObject()["value"].toDouble(), 115); // a default
}

// The answers are read from a file, not typed: a text that would be a formula is written as a text
// cell, as it stands, while a number is still a number.
TEST(QuestionnaireCli, NoAnswerBecomesAFormula)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("plate.xlsx");
    const QByteArray json = QByteArray(kPlateChosen) + R"json(,
        "Edit37": "=HYPERLINK(\"http://example.invalid\",\"x\")", "Memo2": "=1+2\n25,5"})json";
    const CliRun run =
        runCli({"questionnaire", "plate", "--xlsx", out, "--answers", writeAnswers(dir, json)});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QJsonObject cells = readFirstSheet(out)["cells"].toObject();
    EXPECT_EQ(cells["B25"].toObject()["value"].toString(),
              R"json(=HYPERLINK("http://example.invalid","x"))json");
    EXPECT_EQ(cells["A28"].toObject()["value"].toString(), "=1+2");
    for (const char* formula : {"B25", "A28"})
        EXPECT_EQ(cells[formula].toObject()["type"].toString(), "s") << formula;
    EXPECT_EQ(cells["A29"].toObject()["type"].toString(), "n");
    EXPECT_DOUBLE_EQ(cells["A29"].toObject()["value"].toDouble(), 25.5);
}

TEST(QuestionnaireCli, BadAnswersAreRefusedByName)
{
    struct Case {
        const char* kind;
        const char* json;
        const char* named;
    };
    const Case cases[] = {
        {"itp", R"({"Edit1": "x"})", "Edit1"}, // belongs to another panel
        {"btp", R"({"Edit99": "x"})", "Edit99"},
        {"btp", R"({"Edit7": 5})", "Edit7"},            // a text expected
        {"btp", R"({"CheckBox2": "да"})", "CheckBox2"}, // true/false expected
        {"btp", R"({"ComboBox1": 3})", "ComboBox1"},    // only items 0..2
        {"btp", R"({"ComboBox1": -1})", "ComboBox1"},
        {"btp", R"({"ComboBox1": 1.5})", "ComboBox1"},
        {"btp", R"({"ComboBox1": 1e12})", "ComboBox1"}, // beyond any int
        {"btp", R"({"ComboBox1": "Газ"})", "Газ"},
        {"btp", R"({"ComboBox1": true})", "ComboBox1"},
        {"btp", R"({"Memo1": ["a"]})", "Memo1"},
        {"btp", R"(["ComboBox1"])", "объект"},
        {"btp", R"({"ComboBox1": 1,)", "JSON"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.json);
        QTemporaryDir dir;
        const QString out = dir.filePath("q.xlsx");
        const CliRun run = runCli(
            {"questionnaire", c.kind, "--xlsx", out, "--answers", writeAnswers(dir, c.json)});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.named))) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
}

TEST(QuestionnaireCli, IncompleteAndUsage)
{
    QTemporaryDir dir;
    const QString out = dir.filePath("q.xlsx");
    CliRun run = runCli({"questionnaire", "plate", "--xlsx", out, "--answers",
                         writeAnswers(dir, R"({"ComboBox11": 1})")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err.trimmed(), "Выбраны не все пункты!");
    EXPECT_FALSE(QFile::exists(out));
    EXPECT_EQ(runCli({"questionnaire", "plate"}).status, 2);
    EXPECT_EQ(runCli({"questionnaire", "boiler", "--xlsx", out}).status, 2);
    EXPECT_EQ(
        runCli({"questionnaire", "itp", "--xlsx", out, "--answers", dir.filePath("none.json")})
            .status,
        2);
}
