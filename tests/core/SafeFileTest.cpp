// Saving files on a shared machine: the private export folder against folders of the wrong
// mode, owner or kind, the office-suite save against every kind of target, and what a failed
// save leaves behind (nothing, and the old file byte for byte).
#include "core/SafeFile.h"
#include "core/Staging.h"
#include "core/SystemReasons.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/Files.h"
#include "tests/support/NullDevice.h"
#include "tests/support/PlainUser.h"
#include "tests/support/QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <tuple>
#include <unistd.h>

namespace {

using vedan::Status;

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

mode_t modeOf(const QString& path)
{
    struct stat st {};
    lstat(QFile::encodeName(path).constData(), &st);
    return st.st_mode;
}

// Every name in a folder, hidden ones too.
safefile::Writer writing(const QByteArray& bytes, int* calls = nullptr)
{
    return [bytes, calls](const QString& file) -> Status {
        if (calls)
            ++*calls;
        QFile f(file);
        if (!f.open(QIODevice::WriteOnly | QIODevice::NewOnly) || f.write(bytes) != bytes.size())
            return vedan::Failure::file("writer failed");
        return std::nullopt;
    };
}

// The export folder under a cache folder of the test's own.
class ExportFolder : public testing::Test {
protected:
    void SetUp() override
    {
        m_saved = qgetenv("XDG_CACHE_HOME");
        qputenv("XDG_CACHE_HOME", QFile::encodeName(cache()));
    }
    void TearDown() override { qputenv("XDG_CACHE_HOME", m_saved); }
    QString cache() const { return m_dir.filePath("cache"); }
    QString vedan() const { return cache() + "/vedan"; }
    QString unsaved() const { return cache() + "/vedan/unsaved"; }

