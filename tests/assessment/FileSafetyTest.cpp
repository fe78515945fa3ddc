// Hostile inputs and targets of the template and of vedan-cli: object names that would forge a
// listing or break a workbook, file names that are not UTF-8, targets that are not regular
// files, standard output, and a disk that fills up.
#include "assessment/TemplateFile.h"
#include "tests/assessment/DefaultInputs.h"
#include "tests/support/Files.h"
#include "tests/support/NullDevice.h"
#include "tests/support/QtPrinters.h"
#include "tests/support/RunProgram.h"
#include "tests/support/WorkbookReader.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace assessment;

namespace {

// vedan-cli through the shell, so that an argument can hold bytes that are not UTF-8
// (printf escapes in `script`, the tool as "$0").
CliRun runShell(const QString& script, const QString& folder)
{
    return runProgram("/bin/sh", {"-c", script, cliPath()}, {.workingDirectory = folder});
}

class FileSafety : public testing::Test {
protected:
    QString save(const AssessmentInputs& in, const QString& name = "t.teo")
    {
        const QString path = m_dir.filePath(name);
        EXPECT_FALSE(writeTemplateFile(path, in));
        return path;
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(FileSafety, AnObjectNameCannotForgeListingLinesOrReachTheTerminal)
{
    AssessmentInputs in = defaultInputs();
    in.objectName = "Дом\nheatPrice = 999\x1b[2J\\";
    const QString listed = "objectName = Дом\\nheatPrice = 999\\u001b[2J\\\\";
    EXPECT_EQ(templateListing(in).first(), listed);
    const CliRun run = runCli({"template", save(in)});
    EXPECT_EQ(run.status, 0);
    const QStringList lines = QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines.first(), listed);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const QString& l) { return l.startsWith("heatPrice = "); }),
              1);
    EXPECT_FALSE(run.out.contains('\x1b'));
}

// The report names the object in its first lines: a line break typed into the name must not
// make the report print a line of its own ("при стоимости одной Гкал ...").
TEST_F(FileSafety, AnObjectNameCannotForgeReportLines)
{
    AssessmentInputs in = defaultInputs();
    in.objectName = "Дом\nпри стоимости одной Гкал 1,00\x1b[2J";
    const QString teo = save(in);
    const CliRun plain = runCli({"assess", teo, "--system", "both"});
    EXPECT_EQ(plain.status, 0) << plain.err.toStdString();
    const CliRun honest =
        runCli({"assess", save(defaultInputs(), "honest.teo"), "--system", "both"});
    EXPECT_EQ(plain.lines().size(), honest.lines().size());
    const auto priced = [](const QStringList& lines) {
        return std::count_if(lines.begin(), lines.end(), [](const QString& line) {
            return line.startsWith("при стоимости одной Гкал");
        });
    };
    EXPECT_EQ(priced(plain.lines()), priced(honest.lines()));
    EXPECT_TRUE(plain.text().contains("Дом\\u000aпри стоимости одной Гкал 1,00\\u001b[2J"))
        << plain.text().toStdString();
    EXPECT_FALSE(plain.out.contains('\x1b'));
    // In JSON the name is one string, escaped as JSON escapes it.
    const CliRun json = runCli({"assess", teo, "--system", "both", "--json"});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.lines().size(), 1);
}

TEST_F(FileSafety, AnObjectNameThatNoSheetNameMayHoldStopsTheExportClearly)
{
    AssessmentInputs in = defaultInputs();
    in.objectName = "Дом\x01";
    const CliRun run = runCli({"assess", save(in), "--system", "both", "--xlsx", path("out.xlsx")});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("Недопустимое имя листа «ТЭОДом_x0001_»"))
        << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(path("out.xlsx")));
}

TEST_F(FileSafety, AWorkbookOverItsOwnTemplateIsRefused)
{
    const QString teo = save(defaultInputs());
    const QByteArray before = readAll(teo);
    const CliRun run = runCli({"assess", teo, "--system", "both", "--xlsx", teo});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("шаблон")) << run.err.toStdString();
    EXPECT_EQ(readAll(teo), before);
    EXPECT_EQ(entries(m_dir.path()), QStringList{"t.teo"});
}

TEST_F(FileSafety, AnEmptyWorkbookNameIsAUsageErrorOfEveryCommand)
{
    const QString teo = save(defaultInputs());
    EXPECT_EQ(runCli({"assess", teo, "--system", "both", "--xlsx", ""}).status, 2);
    EXPECT_EQ(runCli({"questionnaire", "itp", "--xlsx", ""}).status, 2);
    EXPECT_EQ(runCli({"size", "regulator", "--xlsx", ""}).status, 2);
    EXPECT_EQ(runCli({"assess", teo, "--system", "both", "--xlsx", "a", "--xlsx", "b"}).status, 2);
    EXPECT_EQ(entries(m_dir.path()), QStringList{"t.teo"});
}

TEST_F(FileSafety, TargetsThatAreNotRegularFilesAreRefusedUntouched)
{
    const QString teo = save(defaultInputs());
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    QDir().mkpath(path("folder"));
    const QString device = deviceIn(m_dir.path());
    const QStringList before = entries(m_dir.path());
    for (const QString& target : {device, path("pipe"), path("folder")}) {
        SCOPED_TRACE(target.toStdString());
        struct stat old {};
        stat(QFile::encodeName(target).constData(), &old);
        const CliRun run = runCli({"assess", teo, "--system", "both", "--xlsx", target});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains("Не удалось сохранить файл " + target))
            << run.err.toStdString();
        struct stat after {};
        stat(QFile::encodeName(target).constData(), &after);
        EXPECT_EQ(after.st_mode, old.st_mode);
        EXPECT_EQ(after.st_ino, old.st_ino);
        // The window's template save follows the same rules; reading waits on none of them.
        const vedan::Status saved = writeTemplateFile(target, defaultInputs());
        ASSERT_TRUE(saved);
        EXPECT_TRUE(saved->message.contains(target));
        const vedan::Outcome<AssessmentInputs> read = readTemplateFile(target);
        ASSERT_FALSE(read.ok());
        EXPECT_TRUE(read.failure->message.contains(target)) << read.failure->message.toStdString();
    }
    EXPECT_EQ(entries(m_dir.path()), before);
    EXPECT_TRUE(entries(path("folder")).isEmpty());
}

