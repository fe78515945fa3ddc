// vedan-cli follows the conventions of command-line programs: help on standard output with
// status 0, the version, Russian usage on standard error with status 2, negative values taken
// as values, and "-" as standard output for every output file.

#include "core/Units.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QStringList words(const char* text) { return QString::fromUtf8(text).split(QLatin1Char(' ')); }

// Every command of the tool.
const char* const kCommands[] = {"size",     "season",        "substation", "assess",
                                 "template", "questionnaire", "project"};

const char* const kControlValve =
    "size control-valve --inlet 4 --inlet-unit kgf --outlet 2 --outlet-unit kgf --supply 150 "
    "--return 70 --load 0,5 --load-unit gcal --resistance 2 --resistance-unit m";

} // namespace

TEST(CliConventions, HelpGoesToStandardOutputWithStatusZero)
{
    struct Case {
        const char* args;
        const char* starts;
    };
    const Case cases[] = {
        {"--help", "Использование: vedan-cli КОМАНДА"},
        {"-h", "Использование: vedan-cli КОМАНДА"},
        {"size --help", "Использование: vedan-cli size hydroelevator"},
        {"size -h", "Использование: vedan-cli size hydroelevator"},
        {"assess --help", "Использование: vedan-cli assess"},
        {"template -h", "Использование: vedan-cli template"},
        {"questionnaire --help", "Использование: vedan-cli questionnaire"},
        // Help wins over whatever else is on the line.
        {"size hydroelevator --inlet 4 --help", "Использование: vedan-cli size"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const CliRun run = runCli(words(c.args));
        EXPECT_EQ(run.status, 0);
        EXPECT_TRUE(run.text().startsWith(QString::fromUtf8(c.starts))) << run.text().toStdString();
        EXPECT_TRUE(run.text().contains(QStringLiteral("--help")));
        EXPECT_EQ(run.err, QString());
    }
}

TEST(CliConventions, VersionAndUsage)
{
    const CliRun version = runCli({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.text(), QStringLiteral("vedan-cli 2.03\n"));

    const char* const wrong[] = {"",
                                 "boil",
                                 "--colour",
                                 "size",
                                 "size boiler",
                                 "size hydroelevator --inlet",
                                 "assess --system heating"};
    for (const char* args : wrong) {
        SCOPED_TRACE(args);
        const CliRun run = runCli(*args ? words(args) : QStringList());
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_TRUE(run.err.contains(QStringLiteral("Использование:\n  vedan-cli size")))
            << run.err.toStdString();
    }
}

// The tool's help lists every command and every exit status, and the usage after a wrong
// option shows every command; each command listed answers its own --help.
TEST(CliConventions, HelpAndUsageNameEveryCommand)
{
    const CliRun help = runCli({QStringLiteral("--help")});
    ASSERT_EQ(help.status, 0);
    const QString commands = help.text().section(QStringLiteral("Команды:\n"), 1);
    const CliRun usage = runCli({QStringLiteral("--colour")});
    ASSERT_EQ(usage.status, 2);
    for (const char* command : kCommands) {
        SCOPED_TRACE(command);
        const QString name = QString::fromLatin1(command);
        EXPECT_TRUE(commands.contains(QRegularExpression(QStringLiteral("^  %1 ").arg(name),
                                                         QRegularExpression::MultilineOption)))
            << help.text().toStdString();
        EXPECT_TRUE(usage.err.contains(QStringLiteral("\n  vedan-cli ") + name))
            << usage.err.toStdString();
    }
    // No command listed that the tool does not run.
    const QRegularExpression listed(QStringLiteral("^  ([a-z]+) "),
                                    QRegularExpression::MultilineOption);
    int count = 0;
    for (auto it = listed.globalMatch(commands.section(QStringLiteral("\n\n"), 0, 0)); it.hasNext();
         ++count)
        EXPECT_EQ(runCli({it.next().captured(1), QStringLiteral("--help")}).status, 0);
    EXPECT_EQ(count, std::size(kCommands));
    for (const char* status : {"0 ", "1 ", "2 ", "3 "})
        EXPECT_TRUE(help.text().contains(QStringLiteral("завершения: ")
                                         + QString::fromLatin1(status).trimmed())
                    || help.text().contains(QStringLiteral(", ") + QString::fromLatin1(status)))
            << status;
}

// A negative value after an option is the option's value: the sizing gets it as typed and stops
// where the window would, never with a usage error.
TEST(CliConventions, NegativeValuesAreValues)
{
    struct Case {
        const char* resistance;
        int lines;
    };
    const Case cases[] = {{"-1", 3}, {"-0,5", 3}, {"--resistance=-1", 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.resistance);
        QStringList args = words(
            "size hydroelevator --inlet 4 --inlet-unit kgf --outlet 3,8 --outlet-unit kgf "
            "--supply 115 --return 70 --load 0,08 --load-unit gcal --resistance-unit m --json");
        if (QString::fromUtf8(c.resistance).startsWith(QStringLiteral("--")))
            args << QString::fromUtf8(c.resistance);
        else
            args << QStringLiteral("--resistance") << QString::fromUtf8(c.resistance);
        const CliRun run = runCli(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, QStringLiteral("Неправильный ввод данных.!!!\n"));
        const QJsonObject json = QJsonDocument::fromJson(run.out).object();
        EXPECT_EQ(json[QStringLiteral("lines")].toArray().size(), c.lines);
    }
}

TEST(CliConventions, DashIsStandardOutputForEveryOutputFile)
{
    struct Case {
        const char* option;
        QByteArray starts;
    };
    const Case cases[] = {{"--xlsx", "PK\x03\x04"}, {"--pdf", "%PDF-"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        const CliRun run =
            runCli(words(kControlValve) << QString::fromUtf8(c.option) << QStringLiteral("-"));
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.startsWith(c.starts)) << run.out.left(16).toHex().toStdString();
        EXPECT_EQ(run.err, QString());
    }
}

// The manual page and the bash completion know every command and every option that the help of
// each command lists.
TEST(Conventions, TheManualPageAndTheCompletionCoverEveryOption)
{
    const QString resources =
        qEnvironmentVariable("VEDAN_TESTS_DIR") + QStringLiteral("/../resources");
    QFile manual(resources + QStringLiteral("/man/vedan-cli.1"));
    QFile completion(resources + QStringLiteral("/completion/vedan-cli"));
    ASSERT_TRUE(manual.open(QIODevice::ReadOnly));
    ASSERT_TRUE(completion.open(QIODevice::ReadOnly));
    // The manual page writes a dash as "\-".
    const QString man = QString::fromUtf8(manual.readAll()).replace(QStringLiteral("\\-"), "-");
    const QString bash = QString::fromUtf8(completion.readAll());
    const QRegularExpression option(QStringLiteral("^\\s+(?:-\\w, )?(--[a-z][a-z-]*)"),
                                    QRegularExpression::MultilineOption);
    for (const char* command : kCommands) {
        SCOPED_TRACE(command);
        const QString name = QString::fromLatin1(command);
        EXPECT_TRUE(man.contains(QStringLiteral("vedan-cli ") + name));
        EXPECT_TRUE(bash.contains(QRegularExpression(QStringLiteral("\\b%1\\)").arg(name))));
        const CliRun help = runCli({name, QStringLiteral("--help")});
        ASSERT_EQ(help.status, 0);
        int found = 0;
        for (auto it = option.globalMatch(help.text()); it.hasNext(); ++found) {
            const QString flag = it.next().captured(1);
            EXPECT_TRUE(man.contains(flag)) << flag.toStdString();
            EXPECT_TRUE(bash.contains(flag)) << flag.toStdString();
        }
        EXPECT_GT(found, 1);
    }
}

namespace {

QString resourceText(const QString& path)
{
    QFile file(qEnvironmentVariable("VEDAN_TESTS_DIR") + QStringLiteral("/../resources/") + path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QStringList wordsOf(const QString& text)
{
    return text.split(QRegularExpression(QStringLiteral("[\\s|]+")), Qt::SkipEmptyParts);
}

} // namespace

// The manual page's synopsis and the bash completion offer each unit option exactly the units of
// its choice, by their command-line names, in the order of the table.
TEST(Conventions, TheManualPageAndTheCompletionOfferExactlyTheUnitsOfEachChoice)
{
    const QString man = resourceText(QStringLiteral("man/vedan-cli.1")).replace("\\-", "-");
    const QString bash = resourceText(QStringLiteral("completion/vedan-cli"));
    ASSERT_FALSE(man.isEmpty());
    ASSERT_FALSE(bash.isEmpty());
    struct Case {
        const char* option;
        QStringList tokens;
    };
    const Case cases[] = {
        {"--inlet-unit", units::tokens(units::kPressureUnits)},
        {"--outlet-unit", units::tokens(units::kPressureUnits)},
        {"--load-unit", units::tokens(units::kLoadUnits)},
        {"--resistance-unit", units::tokens(units::kHeadUnits)},
    };
    // ".B --inlet-unit" then ".BR bar | mpa | kgf", or ".B --resistance-unit m" on one line.
    const QRegularExpression synopsis(
        QStringLiteral("^\\.B (--[a-z-]+)( [^\\n]*)?\\n(\\.BR [^\\n]*)?"),
        QRegularExpression::MultilineOption);
    // "--inlet-unit | --outlet-unit)" then "COMPREPLY=($(compgen -W 'bar mpa kgf' ...".
    const QRegularExpression branch(
        QStringLiteral("^\\s*([^\\n()]+)\\)\\s*\\n\\s*COMPREPLY=\\(\\$\\(compgen -W '([^']*)'"),
        QRegularExpression::MultilineOption);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        const QString option = QString::fromLatin1(c.option);
        QList<QStringList> inMan;
        for (auto it = synopsis.globalMatch(man); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            if (m.captured(1) == option)
                inMan << wordsOf(m.captured(2).isEmpty()
                                     ? QString(m.captured(3)).remove(QStringLiteral(".BR "))
                                     : m.captured(2));
        }
        EXPECT_EQ(inMan, QList<QStringList>{c.tokens});
        QList<QStringList> inBash;
        for (auto it = branch.globalMatch(bash); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            if (wordsOf(m.captured(1)).contains(option))
                inBash << wordsOf(m.captured(2));
        }
        EXPECT_EQ(inBash, QList<QStringList>{c.tokens});
    }
}
