// vedan-cli at the limits of the system and with hostile names: threads it may not make, the
// file-size limit with its signal, standard output redirected into an input, a dangling link as
// one of two outputs, names that hold a line break, and the order in which a saved file and its
// folder reach the disk.

#include "tests/support/CliCases.h"
#include "tests/support/Files.h"
#include "tests/support/PlainUser.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sched.h>
#include <sys/stat.h>

namespace {

using clicases::kBatchHeader;
using clicases::kBatchRow;
using clicases::kValve;

const QStringList kSeason =
    QStringLiteral("season hydroelevator --inlet 6 --inlet-unit kgf --outlet 4 --outlet-unit kgf "
                   "--supply 150 --return 70 --load 0,5 --load-unit gcal --resistance 1 "
                   "--resistance-unit m --outdoor-design -25")
        .split(QLatin1Char(' '));

// Four blocks of rows, so that every thread has work.
const QByteArray kBatch = kBatchHeader + kBatchRow.repeated(1000);

int coresWeMayUse()
{
    cpu_set_t set;
    return ::sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 1;
}

// The run with the call-logging library preloaded, its calls logged to `log`.
RunSettings logged(const QString& log, RunSettings settings = {})
{
    const QString asan = qEnvironmentVariable("ASAN_OPTIONS");
    settings.environment << QStringLiteral("LD_PRELOAD=" VEDAN_CALL_LOG_LIBRARY)
                         << QStringLiteral("VEDAN_CALL_LOG=") + log
                         // The sanitizers' runtime would refuse to come after the library.
                         << QStringLiteral("ASAN_OPTIONS=") + asan + (asan.isEmpty() ? "" : ":")
                                + QStringLiteral("verify_asan_link_order=0");
    return settings;
}

class Limits : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_root = QDir(m_dir.path()).canonicalPath();
        write(path("in.csv"), kBatch);
    }
    QString path(const QString& name) const { return m_root + QLatin1Char('/') + name; }
    QStringList staging() const { return entries(m_root).filter(QStringLiteral(".vedan-")); }
    static void write(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    // The calls the program logged, one a line; the log is emptied for the next run.
    QStringList calls(const QStringList& args, const RunSettings& settings = {})
    {
        const QString log = path(QStringLiteral("calls.log"));
        QFile::remove(log);
        const CliRun run = runCli(args, logged(log, settings));
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        const QStringList lines = QString::fromUtf8(readAll(log)).split('\n', Qt::SkipEmptyParts);
        QFile::remove(log);
        return lines;
    }

    // Each file the tool saves, as the option that names it: the batch's table and workbook, the
    // report, the calculation sheet and the season's table.
    struct Output {
        const char* what;
        QString target;
        QStringList args;
    };
    std::vector<Output> everyOutput() const
    {
        const QStringList batch = {"size", "--batch", path("in.csv"), "--out"};
        return {
            {"a batch table", path("out.csv"), batch},
            {"a batch workbook", path("out.xlsx"), batch},
            {"a report", path("report.xlsx"), kValve + QStringList{"--xlsx"}},
            {"a calculation sheet", path("sheet.pdf"), kValve + QStringList{"--pdf"}},
            {"a season", path("season.json"), kSeason + QStringList{"--out"}},
        };
    }

    QTemporaryDir m_dir;
    QString m_root;
};

} // namespace

