// Workbooks written under the users' own locale: whether ru_RU.UTF-8 comes from LC_ALL, from
// LANG or from LC_NUMERIC alone, every output of the tool opens in an independent reader with
// its numbers as numbers, exactly as under the C locale.

#include "tests/support/CliCases.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"

#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const char* const kRussian = "ru_RU.UTF-8";

struct LocaleSource {
    const char* what;
    QStringList environment;
};

QStringList localeSource(const char* lcAll, const char* lang, const char* numeric)
{
    QStringList env{QStringLiteral("LANGUAGE")};
    for (const auto& [name, value] :
         {std::pair{"LC_ALL", lcAll}, std::pair{"LANG", lang}, std::pair{"LC_NUMERIC", numeric}})
        env << (value ? QStringLiteral("%1=%2").arg(QLatin1String(name), QLatin1String(value))
                      : QString::fromLatin1(name));
    return env;
}

const LocaleSource kSources[] = {
    {"LC_ALL", localeSource(kRussian, nullptr, nullptr)},
    {"LANG", localeSource(nullptr, kRussian, nullptr)},
    {"LC_NUMERIC alone", localeSource(nullptr, "C", kRussian)},
    {"C", localeSource("C", nullptr, nullptr)},
};

const QStringList kHydroelevator =
    QStringLiteral(
        "size hydroelevator --inlet 6 --inlet-unit kgf --outlet 4 --outlet-unit kgf --supply 150 "
        "--return 70 --load 0,5 --load-unit gcal --resistance 1 --resistance-unit m")
        .split(QLatin1Char(' '));

} // namespace

TEST(UsersLocale, EveryWorkbookKeepsItsNumbersWhereverTheLocaleComesFrom)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString batchInput = clicases::writeBatch(
        dir.path(), QStringLiteral("in.csv"), "hydroelevator;6;kgf;4;kgf;150;70;0,5;gcal;1;m\n");
    ASSERT_FALSE(batchInput.isEmpty());
    const QString answers = dir.filePath(QStringLiteral("answers.json"));
    QFile answersFile(answers);
    ASSERT_TRUE(answersFile.open(QIODevice::WriteOnly));
    answersFile.write(R"({"ComboBox11": 1, "ComboBox12": "Гкал/час", "ComboBox13": 1,
                          "ComboBox14": "М.в,стб.", "ComboBox15": 2, "ComboBox16": "Мпа",
                          "Edit37": "0,5"})");
    answersFile.close();

    struct Output {
        const char* what;
        QStringList args;
        const char* numberCell; // a cell that must read back as the number 0.5
        const char* widthColumn;
    };
    const Output outputs[] = {
        {"size --xlsx", kHydroelevator + QStringList{QStringLiteral("--xlsx")}, "B9", "A"},
        {"questionnaire --xlsx",
         {QStringLiteral("questionnaire"), QStringLiteral("plate"), QStringLiteral("--answers"),
          answers, QStringLiteral("--xlsx")},
         "B25",
         "A"},
        {"size --batch --out .xlsx",
         {QStringLiteral("size"), QStringLiteral("--batch"), batchInput, QStringLiteral("--out")},
         "I2",
         nullptr},
    };
    for (const LocaleSource& source : kSources) {
        for (const Output& output : outputs) {
            SCOPED_TRACE(std::string(source.what) + ": " + output.what);
            const QString file = dir.filePath(QStringLiteral("out.xlsx"));
            QFile::remove(file);
            const CliRun run =
                runCli(output.args + QStringList{file}, {.environment = source.environment});
            ASSERT_EQ(run.status, 0) << run.err.toStdString();
            const QJsonObject sheet = readFirstSheet(file);
            ASSERT_FALSE(sheet.isEmpty()) << "the workbook does not open";
            if (output.numberCell) {
                const QJsonObject cell = cellOf(sheet, QString::fromLatin1(output.numberCell));
                EXPECT_EQ(cell[QStringLiteral("type")].toString(), QStringLiteral("n"));
                EXPECT_EQ(cell[QStringLiteral("value")].toDouble(), 0.5);
            }
            if (output.widthColumn) {
                EXPECT_GT(shownWidth(sheet, QString::fromLatin1(output.widthColumn)), 1.0);
            }
        }
    }
}

// The command line and the batch's cells take a decimal comma or a point under every locale, for
// every option, and print the same either way.
TEST(UsersLocale, TheCommandLineTakesACommaOrAPoint)
{
    const LocaleSource sources[] = {
        {"LANG=ru_RU.UTF-8, LC_NUMERIC=C", localeSource(nullptr, kRussian, "C")},
        {"POSIX", localeSource(nullptr, "POSIX", nullptr)},
        {"C.UTF-8", localeSource(nullptr, "C.UTF-8", nullptr)},
        {"ru_RU.UTF-8", localeSource(nullptr, kRussian, nullptr)},
        {"C", localeSource("C", nullptr, nullptr)},
    };
    const QString inputs = QStringLiteral(
        " hydroelevator --inlet 6#5 --inlet-unit kgf --outlet 4 --outlet-unit kgf --supply 150 "
        "--return 70#5 --load 0#5 --load-unit gcal --resistance 1#2 --resistance-unit m");
    const QString commands[] = {
        QStringLiteral("size") + inputs + QStringLiteral(" --checks"),
        QStringLiteral("season") + inputs
            + QStringLiteral(" --outdoor-design -25#5 --indoor 18#5 --cut 70#5 --season-end 8#5 "
                             "--step 2#5"),
    };
    QTemporaryDir dir;
    const QString batch =
        clicases::writeBatch(dir.path(), QStringLiteral("in.csv"),
                             "hydroelevator;6,5;kgf;4;kgf;150;70,5;0,5;gcal;1,2;m\n"
                             "hydroelevator;6.5;kgf;4;kgf;150;70.5;0.5;gcal;1.2;m\n");
    ASSERT_FALSE(batch.isEmpty());
    for (const LocaleSource& source : sources) {
        SCOPED_TRACE(source.what);
        RunSettings settings;
        settings.environment = source.environment;
        for (const QString& command : commands) {
            SCOPED_TRACE(command.toStdString());
            const CliRun comma =
                runCli(QString(command).replace('#', ',').split(QLatin1Char(' ')), settings);
            const CliRun point =
                runCli(QString(command).replace('#', '.').split(QLatin1Char(' ')), settings);
            EXPECT_EQ(comma.status, 0) << comma.err.toStdString();
            EXPECT_EQ(point.status, 0) << point.err.toStdString();
            EXPECT_GT(comma.out.size(), 100);
            EXPECT_EQ(comma.text(), point.text());
        }
        // The two rows size alike, and write their inputs back by the table's rule.
        const CliRun run = runCli({QStringLiteral("size"), QStringLiteral("--batch"), batch,
                                   QStringLiteral("--out"), QStringLiteral("-")},
                                  settings);
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        const QStringList rows = run.lines();
        ASSERT_EQ(rows.size(), 3);
        EXPECT_TRUE(rows[1].startsWith(QStringLiteral("2;hydroelevator;6,5;kgf;4;kgf;150;70,5;")))
            << rows[1].toStdString();
        EXPECT_EQ(rows[1].mid(1), rows[2].mid(1));
    }
}
