// vedan-cli season as a program: the JSON object and its fields for each kind, the text table,
// the table files with failed checks and warnings apart, the cut on both sides of 70 °C, and the
// exit statuses of a refused schedule and a design that ends in a message.

#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"
#include "tests/support/WorkbookReader.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList args(const char* kind, const char* resistance = "1")
{
    return {QStringLiteral("season"),
            QString::fromUtf8(kind),
            "--inlet",
            "6",
            "--inlet-unit",
            "kgf",
            "--outlet",
            "4",
            "--outlet-unit",
            "kgf",
            "--supply",
            "150",
            "--return",
            "70",
            "--load",
            "0,5",
            "--load-unit",
            "gcal",
            "--resistance",
            QString::fromUtf8(resistance),
            "--resistance-unit",
            "m",
            "--outdoor-design",
            "-25"};
}

// The control valve at 4/2 kgf/cm² and S = 2 m whose design point fails the valve's cavitation
// and flashing at 150/70 °C while the supply water only warns.
QStringList valveArgs(const char* supply = "150", const char* ret = "70")
{
    QStringList a = args("control-valve", "2");
    const std::pair<const char*, QString> values[] = {
        {"--inlet", "4"},
        {"--outlet", "2"},
        {"--supply", QString::fromUtf8(supply)},
        {"--return", QString::fromUtf8(ret)},
        {"--outdoor-design", "-26"},
    };
    for (const auto& [option, value] : values)
        a[a.indexOf(QLatin1String(option)) + 1] = value;
    return a;
}

} // namespace

TEST(SeasonCommand, JsonHasTheDesignTheScheduleAndEveryPoint)
{
    struct Case {
        const char* kind;
        QStringList present;
        QStringList null;
    };
    const Case cases[] = {
        {"hydroelevator",
         {"nozzleDiameter", "requiredHead", "availableHead"},
         {"pressureDrop", "requiredKv", "capacityRatio"}},
        {"control-valve",
         {"pressureDrop", "requiredKv", "capacityRatio"},
         {"nozzleDiameter", "requiredHead", "availableHead"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kind);
        const CliRun run = runCli(args(c.kind) << QStringLiteral("--json"));
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QJsonObject whole = QJsonDocument::fromJson(run.out).object();
        EXPECT_EQ(whole.keys(), (QStringList{"design", "points", "schedule"}));
        EXPECT_EQ(whole["design"]["verdict"].type(), QJsonValue::String);
        const QJsonObject schedule = whole["schedule"].toObject();
        EXPECT_EQ(schedule["outdoorDesign"].toDouble(), -25);
        EXPECT_EQ(schedule["indoor"].toDouble(), 18);
        EXPECT_EQ(schedule["cut"].toDouble(), 70);
        EXPECT_EQ(schedule["seasonEnd"].toDouble(), 8);
        EXPECT_EQ(schedule["step"].toDouble(), 1);
        EXPECT_EQ(schedule["exponent"].toDouble(), 0.8);
        const QJsonArray points = whole["points"].toArray();
        ASSERT_EQ(points.size(), 34);
        const QJsonObject last = points.last().toObject();
        EXPECT_EQ(last["outdoor"].toDouble(), 8);
        EXPECT_NEAR(last["networkFlow"].toDouble(), 3.328365, 1e-6);
        EXPECT_EQ(last["supply"].toDouble(), 70);
        for (const QString& field : c.present)
            EXPECT_TRUE(last[field].isDouble()) << field.toStdString();
        for (const QString& field : c.null)
            EXPECT_TRUE(last[field].isNull()) << field.toStdString();
        EXPECT_FALSE(last["checks"].toArray().isEmpty());
        EXPECT_EQ(last["checks"][0]["id"].toString(), QStringLiteral("supply.liquid"));
        EXPECT_EQ(last["verdict"].type(), QJsonValue::String);
    }
}

TEST(SeasonCommand, TextTableAndTableFiles)
{
    const CliRun text = runCli(args("control-valve", "2"));
    ASSERT_EQ(text.status, 0) << text.err.toStdString();
    const QStringList lines = text.lines();
    ASSERT_EQ(lines.size(), 36); // the schedule, the heading, 34 points
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Отопительный период")));
    EXPECT_TRUE(lines[1].contains(QStringLiteral("Kv/Kvy")));
    EXPECT_FALSE(lines[1].contains(QStringLiteral("dс")));
    // +8 °C: Δp 1,943, Kv 2,388, Kv/Kvy 0,379.
    EXPECT_TRUE(lines.last().contains(QStringLiteral("1,943")));
    EXPECT_TRUE(lines.last().contains(QStringLiteral("2,388")));
    EXPECT_TRUE(lines.last().contains(QStringLiteral("0,379")));

    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("season.csv"));
    ASSERT_EQ(runCli(args("control-valve", "2") << QStringLiteral("--out") << csv).status, 0);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF"));
    const QStringList rows = QString::fromUtf8(bytes.mid(3)).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(rows.size(), 35);
    EXPECT_TRUE(rows[0].startsWith(QStringLiteral("outdoor;relativeLoad;supply;return;mixed;")));
    EXPECT_TRUE(rows[0].endsWith(QStringLiteral(";verdict;failed;warnings")));
    EXPECT_TRUE(rows.last().startsWith(QStringLiteral("8;0,23255813953488")));

    const QString xlsx = dir.filePath(QStringLiteral("season.xlsx"));
    ASSERT_EQ(runCli(args("hydroelevator") << QStringLiteral("--out") << xlsx).status, 0);
    const QJsonObject sheet = readFirstSheet(xlsx);
    EXPECT_EQ(sheet["name"].toString(), QStringLiteral("Отопительный период"));
    const QJsonObject cells = sheet["cells"].toObject();
    EXPECT_EQ(cells["A1"]["value"].toString(), QStringLiteral("outdoor"));
    EXPECT_EQ(cells["A35"]["value"].toDouble(), 8);
    EXPECT_EQ(cells["C35"]["value"].toDouble(), 70);
}

