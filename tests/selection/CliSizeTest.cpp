// vedan-cli size: exit statuses, the window's messages on standard error, the report file.

#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"
#include "tests/support/WorkbookReader.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

CliRun runSize(const QStringList& args)
{
    return runCli(QStringList{QStringLiteral("size")} + args);
}

QStringList complete(const char* kind)
{
    return QString::fromUtf8(kind).split(QLatin1Char(' '))
           + QStringLiteral(
                 "--inlet 4 --inlet-unit kgf --outlet 3,8 --outlet-unit kgf --supply 115 "
                 "--return 70 --load 0,08 --load-unit gcal --resistance 1 --resistance-unit m")
                 .split(QLatin1Char(' '));
}

} // namespace

TEST(CliSize, WrongKindOptionOrValueIsAUsageError)
{
    const QStringList cases[] = {
        {},
        {QStringLiteral("boiler")},
        complete("hydroelevator") << QStringLiteral("--colour") << QStringLiteral("red"),
        complete("regulator") << QStringLiteral("--series") << QStringLiteral("4"),
        complete("hydroelevator") << QStringLiteral("--inlet") << QStringLiteral("5"),
        complete("hydroelevator") << QStringLiteral("--xlsx"),
        QStringList{QStringLiteral("hydroelevator"), QStringLiteral("--load-unit"),
                    QStringLiteral("kw")},
    };
    for (const QStringList& args : cases) {
        const CliRun r = runSize(args);
        EXPECT_EQ(r.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_TRUE(r.err.contains(QStringLiteral("Использование:")));
    }
}

TEST(CliSize, MissingInputsGiveTheWindowsMessages)
{
    struct Case {
        QStringList args;
        const char* message;
    };
    QStringList noLoadText = complete("control-valve");
    noLoadText.remove(noLoadText.indexOf(QStringLiteral("--load")), 2);
    QStringList noResistanceUnit = complete("control-valve");
    noResistanceUnit.remove(noResistanceUnit.indexOf(QStringLiteral("--resistance-unit")), 2);
    const Case cases[] = {
        {noLoadText, "Неправильный ввод данных. Дробные числа вводяться через запятую!!!"},
        {noResistanceUnit, "Выберите величину сопротивления системы"},
        {complete("regulator") << QStringLiteral("--series") << QStringLiteral("1"),
         "Выбраны не все параметры!"},
    };
    for (const Case& c : cases) {
        const CliRun r = runSize(c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.text(), QString());
        EXPECT_EQ(r.err, QString::fromUtf8(c.message) + QLatin1Char('\n'));
    }
    const CliRun ok =
        runSize(complete("regulator") << QStringLiteral("--series") << QStringLiteral("1")
                                      << QStringLiteral("--range") << QStringLiteral("1"));
    EXPECT_EQ(ok.status, 0);
    EXPECT_TRUE(ok.text().endsWith(QStringLiteral("\n\nВам подходит ЖМ-32.10.1.1 Kvy= 10,00\n")));
}

TEST(CliSize, WritesTheReportAlsoAfterAMessage)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("out.xlsx"));
    QStringList args = complete("hydroelevator");
    args.remove(args.indexOf(QStringLiteral("--inlet-unit")), 2);
    const CliRun r = runSize(args << QStringLiteral("--xlsx") << file);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, QStringLiteral("Выберите величину измерения давления\n"));

    const QString json = QString::fromUtf8(QJsonDocument(readFirstSheet(file)).toJson());
    EXPECT_TRUE(json.contains(QStringLiteral("\"Регулирующий гидроэлеватор\"")));
    EXPECT_TRUE(json.contains(QStringLiteral("\"Выберите величину\"")));
    EXPECT_TRUE(json.contains(QStringLiteral("\"Подбор ЭЖ\"")));
}
