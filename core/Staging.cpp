#include "core/Staging.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace staging {

namespace {

// A slot is free, being filled, or holds a folder that a signal handler may remove.
enum SlotState : int { kFree, kFilling, kHeld };

struct Slot {
    std::atomic<int> state{kFree};
    char path[PATH_MAX]{};
};

constexpr int kSlots = 16;
Slot registered[kSlots];

// The kernel's directory entry as getdents64 gives it (readdir is not async-signal-safe).
struct DirectoryEntry {
    std::uint64_t inode;
    std::int64_t offset;
    unsigned short length;
    unsigned char type;
    char name[1];
};

bool isDotOrDotDot(const char* name)
{
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

// Unlinks every entry of the open folder, in passes until one finds nothing left (a folder
// read while it changes may skip entries).
void emptyFolder(int folder) noexcept
{
    alignas(8) char buffer[4096];
    for (int pass = 0; pass < 64; ++pass) {
        bool removed = false;
        ::lseek(folder, 0, SEEK_SET);
        for (;;) {
            const long n = ::syscall(SYS_getdents64, folder, buffer, sizeof buffer);
            if (n <= 0)
                break;
            for (long at = 0; at < n;) {
                const auto* entry = reinterpret_cast<const DirectoryEntry*>(buffer + at);
                if (!isDotOrDotDot(entry->name) && ::unlinkat(folder, entry->name, 0) == 0)
                    removed = true;
                at += entry->length;
            }
        }
        if (!removed)
            return;
    }
}

void onTerminatingSignal(int signal)
{
    const int savedErrno = errno;
    removeAllNow();
    errno = savedErrno;
    struct sigaction standard = {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    ::sigaction(signal, &standard, nullptr);
    ::raise(signal);
}

} // namespace

void removeFolder(int parent, const char* name) noexcept
{
    const int folder = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder >= 0) {
        emptyFolder(folder);
        ::close(folder);
    }
    ::unlinkat(parent, name, AT_REMOVEDIR);
}

int enter(const QByteArray& path)
{
    if (path.size() >= PATH_MAX)
        return -1;
    for (int i = 0; i < kSlots; ++i) {
        int expected = kFree;
        if (registered[i].state.compare_exchange_strong(expected, kFilling)) {
            std::memcpy(registered[i].path, path.constData(), size_t(path.size()) + 1);
            registered[i].state.store(kHeld);
            return i;
        }
    }
    return -1;
}

void leave(int slot)
{
    if (slot >= 0 && slot < kSlots)
        registered[slot].state.store(kFree);
}

void removeAllNow() noexcept
{
    for (Slot& slot : registered) {
        int expected = kHeld;
        // Taken out of the list first, so that a second signal does not remove it again.
        if (slot.state.compare_exchange_strong(expected, kFilling))
            removeFolder(AT_FDCWD, slot.path);
    }
}

void removeOnTerminatingSignals()
{
    struct sigaction action = {};
    action.sa_handler = onTerminatingSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        sigaddset(&action.sa_mask, signal);
    }
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        struct sigaction previous = {};
        ::sigaction(signal, nullptr, &previous);
        // A signal ignored by whoever started the program (nohup, a shell's trap) stays ignored.
        if (previous.sa_handler != SIG_IGN)
            ::sigaction(signal, &action, nullptr);
    }
}

void removeStale(const QByteArray& folder)
{
    const int parent = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parent < 0)
        return;
    const std::time_t now = std::time(nullptr);
    alignas(8) char buffer[4096];
    for (;;) {
        const long n = ::syscall(SYS_getdents64, parent, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (long at = 0; at < n;) {
            const auto* entry = reinterpret_cast<const DirectoryEntry*>(buffer + at);
            at += entry->length;
            if (std::strncmp(entry->name, kPrefix, sizeof kPrefix - 1) != 0
                || std::strlen(entry->name) != sizeof kPrefix - 1 + 6)
                continue;
            struct stat st;
            if (::fstatat(parent, entry->name, &st, AT_SYMLINK_NOFOLLOW) != 0
                || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()
                || now - st.st_mtime <= kStaleSeconds)
                continue;
            removeFolder(parent, entry->name);
        }
    }
    ::close(parent);
}

} // namespace staging
