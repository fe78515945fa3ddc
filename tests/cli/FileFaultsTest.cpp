// What the tool does when its files or its standard output fail it: a full or closed standard
// output, outputs that would destroy an input or each other, a workbook cut short by a full disk,
// a target the user may not write, and a link planted in a shared folder.

#include "tests/support/CliCases.h"
#include "tests/support/Files.h"
#include "tests/support/PlainUser.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

using clicases::kBatchHeader;
using clicases::kBatchRow;
using clicases::kValve;

class FileFaults : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        writeFile(path("in.csv"), kBatchHeader + kBatchRow);
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList staging() const { return entries(m_dir.path()).filter(".vedan-"); }

    QTemporaryDir m_dir;
};

} // namespace

// A failed standard output is one message with the system's reason (the first write that
// failed), never a second one, and never the bare "Ошибка ввода-вывода" of a reason lost.
TEST_F(FileFaults, AFailedStandardOutputIsAnError)
{
    const QString full = QStringLiteral("На устройстве не осталось свободного места");
    const QString closed = QStringLiteral("Неправильный дескриптор файла");
    struct Case {
        const char* what;
        QStringList args;
        RunSettings settings;
        QString reason;
    };
    const Case cases[] = {
        {"--json to a full disk",
         kValve + QStringList{"--json"},
         {.standardOutputFile = "/dev/full"},
         full},
        {"the listing to a full disk", kValve, {.standardOutputFile = "/dev/full"}, full},
        {"--checks to a closed output",
         kValve + QStringList{"--checks"},
         {.closedStandardOutput = true},
         closed},
        {"the batch to a full disk",
         {"size", "--batch", path("in.csv")},
         {.standardOutputFile = "/dev/full"},
         full},
        {"--xlsx - to a full disk",
         kValve + QStringList{"--xlsx", "-"},
         {.standardOutputFile = "/dev/full"},
         full},
        {"--version to a closed output", {"--version"}, {.closedStandardOutput = true}, closed},
        {"--help to a full disk", {"--help"}, {.standardOutputFile = "/dev/full"}, full},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CliRun run = runCli(c.args, c.settings);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains("стандартный вывод")) << run.err.toStdString();
        EXPECT_TRUE(run.err.endsWith(c.reason + '\n')) << run.err.toStdString();
        EXPECT_EQ(run.err.count('\n'), 1) << run.err.toStdString();
    }
    EXPECT_TRUE(staging().isEmpty());
}

TEST_F(FileFaults, AnOutputThatWouldDestroyAnInputOrAnotherOutputIsRefused)
{
    writeFile(path("answers.json"), R"({"Edit1": "x"})");
    writeFile(path("book.xlsx"), "an older book");
    ASSERT_TRUE(QFile::link(path("in.csv"), path("link.csv")));
    struct Case {
        const char* what;
        QStringList args;
        const char* named; // part of the message
    };
    const Case cases[] = {
        {"batch over its input",
         {"size", "--batch", path("in.csv"), "--out", path("in.csv")},
         "--batch"},
        {"batch over its input by another name",
         {"size", "--batch", path("in.csv"), "--out", m_dir.path() + "/./in.csv"},
         "--batch"},
        {"batch over its input through a link",
         {"size", "--batch", path("in.csv"), "--out", path("link.csv")},
         "--batch"},
        {"a workbook and a sheet in one file",
         kValve + QStringList{"--xlsx", path("book.xlsx"), "--pdf", path("book.xlsx")}, "--xlsx"},
        {"a workbook and a sheet in one new file",
         kValve + QStringList{"--xlsx", path("new.x"), "--pdf", m_dir.path() + "//new.x"},
         "--xlsx"},
        {"a workbook and a sheet both to standard output",
         kValve + QStringList{"--xlsx", "-", "--pdf", "-"}, "стандартный вывод"},
        {"a questionnaire over its answers",
         {"questionnaire", "itp", "--answers", path("answers.json"), "--xlsx",
          path("answers.json")},
         "--answers"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.named))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_EQ(readAll(path("in.csv")), kBatchHeader + kBatchRow);
    EXPECT_EQ(readAll(path("answers.json")), R"({"Edit1": "x"})");
    EXPECT_EQ(readAll(path("book.xlsx")), "an older book");
    EXPECT_EQ(entries(m_dir.path()),
              (QStringList{"answers.json", "book.xlsx", "in.csv", "link.csv"}));
}

