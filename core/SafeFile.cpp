#include "core/SafeFile.h"

#include "core/Staging.h"
#include "core/SystemReasons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace safefile {

namespace {

using vedan::Failure;
using vedan::Status;

constexpr int kMaxLinkHops = 40; // as the system's own limit on nested links

QByteArray bytesOf(const QString& path) { return QFile::encodeName(path); }
QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

Failure refusal(const QString& what, const QString& path, const QString& why)
{
    return Failure::file(QStringLiteral("%1 %2: %3").arg(what, shown(path), why));
}

Failure saveFailure(const QString& path, const QString& why)
{
    return refusal(QStringLiteral("Не удалось сохранить файл"), path, why);
}

// Closes a descriptor when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return m_fd; }
    bool ok() const { return m_fd >= 0; }
    void reset(int fd)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// A fresh private folder (mkdtemp, 0700) in `folder`, removed with what it holds unless kept.
class PrivateFolder {
public:
    explicit PrivateFolder(const QString& folder)
    {
        staging::removeStale(bytesOf(folder));
        QByteArray pattern = bytesOf(folder) + '/' + staging::kPrefix + "XXXXXX";
        if (::mkdtemp(pattern.data())) {
            m_path = QFile::decodeName(pattern);
            m_slot = staging::enter(pattern);
        } else {
            m_error = errno;
        }
    }
    ~PrivateFolder()
    {
        if (m_path.isEmpty())
            return;
        // Removed before it leaves the list, so that a signal in between cannot miss it.
        staging::removeFolder(AT_FDCWD, bytesOf(m_path).constData());
        staging::leave(m_slot);
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    bool ok() const { return !m_path.isEmpty(); }
    int error() const { return m_error; }
    QString path() const { return m_path; }
    QString file(const QString& name) const { return m_path + '/' + name; }

private:
    QString m_path;
    int m_error = 0;
    int m_slot = -1;
};

QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("это папка, а не файл");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("это устройство, а не обычный файл");
    if (S_ISFIFO(mode))
        return QStringLiteral("это именованный канал, а не обычный файл");
    if (S_ISSOCK(mode))
        return QStringLiteral("это сокет, а не обычный файл");
    return QStringLiteral("это не обычный файл");
}

// Whether the kernel's rule for links in shared folders (protected_symlinks) lets this user
// follow the link: in a folder that is both sticky and writable by everybody (/tmp), only a
// link of this user or of the folder's owner is followed; a link planted there by somebody
// else could point the save at any file this user may write.
bool mayFollow(const QString& link, const struct stat& linkStat)
{
    struct stat folder;
    if (::stat(bytesOf(QFileInfo(link).absolutePath()).constData(), &folder) != 0)
        return false;
    const bool shared = (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
    return !shared || linkStat.st_uid == ::geteuid() || linkStat.st_uid == folder.st_uid;
}

// The file a path finally names, following symbolic links (also a link to a file not made yet)
// where the kernel itself would follow them.
std::optional<QString> followLinks(QString path, int& error)
{
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st;
        if (::lstat(bytesOf(path).constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        if (!mayFollow(path, st)) {
            error = EACCES;
            return std::nullopt;
        }
        QByteArray link(st.st_size > 0 ? st.st_size + 1 : PATH_MAX, '\0');
        const ssize_t n = ::readlink(bytesOf(path).constData(), link.data(), link.size());
        if (n < 0 || n >= link.size()) {
            error = n < 0 ? errno : ENAMETOOLONG;
            return std::nullopt;
        }
        link.truncate(n);
        const QString target = QFile::decodeName(link);
        path =
            QDir::isAbsolutePath(target) ? target : QFileInfo(path).absolutePath() + '/' + target;
    }
    error = ELOOP;
    return std::nullopt;
}

bool syncPath(const QString& path, int flags)
{
    Fd fd(::open(bytesOf(path).constData(), flags | O_CLOEXEC));
    return fd.ok() && ::fsync(fd.get()) == 0;
}

bool writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, static_cast<size_t>(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= n;
    }
    return true;
}

// A folder `name` in the open folder `parent` that only this user can enter, opened.
std::optional<Failure> openOwnFolder(int parent, const char* name, const QString& path, Fd& out)
{
    if (::mkdirat(parent, name, 0700) != 0 && errno != EEXIST)
        return refusal(QStringLiteral("Не удалось создать папку"), path,
                       systemreason::ofError(errno));
    Fd fd(::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.ok()) {
        const int error = errno;
        struct stat st;
        if (::fstatat(parent, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(st.st_mode))
            return refusal(QStringLiteral("Папка для книг не годится"), path,
                           QStringLiteral("на её месте символическая ссылка; удалите её"));
        return refusal(QStringLiteral("Не удалось открыть папку"), path,
                       error == ENOTDIR ? QStringLiteral("на её месте файл, а не папка")
                                        : systemreason::ofError(error));
    }
    struct stat st;
    if (::fstat(fd.get(), &st) != 0)
        return refusal(QStringLiteral("Не удалось открыть папку"), path,
                       systemreason::ofError(errno));
    if (st.st_uid != ::geteuid())
        return refusal(QStringLiteral("Папка для книг не годится"), path,
                       QStringLiteral("она принадлежит другому пользователю; удалите её"));
    if ((st.st_mode & 07777) != 0700 && ::fchmod(fd.get(), 0700) != 0)
        return refusal(QStringLiteral("Не удалось закрыть доступ к папке"), path,
                       systemreason::ofError(errno));
    out.reset(fd.release());
    return std::nullopt;
}

// Creates the missing folders of a path, each new one private (0700) as a cache folder is.
bool makePath(const QString& path)
{
    QString built;
    for (const QString& part : path.split('/', Qt::SkipEmptyParts)) {
        built += '/' + part;
        if (::mkdir(bytesOf(built).constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return true;
}

// Moves a file into a folder under a name that nothing there has yet.
int moveWithoutReplacing(int fromFolder, const char* from, int toFolder, const char* to)
{
    if (::renameat2(fromFolder, from, toFolder, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return errno;
    // A file system without that kind of rename: a hard link is never made over a name either.
    if (::linkat(fromFolder, from, toFolder, to, 0) != 0)
        return errno;
    ::unlinkat(fromFolder, from, 0);
    return 0;
}

} // namespace

Status saveReplacing(const QString& target, const Writer& write)
{
    if (target == kStandardOutput)
        return saveToStandardOutput(write);
    if (target.isEmpty())
        return Failure::file(QStringLiteral("Не удалось сохранить файл: имя файла не задано"));
    int error = 0;
    const std::optional<QString> followed =
        followLinks(QFileInfo(target).absoluteFilePath(), error);
    if (!followed)
        return saveFailure(target, systemreason::ofError(error));
    const QString& file = *followed;
    struct stat old;
    const bool exists = ::stat(bytesOf(file).constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return saveFailure(target, systemreason::ofError(errno));
    if (exists && !S_ISREG(old.st_mode))
        return saveFailure(target, kindOf(old.st_mode));
    // A file this user may not write is kept, as cp and the office suites keep it, although
    // the folder would let a new file take its name.
    if (exists && ::faccessat(AT_FDCWD, bytesOf(file).constData(), W_OK, AT_EACCESS) != 0)
        return saveFailure(target, errno == EACCES || errno == EROFS
                                       ? QStringLiteral("файл защищён от записи")
                                       : systemreason::ofError(errno));

    const QFileInfo info(file);
    PrivateFolder work(info.absolutePath());
    if (!work.ok())
        return saveFailure(target, systemreason::ofError(work.error()));
    const QString written = work.file(info.fileName());
    if (Status failure = write(written))
        return failure;
    const QByteArray from = bytesOf(written);
    if (!syncPath(written, O_RDONLY))
        return saveFailure(target, systemreason::ofError(errno));
    if (exists) {
        if (::chmod(from.constData(), old.st_mode & 07777) != 0)
            return saveFailure(target, systemreason::ofError(errno));
        // The owner is kept where the system allows it (as the superuser); otherwise the new
        // file belongs to whoever saves it, as with any office suite.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            && ::chown(from.constData(), old.st_uid, old.st_gid) != 0) {
        }
    }
    if (::rename(from.constData(), bytesOf(file).constData()) != 0)
        return saveFailure(target, systemreason::ofError(errno));
    if (!syncPath(info.absolutePath(), O_RDONLY | O_DIRECTORY))
        return saveFailure(target, QStringLiteral("файл записан, но папка не сохранена на диск: ")
                                       + systemreason::ofError(errno));
    return std::nullopt;
}

vedan::Outcome<QByteArray> readSmallFile(const QString& path, qint64 maxBytes)
{
    const auto refused = [&path](const QString& why) {
        return vedan::Outcome<QByteArray>{
            {}, refusal(QStringLiteral("Не удалось открыть файл"), path, why)};
    };
    int error = 0;
    const std::optional<QString> file = followLinks(path, error);
    if (!file)
        return refused(systemreason::ofError(error));
    // Not blocking on a pipe's open; the descriptor is checked to be a file before it is read.
    Fd fd(::open(bytesOf(*file).constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.ok())
        return refused(systemreason::ofError(errno));
    struct stat st;
    if (::fstat(fd.get(), &st) != 0)
        return refused(systemreason::ofError(errno));
    if (!S_ISREG(st.st_mode))
        return refused(kindOf(st.st_mode));
    if (st.st_size > maxBytes)
        return refused(
            QStringLiteral("файл больше %1 байт (%2 байт)").arg(maxBytes).arg(st.st_size));
    QByteArray bytes(static_cast<qsizetype>(st.st_size) + 1, Qt::Uninitialized);
    qsizetype got = 0;
    while (got < bytes.size()) {
        const ssize_t n =
            ::read(fd.get(), bytes.data() + got, static_cast<size_t>(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return refused(systemreason::ofError(errno));
        if (n == 0)
            break;
        got += n;
    }
    // A file that grew while it was read is still held to the limit.
    if (got > maxBytes)
        return refused(QStringLiteral("файл больше %1 байт").arg(maxBytes));
    bytes.truncate(got);
    return {bytes, std::nullopt};
}

std::optional<QString> savedFile(const QString& target)
{
    int error = 0;
    return followLinks(QFileInfo(target).absoluteFilePath(), error);
}

Status saveToStandardOutput(const Writer& write)
{
    const QString shownName = QStringLiteral("стандартный вывод");
    PrivateFolder work(QDir::tempPath());
    if (!work.ok())
        return Failure::file(
            QStringLiteral("Не удалось создать временную папку в %1: %2")
                .arg(shown(QDir::tempPath()), systemreason::ofError(work.error())));
    const QString written = work.file(QStringLiteral("output"));
    if (Status failure = write(written))
        return failure;
    Fd in(::open(bytesOf(written).constData(), O_RDONLY | O_CLOEXEC));
    if (!in.ok())
        return Failure::file(QStringLiteral("Не удалось вывести файл в %1: %2")
                                 .arg(shownName, systemreason::ofError(errno)));
    std::fflush(stdout);
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(in.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n == 0)
            break;
        if (n < 0 || !writeAll(STDOUT_FILENO, buffer, n))
            return Failure::file(QStringLiteral("Не удалось вывести файл в %1: %2")
                                     .arg(shownName, systemreason::ofError(errno)));
    }
    return std::nullopt;
}

Status saveBytes(const QString& target, const QByteArray& bytes)
{
    return saveReplacing(target, [&](const QString& privateFile) -> Status {
        Fd fd(::open(bytesOf(privateFile).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                     0666));
        if (!fd.ok() || !writeAll(fd.get(), bytes.constData(), bytes.size()))
            return saveFailure(target, systemreason::ofError(errno));
        return std::nullopt;
    });
}

namespace {

// The home folder as the XDG rules take it: $HOME when it is an absolute path, otherwise the
// password database's entry of this user; empty when neither gives one.
QString homeFolder()
{
    QString home = qEnvironmentVariable("HOME");
    if (QDir::isAbsolutePath(home))
        return home;
    const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    QByteArray buffer(size > 0 ? size : 16384, '\0');
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), size_t(buffer.size()), &found) == 0
        && found && found->pw_dir) {
        QString fromDatabase = QFile::decodeName(found->pw_dir);
        if (QDir::isAbsolutePath(fromDatabase))
            return fromDatabase;
    }
    return {};
}

} // namespace

QString exportFolder()
{
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    // A relative path is not a valid setting of the variable and is ignored.
    if (cache.isEmpty() || !QDir::isAbsolutePath(cache)) {
        const QString home = homeFolder();
        if (home.isEmpty())
            return {};
        cache = home + QStringLiteral("/.cache");
    }
    return QDir::cleanPath(cache) + QStringLiteral("/vedan/unsaved");
}

namespace {

std::optional<Failure> openExportFolder(Fd& unsaved)
{
    const QString folder = exportFolder();
    if (folder.isEmpty())
        return Failure::file(QStringLiteral(
            "Не удалось найти папку для книг: домашняя папка не задана (нет ни HOME, ни "
            "XDG_CACHE_HOME, ни записи пользователя в системе)"));
    const QString vedanPath = QFileInfo(folder).absolutePath();
    const QString cache = QFileInfo(vedanPath).absolutePath();
    if (!makePath(cache))
        return refusal(QStringLiteral("Не удалось создать папку"), cache,
                       systemreason::ofError(errno));
    Fd cacheFd(::open(bytesOf(cache).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!cacheFd.ok())
        return refusal(QStringLiteral("Не удалось открыть папку"), cache,
                       systemreason::ofError(errno));
    Fd vedan;
    if (auto failure = openOwnFolder(cacheFd.get(), "vedan", vedanPath, vedan))
        return failure;
    return openOwnFolder(vedan.get(), "unsaved", folder, unsaved);
}

} // namespace

Status checkExportFolder()
{
    Fd unsaved;
    return openExportFolder(unsaved);
}

vedan::Outcome<QString> saveNewExport(const QString& stem, const QString& extension,
                                      const Writer& write)
{
    Fd unsaved;
    if (auto failure = openExportFolder(unsaved))
        return {{}, failure};
    const QString folder = exportFolder();
    PrivateFolder work(folder);
    if (!work.ok())
        return {{},
                refusal(QStringLiteral("Не удалось создать временную папку в"), folder,
                        systemreason::ofError(work.error()))};
    const QString written = work.file(QStringLiteral("export") + extension);
    if (Status failure = write(written))
        return {{}, failure};
    // The private folder is looked up again through the checked folder: whatever the path
    // names now, only a file in this user's own folder is moved.
    Fd workFd(::openat(unsaved.get(), bytesOf(QFileInfo(work.path()).fileName()).constData(),
                       O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!workFd.ok())
        return {{},
                refusal(QStringLiteral("Не удалось сохранить книгу в папке"), folder,
                        systemreason::ofError(errno))};
    const QByteArray from = bytesOf(QFileInfo(written).fileName());
    for (int n = 1; n < 10000; ++n) {
        const QString name = stem + (n == 1 ? QString() : QStringLiteral("_%1").arg(n)) + extension;
        const int error = moveWithoutReplacing(workFd.get(), from.constData(), unsaved.get(),
                                               bytesOf(name).constData());
        if (error == 0) {
            ::fsync(unsaved.get());
            return {folder + '/' + name, std::nullopt};
        }
        if (error != EEXIST)
            return {{},
                    refusal(QStringLiteral("Не удалось сохранить книгу"), folder + '/' + name,
                            systemreason::ofError(error))};
    }
    return {{},
            refusal(QStringLiteral("Не удалось выбрать имя нового файла в папке"), folder,
                    QStringLiteral("все имена заняты"))};
}

} // namespace safefile