TEST(SeasonCommand, RefusalsAndMessages)
{
    struct Case {
        const char* name;
        QStringList args;
        int status;
        const char* err;
    };
    const Case cases[] = {
        {"no design outdoor temperature", args("hydroelevator").mid(0, 22), 2,
         "не указана расчётная температура"},
        {"end above indoor",
         args("hydroelevator") << "--season-end"
                               << "20",
         2, "конец отопительного периода"},
        {"cut above supply",
         args("hydroelevator") << "--cut"
                               << "160",
         2, "температура срезки"},
        {"a step of nothing",
         args("hydroelevator") << "--step"
                               << "0",
         2, "шаг"},
        {"not a number",
         args("hydroelevator") << "--indoor"
                               << "двадцать",
         2, "не число"},
        {"a bad file extension",
         args("hydroelevator") << "--out"
                               << "a.txt",
         2, "расширение"},
        {"a design that ends in a message",
         QStringList(args("hydroelevator")).replaceInStrings(QStringLiteral("0,5"), "x"), 1,
         "Неправильный ввод данных"},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.name;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.err)))
            << c.name << ": " << run.err.toStdString();
        if (c.status == 1) {
            EXPECT_TRUE(run.out.isEmpty()) << c.name;
        }
    }
}

// The design point of the valve: two checks failed, the supply water a warning, apart in the
// text table, in the table file (a data row read back) and on the sheet's season page.
TEST(SeasonCommand, FailedChecksAndWarningsApart)
{
    const CliRun text = runCli(valveArgs());
    ASSERT_EQ(text.status, 0) << text.err.toStdString();
    EXPECT_TRUE(text.lines()[2].startsWith(QStringLiteral("      -26,0 ")));
    EXPECT_TRUE(text.lines()[2].endsWith(
        QStringLiteral("  × не пройдена: valve.cavitation, valve.flashing; "
                       "! предупреждение: supply.liquid")))
        << text.lines()[2].toStdString();

    const QStringList expected = {QStringLiteral("failed"),
                                  QStringLiteral("valve.cavitation valve.flashing"),
                                  QStringLiteral("supply.liquid")};
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("season.csv"));
    ASSERT_EQ(runCli(valveArgs() << QStringLiteral("--out") << csv).status, 0);
    QFile file(csv);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList rows = QString::fromUtf8(file.readAll().mid(3)).split('\n');
    const QStringList header = rows[0].split(';');
    const QStringList design = rows[1].split(';');
    ASSERT_EQ(design.size(), header.size());
    EXPECT_EQ(design.first(), QStringLiteral("-26"));
    EXPECT_EQ(design.mid(header.indexOf(QStringLiteral("verdict"))), expected);

    const QString pdf = dir.filePath(QStringLiteral("season.pdf"));
    ASSERT_EQ(runCli(valveArgs() << QStringLiteral("--pdf") << pdf).status, 0);
    const QString page =
        runProgram(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).text().simplified();
    const qsizetype table = page.indexOf(QStringLiteral("Точки отопительного сезона"));
    const qsizetype failed = page.indexOf(QStringLiteral("× не пройдена: Кавитация"), table);
    const qsizetype warned =
        page.indexOf(QStringLiteral("! предупреждение: Вода на входе в жидком состоянии"), table);
    EXPECT_GT(failed, table);
    EXPECT_GT(warned, failed) << page.mid(table, 1500).toStdString();
    EXPECT_FALSE(page.mid(failed, warned - failed).contains(QStringLiteral("Вода на входе")));
}

