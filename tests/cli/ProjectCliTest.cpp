// Projects on the command line: a project written by `project new` stands for the options it was
// written from in size, season and substation, an option beside it wins, and a project file that
// is broken, foreign or hostile stops the command with its name before anything is written.

#include "tests/support/Files.h"
#include "tests/support/PlainUser.h"
#include "tests/support/RunProgram.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QStringList words(const char* line) { return QString::fromUtf8(line).split(QLatin1Char(' ')); }

const QStringList kInputs = words(
    "--inlet 9 --inlet-unit kgf --outlet 3 --outlet-unit kgf --supply 115 --return 70 --load 0,18 "
    "--load-unit gcal --resistance 2 --resistance-unit m");

class ProjectCli : public ::testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.path() + '/' + name; }
    // `project new` with the arguments; the project's path.
    QString newProject(const QStringList& args, const QString& name = QStringLiteral("p.vedan"))
    {
        const CliRun run =
            runCli(QStringList{"project", "new"} + args + QStringList{"--out", path(name)});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        return path(name);
    }
    void write(const QString& name, const QByteArray& bytes) const
    {
        ASSERT_TRUE(writeFile(path(name), bytes));
    }
    QTemporaryDir m_dir;
};

// Each command given its options, and given a project written from the same options: the same
// output. `project` holds what `project new` takes after the kind, `given` what the command takes.
TEST_F(ProjectCli, AProjectStandsForTheOptionsItWasWrittenFrom)
{
    const struct {
        const char* name;
        QStringList project;
        QStringList given;
    } rows[] = {
        {"size", words("control-valve --object Школа"),
         words("size control-valve --checks --json --object Школа")},
        {"size of a regulator", words("regulator --series 2 --range 3"),
         words("size regulator --series 2 --range 3 --checks")},
        {"season", words("hydroelevator --outdoor-design -26 --indoor 20 --step 5"),
         words("season hydroelevator --outdoor-design -26 --indoor 20 --step 5 --json")},
        {"substation", words("control-valve --scheme valve --other-losses 5 --substation-range 2"),
         words("substation valve --other-losses 5 --range 2 --json")},
        {"substation by the kind's scheme", words("regulator --range 3"),
         words("substation regulator --json")},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const QString p = newProject(QStringList{r.project.front()} + kInputs + r.project.mid(1));
        const CliRun given = runCli(r.given.mid(0, 2) + kInputs + r.given.mid(2));
        QStringList fromProject = {r.given.front(), "--project", p};
        for (const QString& a : r.given.mid(2))
            if (a == QLatin1String("--json") || a == QLatin1String("--checks"))
                fromProject << a;
        const CliRun opened = runCli(fromProject);
        ASSERT_EQ(given.status, 0) << given.err.toStdString();
        EXPECT_EQ(opened.status, given.status) << opened.err.toStdString();
        EXPECT_EQ(opened.out, given.out);
    }
}

TEST_F(ProjectCli, AnOptionBesideTheProjectWins)
{
    const QString p = newProject(QStringList{"control-valve"} + kInputs);
    const CliRun opened = runCli({"size", "--project", p, "--load", "0,3", "--json"});
    QStringList given = QStringList{"size", "control-valve"} + kInputs + QStringList{"--json"};
    given[given.indexOf("--load") + 1] = "0,3";
    EXPECT_EQ(opened.out, runCli(given).out);
    EXPECT_EQ(runCli({"size", "hydroelevator", "--project", p}).out,
              runCli(QStringList{"size", "hydroelevator"} + kInputs).out);
}

