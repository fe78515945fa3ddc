#pragma once
// The staging folders in which files are written before they are moved into place
// (core/SafeFile.h): hidden ".vedan-XXXXXX" folders beside the target. A folder being written
// is registered here, so that a terminating signal (SIGINT, SIGTERM, SIGHUP, SIGPIPE) removes
// it with what it holds before the process ends; only SIGKILL, which no program can catch,
// leaves one behind, and a later save into the same folder removes this user's own staging
// folders once they are a day old. Depends on the C library only.

#include <QByteArray>

namespace staging {

// The start of every staging folder's name.
inline constexpr char kPrefix[] = ".vedan-";
// A staging folder untouched for longer than this is left from a killed process.
inline constexpr long kStaleSeconds = 24L * 60 * 60;

// Registers a staging folder being written; answers the slot to leave, or -1 when every slot
// is taken (the folder is then only removed in the ordinary way).
int enter(const QByteArray& path);
void leave(int slot);

// Removes every registered folder with what it holds. Async-signal-safe.
void removeAllNow() noexcept;

// Handlers of SIGINT, SIGTERM, SIGHUP and SIGPIPE that remove the registered folders and then
// end the process by the signal, as it would have ended without them.
void removeOnTerminatingSignals();

// Removes the staging folders in `folder` that belong to this user and were last changed over
// kStaleSeconds ago; other users' folders and anything else are left alone.
void removeStale(const QByteArray& folder);

// Removes the folder `name` in the open folder `parent` (AT_FDCWD for a path) with the files it
// holds, never following a link. Async-signal-safe.
void removeFolder(int parent, const char* name) noexcept;

} // namespace staging