// The default cut is applied only above 70 °C: a 70/50 and a 65/45 design have none; the
// 150/70 season from −26 °C reaches it at +2,42 °C, between the points.
TEST(SeasonCommand, TheCutOnBothSidesOfSeventy)
{
    struct Case {
        const char* supply;
        const char* ret;
        std::optional<double> cut;
        const char* stated;
    };
    const Case cases[] = {
        {"150", "70", 70, "срезка 70 °C с tн = 2,42 °C,"},
        {"70", "50", std::nullopt, "срезка нет,"},
        {"65", "45", std::nullopt, "срезка нет,"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.supply);
        const CliRun json = runCli(valveArgs(c.supply, c.ret) << QStringLiteral("--json"));
        ASSERT_EQ(json.status, 0) << json.err.toStdString();
        const QJsonObject whole = QJsonDocument::fromJson(json.out).object();
        const QJsonObject schedule = whole["schedule"].toObject();
        EXPECT_EQ(whole["points"].toArray().size(), 35);
        EXPECT_EQ(schedule["cut"].isNull(), !c.cut);
        EXPECT_EQ(schedule["cutOutdoor"].isNull(), !c.cut);
        if (c.cut) {
            EXPECT_EQ(schedule["cut"].toDouble(), *c.cut);
            EXPECT_NEAR(schedule["cutOutdoor"].toDouble(), 2.42, 0.005);
        }
        const CliRun text = runCli(valveArgs(c.supply, c.ret));
        EXPECT_TRUE(text.lines().value(0).contains(QString::fromUtf8(c.stated)))
            << text.lines().value(0).toStdString();
    }
}

// The calculation sheet of season --pdf: the selection's sheet, then the season's page with its
// inputs and its table, on numbered pages.
TEST(SeasonCommand, TheSheetHasTheSeasonPage)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("season.pdf"));
    const CliRun run =
        runCli(args("hydroelevator") << QStringLiteral("--pdf") << pdf << QStringLiteral("--object")
                                     << QStringLiteral("Дом 1"));
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QString text =
        runProgram(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).text().simplified();
    const char* const inOrder[] = {"Расчётный лист",
                                   "Объект: Дом 1",
                                   "Регулирующий гидроэлеватор",
                                   "Работа в течение отопительного сезона",
                                   "Расчётная температура наружного воздуха tн.р = -25 °C",
                                   "срезка подачи: 70 °C",
                                   "Е. Я. Соколов",
                                   "Точки отопительного сезона",
                                   "-25,0",
                                   "150,00",
                                   "4,860",
                                   "8,0",
                                   "3,328",
                                   "50,23",
                                   "Выполнил"};
    qsizetype at = 0;
    for (const char* expected : inOrder) {
        const qsizetype found = text.indexOf(QString::fromUtf8(expected), at);
        EXPECT_GE(found, 0) << expected << "\n" << text.toStdString();
        if (found >= 0)
            at = found;
    }
    EXPECT_TRUE(text.contains(QStringLiteral("Лист 2 / Листов")));
}