// "ulimit -u": where the system makes no more threads, the batch is sized on those it made, down
// to this thread alone, and the output is what an unhindered run writes. The superuser is exempt
// from the limit, so the tool runs as the plain user.
TEST_F(Limits, ABatchIsSizedOnTheThreadsTheSystemLetsItMake)
{
    if (coresWeMayUse() < 2)
        GTEST_SKIP() << "on one core the batch makes no thread";
    const QString shared = path(QStringLiteral("shared"));
    ASSERT_TRUE(QDir().mkpath(shared));
    ::chmod(QFile::encodeName(m_root).constData(), 0755);
    ::chmod(QFile::encodeName(shared).constData(), 0777);
    ::chmod(QFile::encodeName(path("in.csv")).constData(), 0644);
    const CliRun reference = runCli({"size", "--batch", path("in.csv")});
    ASSERT_EQ(reference.status, 0);
    struct Case {
        const char* what;
        long processes;
    };
    const Case cases[] = {{"no thread can be made", 1}, {"one thread can be made", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString out = shared + QStringLiteral("/out.csv");
        const CliRun run = runCli({"size", "--batch", path("in.csv"), "--out", out},
                                  {.processLimit = c.processes, .asPlainUser = true});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(readAll(out).mid(3), reference.out); // after the byte-order mark
        EXPECT_TRUE(entries(shared).filter(QStringLiteral(".vedan-")).isEmpty());
    }
}

// VEDAN_BATCH_THREADS, and the default of every core, never make more threads than the cores
// the process may run on (taskset, a container's CPU set).
TEST_F(Limits, BatchThreadsAreCappedAtTheCoresTheProcessMayUse)
{
    if (coresWeMayUse() < 2)
        GTEST_SKIP() << "the cases need two cores";
    const QStringList batch = {"size", "--batch", path("in.csv"), "--out", path("out.csv")};
    const qsizetype alone =
        calls(batch, {.environment = {"VEDAN_BATCH_THREADS=1"}}).count(QStringLiteral("thread"));
    struct Case {
        const char* what;
        int cores;
        const char* asked; // VEDAN_BATCH_THREADS
        int threads;       // made beyond those of a run on one thread
    };
    const Case cases[] = {
        {"eight asked on one core", 1, "VEDAN_BATCH_THREADS=8", 0},
        {"every core of one", 1, "VEDAN_BATCH_THREADS", 0},
        {"eight asked on two cores", 2, "VEDAN_BATCH_THREADS=8", 2},
        {"two asked on two cores", 2, "VEDAN_BATCH_THREADS=2", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QStringList log = calls(batch, {.environment = {c.asked}, .cores = c.cores});
        EXPECT_EQ(log.count(QStringLiteral("thread")), alone + c.threads);
    }
}

// "ulimit -f" as a shell leaves it, with SIGXFSZ at its default action: a write past the limit
// fails, and the tool says so (status 1), keeps the old file and removes its staging folder,
// instead of being ended by the signal half-way.
TEST_F(Limits, TheFileSizeLimitEndsInAMessageNotASignal)
{
    for (const Output& c : everyOutput()) {
        SCOPED_TRACE(c.what);
        write(c.target, "old");
        const CliRun run =
            runCli(c.args + QStringList{c.target}, {.fileSizeLimit = 2048, .fileSizeSignal = true});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(c.target)) << run.err.toStdString();
        EXPECT_EQ(readAll(c.target), "old");
        EXPECT_TRUE(staging().isEmpty()) << staging().join(' ').toStdString();
    }
}

// As cat refuses "cat in >> in": a command never reads a file that its standard output writes
// into, so that it neither reads its own output back nor loses the input.
TEST_F(Limits, StandardOutputIntoAnInputIsRefused)
{
    write(path("t.teo"), "template");
    write(path("answers.json"), R"({"Edit1": "x"})");
    ASSERT_TRUE(QFile::link(path("in.csv"), path("link.csv")));
    const struct {
        const char* what;
        QStringList args;
        QString output;
    } cases[] = {
        {"a batch", {"size", "--batch", path("in.csv")}, path("in.csv")},
        {"a batch into its input's link", {"size", "--batch", path("in.csv")}, path("link.csv")},
        {"a batch with --out",
         {"size", "--batch", path("link.csv"), "--out", "x.csv"},
         path("in.csv")},
        {"a template", {"template", path("t.teo")}, path("t.teo")},
        {"an assessment", {"assess", path("t.teo"), "--system", "both"}, path("t.teo")},
        {"a questionnaire's answers",
         {"questionnaire", "itp", "--answers", path("answers.json"), "--xlsx", path("q.xlsx")},
         path("answers.json")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        // Reading its own output back, a tool would run until the disk is full: the file-size
        // limit stops it first.
        const CliRun run = runCli(c.args, {.workingDirectory = m_root,
                                           .standardOutputFile = c.output,
                                           .appendStandardOutput = true,
                                           .fileSizeLimit = 4L << 20});
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("стандартный вывод"))) << run.err.toStdString();
    }
    EXPECT_EQ(readAll(path("in.csv")), kBatch);
    EXPECT_EQ(readAll(path("t.teo")), "template");
    EXPECT_EQ(readAll(path("answers.json")), R"({"Edit1": "x"})");
    EXPECT_EQ(entries(m_root), (QStringList{"answers.json", "in.csv", "link.csv", "t.teo"}));
}