    QTemporaryDir m_dir;
    QByteArray m_saved;
};

TEST_F(ExportFolder, IsMadePrivateAndNeverReplacesAFile)
{
    ASSERT_EQ(safefile::exportFolder(), unsaved());
    ASSERT_TRUE(QDir().mkpath(unsaved()));
    chmod(QFile::encodeName(vedan()).constData(), 0777); // left open by an earlier version
    chmod(QFile::encodeName(unsaved()).constData(), 0755);
    writeAll(unsaved() + "/Лист_1.xlsx", "earlier");

    const auto first = safefile::saveNewExport("Лист_1", ".xlsx", writing("one"));
    const auto second = safefile::saveNewExport("Лист_1", ".xlsx", writing("two"));
    ASSERT_TRUE(first.ok()) << first.failure->message.toStdString();
    ASSERT_TRUE(second.ok());
    EXPECT_EQ(first.value, unsaved() + "/Лист_1_2.xlsx");
    EXPECT_EQ(second.value, unsaved() + "/Лист_1_3.xlsx");
    EXPECT_EQ(readAll(unsaved() + "/Лист_1.xlsx"), "earlier");
    EXPECT_EQ(readAll(second.value), "two");
    EXPECT_EQ(modeOf(vedan()) & 07777, 0700u);
    EXPECT_EQ(modeOf(unsaved()) & 07777, 0700u);
    EXPECT_EQ(entries(unsaved()), (QStringList{"Лист_1.xlsx", "Лист_1_2.xlsx", "Лист_1_3.xlsx"}));
}

TEST_F(ExportFolder, NewFoldersArePrivateFromTheStart)
{
    const auto saved = safefile::saveNewExport("a", ".xlsx", writing("x"));
    ASSERT_TRUE(saved.ok());
    for (const QString& folder : {cache(), vedan(), unsaved()})
        EXPECT_EQ(modeOf(folder) & 07777, 0700u) << folder.toStdString();
}

// Another user's way in: a link in place of either folder, a folder of another owner, a file.
struct TakenPlace {
    const char* name;
    std::function<void(const QString& vedan, const QString& unsaved, const QString& elsewhere)>
        prepare;
    const char* why;
};

class TakenExportFolder : public ExportFolder {
protected:
    void expectRefused(const std::vector<TakenPlace>& cases)
    {
        for (const TakenPlace& c : cases) {
            SCOPED_TRACE(c.name);
            QDir(cache()).removeRecursively();
            QDir().mkpath(cache());
            const QString elsewhere = m_dir.filePath("elsewhere");
            QDir(elsewhere).removeRecursively();
            QDir().mkpath(elsewhere);
            c.prepare(vedan(), unsaved(), elsewhere);
            int calls = 0;
            const auto saved = safefile::saveNewExport("a", ".xlsx", writing("secret", &calls));
            ASSERT_FALSE(saved.ok());
            EXPECT_TRUE(saved.failure->message.contains(QString::fromUtf8(c.why)))
                << saved.failure->message.toStdString();
            EXPECT_TRUE(saved.failure->message.contains(cache())) << "names the folder";
            EXPECT_EQ(calls, 0);
            EXPECT_TRUE(entries(elsewhere).isEmpty());
            EXPECT_FALSE(safefile::checkExportFolder() == std::nullopt);
        }
    }
};

TEST_F(TakenExportFolder, ALinkOrAFileInItsPlaceIsRefusedAndNothingIsWritten)
{
    expectRefused({
        {"link instead of vedan",
         [](const QString& v, const QString&, const QString& elsewhere) {
             QFile::link(elsewhere, v);
         },
         "символическая ссылка"},
        {"link instead of unsaved",
         [](const QString& v, const QString& u, const QString& elsewhere) {
             QDir().mkpath(v);
             QFile::link(elsewhere, u);
         },
         "символическая ссылка"},
        {"file instead of vedan",
         [](const QString& v, const QString&, const QString&) { writeAll(v, "x"); },
         "файл, а не папка"},
    });
}

TEST_F(TakenExportFolder, AFolderOfAnotherUserIsRefusedAndNothingIsWritten)
{
    if (!isSuperuser())
        GTEST_SKIP() << "only the superuser can give a folder away";
    expectRefused({
        {"vedan of another user",
         [](const QString& v, const QString&, const QString&) {
             QDir().mkpath(v);
             ASSERT_EQ(chown(QFile::encodeName(v).constData(), 65534, 65534), 0);
         },
         "другому пользователю"},
        {"unsaved of another user",
         [](const QString& v, const QString& u, const QString&) {
             QDir().mkpath(u);
             chmod(QFile::encodeName(v).constData(), 0700);
             ASSERT_EQ(chown(QFile::encodeName(u).constData(), 65534, 65534), 0);
         },
         "другому пользователю"},
    });
}

TEST_F(ExportFolder, AFailedWriteLeavesNothingBehind)
{
    const auto saved = safefile::saveNewExport("a", ".xlsx", [](const QString& file) -> Status {
        writeAll(file, "half");
        writeAll(QFileInfo(file).absolutePath() + "/.hidden", "half");
        return vedan::Failure::file("full");
    });
    ASSERT_FALSE(saved.ok());
    EXPECT_EQ(saved.failure->message, "full");
    EXPECT_TRUE(entries(unsaved()).isEmpty());
}

class SaveReplacing : public testing::Test {
protected:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

TEST_F(SaveReplacing, ARegularFileIsReplacedKeepingItsPermissionsAndLinksAreFollowed)
{
    writeAll(path("book.xlsx"), "old");
    chmod(QFile::encodeName(path("book.xlsx")).constData(), 0640);
    ASSERT_TRUE(QFile::link(path("book.xlsx"), path("link.xlsx")));
    ASSERT_EQ(link(QFile::encodeName(path("book.xlsx")).constData(),
                   QFile::encodeName(path("hard.xlsx")).constData()),
              0);
    ASSERT_TRUE(QFile::link("missing.xlsx", path("dangling.xlsx")));

    EXPECT_EQ(safefile::saveReplacing(path("link.xlsx"), writing("new")), std::nullopt);
    EXPECT_EQ(readAll(path("book.xlsx")), "new");
    EXPECT_TRUE(S_ISLNK(modeOf(path("link.xlsx"))));
    EXPECT_EQ(modeOf(path("book.xlsx")) & 07777, 0640u);
    EXPECT_EQ(readAll(path("hard.xlsx")), "old"); // an atomic save breaks a hard link

    EXPECT_EQ(safefile::saveReplacing(path("dangling.xlsx"), writing("made")), std::nullopt);
    EXPECT_EQ(readAll(path("missing.xlsx")), "made");
    EXPECT_TRUE(S_ISLNK(modeOf(path("dangling.xlsx"))));

    EXPECT_EQ(safefile::saveReplacing(path("fresh.xlsx"), writing("fresh")), std::nullopt);
    EXPECT_EQ(readAll(path("fresh.xlsx")), "fresh");
    EXPECT_EQ(entries(m_dir.path()), (QStringList{"book.xlsx", "dangling.xlsx", "fresh.xlsx",
                                                  "hard.xlsx", "link.xlsx", "missing.xlsx"}));
}

TEST_F(SaveReplacing, DevicesPipesSocketsAndFoldersAreRefusedUntouched)
{
    ASSERT_EQ(mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    QDir().mkpath(path("folder"));
    const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketPath = QFile::encodeName(path("socket"));
    ASSERT_LT(size_t(socketPath.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.constData(), socketPath.size());
    ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_TRUE(QFile::link(path("pipe"), path("link-to-pipe")));
    struct Case {
        QString target;
        const char* why;
    };
    const Case cases[] = {
        {deviceIn(m_dir.path()), "устройство"},
        {path("pipe"), "именованный канал"},
        {path("link-to-pipe"), "именованный канал"},
        {path("socket"), "сокет"},
        {path("folder"), "папка"},
    };
    const QStringList before = entries(m_dir.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target.toStdString());
        const mode_t kind = modeOf(c.target) & S_IFMT;
        int calls = 0;
        const Status failure = safefile::saveReplacing(c.target, writing("x", &calls));
        ASSERT_TRUE(failure);
        EXPECT_TRUE(failure->message.contains(c.target)) << failure->message.toStdString();
        EXPECT_TRUE(failure->message.contains(QString::fromUtf8(c.why)));
        EXPECT_EQ(calls, 0);
        EXPECT_EQ(modeOf(c.target) & S_IFMT, kind);
    }
    close(sock);
    EXPECT_EQ(entries(m_dir.path()), before);
    EXPECT_TRUE(entries(path("folder")).isEmpty());
}

TEST_F(SaveReplacing, AFailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    writeAll(path("old.teo"), QByteArray(4096, 'o'));
    // A write that the writer itself reports as failed part-way...
    // (with a hidden temporary file of its own beside the partial one)...
    const Status failed = safefile::saveReplacing(path("old.teo"), [](const QString& f) -> Status {
        writeAll(f, "partial");
        writeAll(QFileInfo(f).absolutePath() + "/.~lock.old.teo#", "hidden");
        return vedan::Failure::file("stopped");
    });
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->message, "stopped");
    // ...and a disk that fills up: the file size limit stops the write as a full disk does.
    const Status full = [&] {
        const FileSizeLimit limit(1000);
        EXPECT_TRUE(limit.ok());
        return safefile::saveBytes(path("old.teo"), QByteArray(8192, 'n'));
    }();
    ASSERT_TRUE(full);
    EXPECT_TRUE(full->message.contains(path("old.teo"))) << full->message.toStdString();
    EXPECT_TRUE(full->message.contains("Файл слишком велик")) << full->message.toStdString();
    EXPECT_EQ(readAll(path("old.teo")), QByteArray(4096, 'o'));
    EXPECT_EQ(entries(m_dir.path()), QStringList{"old.teo"});
}

TEST_F(SaveReplacing, MissingFolderOrNameIsAClearRussianFailure)
{
    const Status missing = safefile::saveBytes(path("no/such/folder/a.teo"), "x");
    ASSERT_TRUE(missing);
    EXPECT_TRUE(missing->message.contains(path("no/such/folder/a.teo")));
    EXPECT_TRUE(missing->message.contains("Нет такого файла или каталога"));
    const Status empty = safefile::saveBytes("", "x");
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->message.contains("имя файла не задано"));
}

TEST_F(SaveReplacing, StandardOutputGetsTheWholeFile)
{
    // A temporary folder of the test's own: other test programs stage their files in the shared
    // one at the same time.
    const QByteArray sharedTemp = qgetenv("TMPDIR");
    QDir().mkpath(path("tmp"));
    qputenv("TMPDIR", QFile::encodeName(path("tmp")));
    const QString captured = path("stdout");
    std::fflush(stdout);
    const int saved = dup(STDOUT_FILENO);
    const int fd = open(QFile::encodeName(captured).constData(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(fd, 0);
    dup2(fd, STDOUT_FILENO);
    close(fd);
    const QByteArray bytes(200000, 'b');
    const Status failure = safefile::saveBytes(safefile::kStandardOutput, bytes);
    dup2(saved, STDOUT_FILENO);
    close(saved);
    EXPECT_EQ(failure, std::nullopt);
    EXPECT_EQ(readAll(captured), bytes);
    EXPECT_EQ(QDir::tempPath(), path("tmp"));
    EXPECT_EQ(entries(QDir::tempPath()), QStringList());
    qputenv("TMPDIR", sharedTemp);
}

// A file the user may not write stays as it is, although the folder would let a new file take
// its name; a file the user may write in the same folder is replaced.
TEST_F(SaveReplacing, AWriteProtectedFileIsKept)
{
    const QString folder = path("shared");
    ASSERT_TRUE(QDir().mkpath(folder));
    chmod(QFile::encodeName(folder).constData(), 0777);
    chmod(QFile::encodeName(m_dir.path()).constData(), 0755);
    const QString target = folder + "/ro.xlsx";
    writeAll(target, "keep");
    chmod(QFile::encodeName(target).constData(), 0444);
    const int result = runAsPlainUser([&] {
        const Status failure = safefile::saveBytes(target, "new");
        if (!failure)
            return 1;
        return failure->message.contains("защищён от записи") && failure->message.contains(target)
                   ? 0
                   : 2;
    });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(readAll(target), "keep");
    EXPECT_EQ(modeOf(target) & 07777, 0444u);
    EXPECT_EQ(entries(folder), QStringList{"ro.xlsx"});
}

// In a folder that is sticky and writable by everybody, a link is followed only when it belongs
// to the user or to the folder's owner, as the kernel's protected_symlinks rule has it.
TEST_F(SaveReplacing, ALinkPlantedByAnotherUserInASharedFolderIsNotFollowed)
{
    if (!isSuperuser())
        GTEST_SKIP() << "only the superuser can make a link of another user";
    const QString shared = path("tmp");
    ASSERT_TRUE(QDir().mkpath(shared));
    chmod(QFile::encodeName(shared).constData(), 01777);
    const QString victim = path("victim.teo");
    writeAll(victim, "precious");
    struct Case {
        const char* what;
        mode_t folderMode;
        uid_t linkOwner;
        bool followed;
    };
    const Case cases[] = {
        {"another user's link in a sticky shared folder", 01777, kOtherUser, false},
        {"own link in a sticky shared folder", 01777, 0, true},
        {"another user's link in a folder that is not sticky", 0777, kOtherUser, true},
        {"another user's link in a sticky folder of the owner alone", 01755, kOtherUser, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeAll(victim, "precious");
        chmod(QFile::encodeName(shared).constData(), c.folderMode);
        const QString link = shared + "/out.teo";
        QFile::remove(link);
        ASSERT_TRUE(QFile::link(victim, link));
        ASSERT_EQ(lchown(QFile::encodeName(link).constData(), c.linkOwner, c.linkOwner), 0);
        const Status failure = safefile::saveBytes(link, "planted");
        if (c.followed) {
            EXPECT_EQ(failure, std::nullopt);
            EXPECT_EQ(readAll(victim), "planted");
        } else {
            ASSERT_TRUE(failure);
            EXPECT_TRUE(failure->message.contains(link)) << failure->message.toStdString();
            EXPECT_TRUE(failure->message.contains("Отказано в доступе"));
            EXPECT_EQ(readAll(victim), "precious");
            EXPECT_TRUE(S_ISLNK(modeOf(link)));
        }
        EXPECT_EQ(entries(shared), QStringList{"out.teo"});
    }
}

// A terminating signal in the middle of a save removes the staging folder with the partial copy,
// and the process still ends by that signal.
TEST_F(SaveReplacing, ATerminatingSignalLeavesNoStagingFolder)
{
    writeAll(path("old.xlsx"), "old");
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        SCOPED_TRACE(strsignal(signal));
        const int ended = signalThatEnds([&] {
            staging::removeOnTerminatingSignals();
            safefile::saveReplacing(path("old.xlsx"), [signal](const QString& file) -> Status {
                writeAll(file, QByteArray(100000, 'p'));
                writeAll(file + ".tmp", "the writer's own temporary file");
                ::raise(signal);
                return std::nullopt;
            });
        });
        EXPECT_EQ(ended, signal);
        EXPECT_EQ(readAll(path("old.xlsx")), "old");
        EXPECT_EQ(entries(m_dir.path()), QStringList{"old.xlsx"});
    }
}

// A staging folder left by a killed process goes with the next save into the same folder once it
// is a day old; a newer one, another user's one and anything else stay.
TEST_F(SaveReplacing, StagingFoldersOverADayOldAreRemovedByTheNextSave)
{
    auto makeStaging = [this](const QString& name, long age) {
        const QString folder = path(name);
        EXPECT_TRUE(QDir().mkpath(folder));
        writeAll(folder + "/partial.xlsx", "half");
        writeAll(folder + "/.hidden", "half");
        const timespec times[2] = {{std::time(nullptr) - age, 0}, {std::time(nullptr) - age, 0}};
        EXPECT_EQ(utimensat(AT_FDCWD, QFile::encodeName(folder).constData(), times, 0), 0);
    };
    const long day = staging::kStaleSeconds;
    makeStaging(".vedan-AAAAAA", day + 60);
    makeStaging(".vedan-BBBBBB", day - 60);
    makeStaging(".vedan-notes-kept", 10 * day);
    QStringList expected{".vedan-BBBBBB", ".vedan-notes-kept", "book.xlsx"};
    if (isSuperuser()) {
        makeStaging(".vedan-CCCCCC", 10 * day);
        ASSERT_EQ(
            chown(QFile::encodeName(path(".vedan-CCCCCC")).constData(), kOtherUser, kOtherGroup),
            0);
        expected.insert(1, ".vedan-CCCCCC");
    }
    ASSERT_EQ(safefile::saveBytes(path("book.xlsx"), "new"), std::nullopt);
    EXPECT_EQ(entries(m_dir.path()), expected);
}

class HomeFolder : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"HOME", "XDG_CACHE_HOME"})
            m_saved.emplace_back(name, qgetenv(name), qEnvironmentVariableIsSet(name));
    }
    void TearDown() override
    {
        for (const auto& [name, value, set] : m_saved)
            set ? qputenv(name, value) : qunsetenv(name);
    }
    static void setOrUnset(const char* name, const char* value)
    {
        value ? qputenv(name, value) : qunsetenv(name);
    }

    std::vector<std::tuple<const char*, QByteArray, bool>> m_saved;
};