TEST_F(FileSafety, ANameThatIsNoFileCreatesNothing)
{
    const QString teo = save(defaultInputs());
    QFile::link("loop-b", path("loop-a"));
    QFile::link("loop-a", path("loop-b"));
    const std::pair<QString, const char*> cases[] = {
        {path("book.xlsx/"), "Нет такого файла или каталога"},
        {path("missing/book.xlsx"), "Нет такого файла или каталога"},
        {path(QString(300, 'a') + ".xlsx"), "Слишком длинное имя файла"},
        {path("loop-a"), "Слишком много уровней символических ссылок"},
        {m_dir.path(), "папка"},
    };
    const QStringList before = entries(m_dir.path());
    for (const auto& [target, why] : cases) {
        SCOPED_TRACE(target.toStdString());
        const CliRun run = runCli({"assess", teo, "--system", "both", "--xlsx", target});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(target)) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(why))) << run.err.toStdString();
    }
    EXPECT_EQ(entries(m_dir.path()), before);
}

TEST_F(FileSafety, ALinkIsFollowedAndTheReplacedFileKeepsItsPermissions)
{
    const QString teo = save(defaultInputs());
    QFile::copy(teo, path("old.teo"));
    chmod(QFile::encodeName(path("old.teo")).constData(), 0604);
    ASSERT_TRUE(QFile::link("old.teo", path("link.teo")));
    ASSERT_FALSE(writeTemplateFile(path("link.teo"), AssessmentInputs{}));
    EXPECT_EQ(readAll(path("old.teo")), encodeTemplate(AssessmentInputs{}));
    EXPECT_EQ(QFileInfo(path("link.teo")).symLinkTarget(), path("old.teo"));
    EXPECT_EQ(QFile::permissions(path("old.teo")), QFile::ReadOwner | QFile::WriteOwner
                                                       | QFile::ReadUser | QFile::WriteUser
                                                       | QFile::ReadOther);

    QFile::link("book.xlsx", path("book-link.xlsx"));
    const CliRun run =
        runCli({"assess", teo, "--system", "both", "--xlsx", path("book-link.xlsx")});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo(path("book-link.xlsx")).isSymLink());
    EXPECT_FALSE(readFirstSheet(path("book.xlsx")).isEmpty());
}

TEST_F(FileSafety, StandardOutputCarriesTheWorkbookAlone)
{
    const CliRun run = runCli({"assess", save(defaultInputs()), "--system", "both", "--xlsx", "-"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("PK\x03\x04"));
    QFile copy(path("copy.xlsx"));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(run.out);
    copy.close();
    EXPECT_EQ(readFirstSheet(path("copy.xlsx"))["name"].toString(), "ТЭОг. Город  ул. Улица д. 10");
    EXPECT_EQ(entries(m_dir.path()), (QStringList{"copy.xlsx", "t.teo"}));
}

TEST_F(FileSafety, NamesThatAreNotUtf8AreRefusedNeverWrittenUnderAnotherName)
{
    QFile::copy(save(defaultInputs()), path(QString::fromUtf8("plain.teo")));
    ASSERT_EQ(::rename(QFile::encodeName(path("plain.teo")).constData(),
                       (QFile::encodeName(m_dir.path()) + "/bad\xff.teo").constData()),
              0);
    const CliRun listing = runShell(R"sh("$0" template "$(printf 'bad\377.teo')")sh", m_dir.path());
    EXPECT_EQ(listing.status, 1);
    EXPECT_TRUE(listing.err.contains("bad\\xff.teo")) << listing.err.toStdString();
    EXPECT_TRUE(listing.err.contains("UTF-8"));
    const QStringList before = entries(m_dir.path());
    const CliRun book = runShell(
        R"sh("$0" assess t.teo --system both --xlsx "$(printf 'out\377.xlsx')")sh", m_dir.path());
    EXPECT_EQ(book.status, 1);
    EXPECT_TRUE(book.err.contains("UTF-8")) << book.err.toStdString();
    EXPECT_EQ(entries(m_dir.path()), before);
}

TEST_F(FileSafety, AFullDiskKeepsTheOldWorkbookAndSpeaksRussian)
{
    const QString teo = save(defaultInputs());
    QFile old(path("old.xlsx"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(1000, 'o'));
    old.close();
    const CliRun run = runCli({"assess", teo, "--system", "both", "--xlsx", path("old.xlsx")},
                              {.fileSizeLimit = 2048});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.err.contains("Не удалось записать книгу в файл " + path("old.xlsx")))
        << run.err.toStdString();
    for (const char* english : {"[ERROR]", "ZIP", "error", "Error"})
        EXPECT_FALSE(run.err.contains(english)) << run.err.toStdString();
    EXPECT_EQ(readAll(path("old.xlsx")), QByteArray(1000, 'o'));
    EXPECT_EQ(entries(m_dir.path()), (QStringList{"old.xlsx", "t.teo"}));
}

} // namespace