// A link whose target is not made yet names its target's file: it and the target's own name as
// two outputs would write one file.
TEST_F(Limits, ADanglingLinkAndItsTargetAreOneOutput)
{
    ASSERT_TRUE(QFile::link(QStringLiteral("new.csv"), path("dangling.csv")));
    ASSERT_TRUE(QFile::link(path("dangling.csv"), path("chain.csv")));
    const struct {
        const char* what;
        QStringList args;
    } cases[] = {
        {"--xlsx the link, --pdf the target",
         kValve + QStringList{"--xlsx", path("dangling.csv"), "--pdf", path("new.csv")}},
        {"--xlsx the target, --pdf the link",
         kValve + QStringList{"--xlsx", path("new.csv"), "--pdf", path("dangling.csv")}},
        {"a link to the link", kValve
                                   + QStringList{"--xlsx", path("chain.csv"), "--pdf",
                                                 m_root + QStringLiteral("/./new.csv")}},
        {"season --out and --pdf",
         kSeason + QStringList{"--out", path("dangling.csv"), "--pdf", path("new.csv")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QStringLiteral("тот же файл"))) << run.err.toStdString();
        EXPECT_FALSE(QFile::remove(path("new.csv")));
    }
    EXPECT_EQ(entries(m_root), (QStringList{"chain.csv", "dangling.csv", "in.csv"}));
}

// A file name in a message is shown as the listings show it: a line break as \u000a, so that a
// name cannot add a line of its own to what the tool says.
TEST_F(Limits, ANameInAMessageCannotAddALine)
{
    const QString name = path(QStringLiteral("нет/x\nФАЛЬШИВАЯ СТРОКА"));
    const struct {
        const char* what;
        QStringList args;
    } cases[] = {
        {"--out", {"size", "--batch", path("in.csv"), "--out", name + ".csv"}},
        {"--batch", {"size", "--batch", name + ".csv"}},
        {"--xlsx", kValve + QStringList{"--xlsx", name + ".xlsx"}},
        {"--pdf", kValve + QStringList{"--pdf", name + ".pdf"}},
        {"template", {"template", name + ".teo"}},
        {"assess", {"assess", name + ".teo", "--system", "both"}},
        {"--answers", {"questionnaire", "itp", "--answers", name + ".json", "--xlsx", "-"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CliRun run = runCli(c.args);
        EXPECT_NE(run.status, 0);
        EXPECT_TRUE(run.err.contains(QStringLiteral("x\\u000aФАЛЬШИВАЯ"))) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("\nФАЛЬШИВАЯ")));
    }
}

// A text option that is not UTF-8 is named as the option it is, not as a file name.
TEST_F(Limits, ATextOptionThatIsNotUtf8IsNamed)
{
    QStringList args = {QStringLiteral("-c"),
                        QStringLiteral("exec \"$@\" --object \"$(printf '\\377')\""),
                        QStringLiteral("sh"), qEnvironmentVariable("VEDAN_CLI")};
    const CliRun run = runProgram(QStringLiteral("/bin/sh"), args + kValve);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("«\\xff» параметра --object")))
        << run.err.toStdString();
    EXPECT_FALSE(run.err.contains(QStringLiteral("имена файлов")));
    EXPECT_TRUE(run.out.isEmpty());
}

// Every saved file reaches the disk before it takes the target's name, and the folder that holds
// the new name after: a power cut leaves the old file or the new one, never an empty one.
TEST_F(Limits, ASavedFileIsSyncedBeforeItsRenameAndItsFolderAfter)
{
    for (const Output& c : everyOutput()) {
        SCOPED_TRACE(c.what);
        const QStringList log = calls(c.args + QStringList{c.target});
        const auto renamed = std::find_if(log.begin(), log.end(), [&](const QString& line) {
            return line.startsWith(QStringLiteral("rename ")) && line.endsWith(' ' + c.target);
        });
        ASSERT_NE(renamed, log.end()) << log.join('\n').toStdString();
        const QString staged = renamed->section(' ', 1, 1);
        EXPECT_NE(std::find(log.begin(), renamed, QStringLiteral("fsync ") + staged), renamed)
            << log.join('\n').toStdString();
        EXPECT_NE(std::find(renamed, log.end(), QStringLiteral("fsync ") + m_root), log.end())
            << log.join('\n').toStdString();
    }
}