// A batch row that names a project (a path from the table's folder) is the row of the project's
// inputs, its own cells winning; a project that cannot be read refuses its row alone.
TEST_F(ProjectCli, ABatchRowTakesItsProject)
{
    ASSERT_TRUE(QDir().mkpath(path("sub")));
    newProject(QStringList{"control-valve"} + kInputs + words("--scheme valve --other-losses 5"),
               "sub/p.vedan");
    const struct {
        const char* command;
        const char* firstColumn;
        const char* value;
    } rows[] = {{"size", "kind", "control-valve"}, {"substation", "scheme", "valve"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.command);
        write("named.csv", "project;load\nsub/p.vedan;\nsub/p.vedan;0,2\nnone.vedan;\n");
        QByteArray given = QByteArray(r.firstColumn)
                           + ";inlet;inlet-unit;outlet;outlet-unit;supply;return;load;load-unit;"
                             "resistance;resistance-unit";
        const QByteArray cells = ";9;kgf;3;kgf;115;70;%1;gcal;2;m";
        const bool substation = QByteArray(r.command) == "substation";
        given += substation ? ";other-losses\n" : "\n";
        for (const char* load : {"0,18", "0,2"})
            given += r.value + QString::fromLatin1(cells).arg(load).toLatin1()
                     + (substation ? ";5\n" : "\n");
        write("given.csv", given);
        const CliRun named = runCli({r.command, "--batch", path("named.csv")});
        const CliRun expected = runCli({r.command, "--batch", path("given.csv")});
        ASSERT_EQ(expected.status, 0) << expected.err.toStdString();
        EXPECT_EQ(named.status, 1);
        const QList<QByteArray> got = named.out.split('\n');
        const QList<QByteArray> want = expected.out.split('\n');
        ASSERT_GE(got.size(), 4);
        for (int i : {1, 2})
            EXPECT_EQ(got[i], want[i]) << i;
        EXPECT_TRUE(QString::fromUtf8(got[3]).contains(path("none.vedan"))) << got[3].toStdString();
    }
}

TEST_F(ProjectCli, ABadProjectStopsTheCommandBeforeAnythingIsWritten)
{
    const QByteArray good = readAll(newProject(QStringList{"control-valve"} + kInputs));
    write("truncated.vedan", good.left(40));
    write("big.vedan", QByteArray(2 << 20, ' '));
    write("cp1251.vedan",
          R"({"vedanProject":1,"kind":"regulator","note":")" + QByteArray("\xEF\xF0") + "\"}");
    write("text.vedan", R"({"vedanProject":1,"kind":"regulator","object":12})");
    write("v2.vedan", R"({"vedanProject":2,"kind":"regulator"})");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.vedan")).constData(), 0600), 0);
    const struct {
        const char* file;
        const char* named;
    } rows[] = {{"truncated.vedan", "обрезан"}, {"big.vedan", "1048576"},
                {"cp1251.vedan", "UTF-8"},      {"text.vedan", "«object»"},
                {"v2.vedan", "версии 2"},       {"fifo.vedan", "именованный канал"}};
    for (const auto& r : rows) {
        SCOPED_TRACE(r.file);
        const CliRun run = runCli({"size", "--project", path(r.file), "--pdf", path("s.pdf")},
                                  {.timeoutMs = 20000});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(path(r.file)) && run.err.contains(QString::fromUtf8(r.named)))
            << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(path("s.pdf")));
    }
    const CliRun bad = runCli(QStringList{"project", "new", "control-valve", "--load", "0,5,1",
                                          "--out", path("bad.vedan")});
    EXPECT_EQ(bad.status, 2);
    EXPECT_TRUE(bad.err.contains("inputs.load.value")) << bad.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("bad.vedan")));
}

TEST_F(ProjectCli, ALinkPlantedByAnotherUserIsNotOpened)
{
    if (!isSuperuser())
        GTEST_SKIP() << "only the superuser can make a link of another user";
    const QString own = newProject(QStringList{"control-valve"} + kInputs);
    const QString shared = path("tmp");
    ASSERT_TRUE(QDir().mkpath(shared));
    ::chmod(QFile::encodeName(shared).constData(), 01777);
    const QString link = shared + QStringLiteral("/p.vedan");
    ASSERT_TRUE(QFile::link(own, link));
    ASSERT_EQ(::lchown(QFile::encodeName(link).constData(), kOtherUser, kOtherGroup), 0);
    const CliRun run = runCli({"size", "--project", link});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("Отказано в доступе")) << run.err.toStdString();
}

} // namespace