// The export folder as the XDG rules take it: a relative setting is no setting, and without an
// absolute HOME the password database names the home folder.
TEST_F(HomeFolder, TheExportFolderFollowsTheXdgRules)
{
    const QString fromDatabase = QFile::decodeName(getpwuid(geteuid())->pw_dir);
    struct Case {
        const char* home;
        const char* cache;
        QString expected;
    };
    const Case cases[] = {
        {"/home/a", "/var/cache/a", "/var/cache/a/vedan/unsaved"},
        {"/home/a", nullptr, "/home/a/.cache/vedan/unsaved"},
        {"/home/a", "relative/cache", "/home/a/.cache/vedan/unsaved"},
        {nullptr, nullptr, fromDatabase + "/.cache/vedan/unsaved"},
        {"", "", fromDatabase + "/.cache/vedan/unsaved"},
        {"relative/home", nullptr, fromDatabase + "/.cache/vedan/unsaved"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.home ? c.home : "(unset)") + " "
                     + (c.cache ? c.cache : "(unset)"));
        setOrUnset("HOME", c.home);
        setOrUnset("XDG_CACHE_HOME", c.cache);
        EXPECT_EQ(safefile::exportFolder(), QDir::cleanPath(c.expected));
    }
}

// A user without HOME and without an entry in the password database has no export folder:
// the export is refused with a message instead of going to /.cache.
TEST_F(HomeFolder, NoHomeFolderAtAllIsRefused)
{
    if (!isSuperuser())
        GTEST_SKIP() << "only the superuser can become a user without a password entry";
    qunsetenv("HOME");
    qunsetenv("XDG_CACHE_HOME");
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(54321) != 0 || setuid(54321) != 0 || getpwuid(54321))
            _exit(3);
        const auto saved = safefile::saveNewExport("a", ".xlsx", writing("x"));
        _exit(safefile::exportFolder().isEmpty() && !saved.ok()
                      && saved.failure->message.contains("домашняя папка не задана")
                  ? 0
                  : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(QFileInfo::exists("/.cache/vedan"));
}

TEST(SystemReasons, EnglishTextsAndErrorNumbersBecomeRussian)
{
    const std::pair<QString, QString> texts[] = {
        {"file to open is a directory", "Это каталог"},
        {"Filename refers to a directory", "Это каталог"},
        {"Is a directory", "Это каталог"},
        {"Not a directory", "Это не каталог"},
        {"No space left on device", "На устройстве не осталось свободного места"},
        {"Уже по-русски", "Уже по-русски"},
    };
    for (const auto& [english, russian] : texts)
        EXPECT_EQ(systemreason::inRussian(english), russian);
    EXPECT_EQ(systemreason::ofError(ENOSPC), "На устройстве не осталось свободного места");
    EXPECT_EQ(systemreason::ofError(EFBIG), "Файл слишком велик");
    EXPECT_TRUE(
        systemreason::ofError(EHOSTDOWN).startsWith(QString("системная ошибка %1").arg(EHOSTDOWN)));
}

} // namespace