// The writer's temporary sheet is cut short by the file-size limit while the package itself
// still fits: such a workbook is never moved over a good one.
TEST_F(FileFaults, AWorkbookCutShortNeverReplacesAGoodOne)
{
    writeFile(path("big.csv"), kBatchHeader + kBatchRow.repeated(300));
    const CliRun good = runCli({"size", "--batch", path("big.csv"), "--out", path("good.xlsx")});
    ASSERT_EQ(good.status, 0) << good.err.toStdString();
    const QByteArray goodBytes = readAll(path("good.xlsx"));
    for (const long limit : {8 * 1024L, 32 * 1024L, 96 * 1024L}) {
        SCOPED_TRACE(limit);
        const CliRun run = runCli({"size", "--batch", path("big.csv"), "--out", path("good.xlsx")},
                                  {.fileSizeLimit = limit});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(path("good.xlsx"))) << run.err.toStdString();
        EXPECT_EQ(readAll(path("good.xlsx")), goodBytes);
        EXPECT_TRUE(staging().isEmpty());
    }
}

TEST_F(FileFaults, AWriteProtectedTargetIsKept)
{
    const QString shared = path("shared");
    ASSERT_TRUE(QDir().mkpath(shared));
    chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
    chmod(QFile::encodeName(shared).constData(), 0777);
    chmod(QFile::encodeName(path("in.csv")).constData(), 0644);
    const struct {
        const char* option;
        const char* name;
        QStringList args;
    } cases[] = {
        {"--xlsx", "ro.xlsx", kValve},
        {"--pdf", "ro.pdf", kValve},
        {"--out", "ro.csv", {"size", "--batch", path("in.csv")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        const QString target = shared + '/' + c.name;
        writeFile(target, "keep");
        chmod(QFile::encodeName(target).constData(), 0444);
        const CliRun run = runCli(c.args + QStringList{c.option, target}, {.asPlainUser = true});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains("защищён от записи")) << run.err.toStdString();
        EXPECT_EQ(readAll(target), "keep");
    }
    EXPECT_EQ(entries(shared), (QStringList{"ro.csv", "ro.pdf", "ro.xlsx"}));
}

TEST_F(FileFaults, ALinkPlantedByAnotherUserInASharedFolderIsNotFollowed)
{
    if (!isSuperuser())
        GTEST_SKIP() << "only the superuser can make a link of another user";
    const QString shared = path("tmp");
    ASSERT_TRUE(QDir().mkpath(shared));
    chmod(QFile::encodeName(shared).constData(), 01777);
    writeFile(path("victim"), "precious");
    const struct {
        const char* option;
        QStringList args;
    } cases[] = {
        {"--xlsx", kValve},
        {"--pdf", kValve},
        {"--out", {"size", "--batch", path("in.csv")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        const QString link = shared + "/out.csv";
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(path("victim"), link));
        ASSERT_EQ(lchown(QFile::encodeName(link).constData(), kOtherUser, kOtherGroup), 0);
        const CliRun run = runCli(c.args + QStringList{c.option, link});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains("Отказано в доступе")) << run.err.toStdString();
        EXPECT_EQ(readAll(path("victim")), "precious");
    }
}

// The exit status of each file fault: 1 for a file that cannot be read or written, with a
// message naming it, and nothing left behind.
TEST_F(FileFaults, EveryFileFaultEndsWithStatusOneAndNamesTheFile)
{
    ASSERT_TRUE(QDir().mkpath(path("folder")));
    const struct {
        const char* what;
        QStringList args;
        QString named;
    } cases[] = {
        {"a missing batch table", {"size", "--batch", path("none.csv")}, path("none.csv")},
        {"a folder as the batch table", {"size", "--batch", path("folder")}, path("folder")},
        {"a missing template", {"assess", path("none.teo"), "--system", "both"}, path("none.teo")},
        {"a workbook into a missing folder",
         kValve + QStringList{"--xlsx", path("no/such/book.xlsx")}, path("no/such/book.xlsx")},
        {"a sheet into a missing folder", kValve + QStringList{"--pdf", path("no/such/s.pdf")},
         path("no/such/s.pdf")},
        {"a batch into a missing folder",
         {"size", "--batch", path("in.csv"), "--out", path("no/such/out.json")},
         path("no/such/out.json")},
        {"a workbook over a folder", kValve + QStringList{"--xlsx", path("folder")},
         path("folder")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const CliRun run = runCli(c.args);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(c.named)) << run.err.toStdString();
    }
    EXPECT_EQ(entries(m_dir.path()), (QStringList{"folder", "in.csv"}));
    EXPECT_TRUE(entries(path("folder")).isEmpty());
}
