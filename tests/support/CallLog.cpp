// A library preloaded into a program under test (LD_PRELOAD) that logs the calls whose order
// matters to the tests: fsync and fdatasync with the file they sync, rename with both names,
// and each thread started. One line a call is appended to the file named by
// $VEDAN_CALL_LOG: "fsync PATH", "rename FROM TO", "thread". The calls themselves go on to the
// C library unchanged. Depends on the C library only.

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace {

void logLine(const char* what, const char* first, const char* second)
{
    const char* log = std::getenv("VEDAN_CALL_LOG");
    if (!log)
        return;
    const int saved = errno;
    char line[3 * PATH_MAX];
    const int n = std::snprintf(line, sizeof line, "%s%s%s%s%s\n", what, first ? " " : "",
                                first ? first : "", second ? " " : "", second ? second : "");
    const int fd = ::open(log, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0 && n > 0) {
        [[maybe_unused]] const ssize_t written =
            ::write(fd, line, std::min(size_t(n), sizeof line - 1));
        ::close(fd);
    }
    errno = saved;
}

void logSync(const char* what, int fd)
{
    char link[64];
    char path[PATH_MAX] = "?";
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = ::readlink(link, path, sizeof path - 1);
    path[n > 0 ? n : 1] = '\0';
    logLine(what, path, nullptr);
}

template <typename F> F next(const char* name)
{
    return reinterpret_cast<F>(::dlsym(RTLD_NEXT, name));
}

// An absolute name of a path given to rename: relative ones are taken from the working folder.
const char* absolute(const char* path, char* buffer)
{
    if (path[0] == '/' || !::getcwd(buffer, PATH_MAX))
        return path;
    std::strncat(buffer, "/", PATH_MAX - std::strlen(buffer) - 1);
    std::strncat(buffer, path, PATH_MAX - std::strlen(buffer) - 1);
    return buffer;
}

} // namespace

extern "C" {

int fsync(int fd)
{
    logSync("fsync", fd);
    return next<int (*)(int)>("fsync")(fd);
}

int fdatasync(int fd)
{
    logSync("fsync", fd);
    return next<int (*)(int)>("fdatasync")(fd);
}

int rename(const char* from, const char* to)
{
    char fromBuffer[PATH_MAX];
    char toBuffer[PATH_MAX];
    logLine("rename", absolute(from, fromBuffer), absolute(to, toBuffer));
    return next<int (*)(const char*, const char*)>("rename")(from, to);
}

int pthread_create(pthread_t* thread, const pthread_attr_t* attributes, void* (*start)(void*),
                   void* argument)
{
    logLine("thread", nullptr, nullptr);
    using Create = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
    return next<Create>("pthread_create")(thread, attributes, start, argument);
}

} // extern "C"
