#pragma once
// Files written safely on a shared machine. A file is always produced inside a fresh private
// folder (mkdtemp, 0700) and only then moved where it belongs, so nobody else can see it half
// written, swap it, or plant a link in its place; a failed write leaves nothing behind and the
// file it would have replaced unchanged.
// - saveReplacing: the way an office suite saves: beside the target on the same file system,
//   then renamed over it atomically, keeping the old file's permissions, following a symbolic
//   link to its target, refusing devices, named pipes, sockets and folders; the folder is
//   synced afterwards so that a power cut cannot lose both the old and the new file.
// - saveToStandardOutput: the finished file copied to standard output ("-" as a target).
// - saveNewExport: a new file in the export folder of this user, $XDG_CACHE_HOME/vedan/unsaved
//   (by default ~/.cache/vedan/unsaved), never replacing anything there.
// Every failure is a vedan::Failure of kind File with a Russian message naming the file and the
// reason. Depends on Qt Core and the C library only.

#include "core/Failure.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

namespace safefile {

// Writes the whole file at the given path (inside a private folder of its own); the failure
// it returns names the file the user asked for, not the private one.
using Writer = std::function<vedan::Status(const QString& privateFile)>;

// The target that means standard output.
inline const QString kStandardOutput = QStringLiteral("-");

vedan::Status saveReplacing(const QString& target, const Writer& write);
vedan::Status saveToStandardOutput(const Writer& write);
// Bytes saved by saveReplacing, or to standard output for "-".
vedan::Status saveBytes(const QString& target, const QByteArray& bytes);
// The file that saveReplacing would write for `target`: its absolute path with symbolic links
// followed as the save follows them (a link to a file not made yet included); nullopt where the
// save would refuse a link.
std::optional<QString> savedFile(const QString& target);

// The whole of a small file the user opened, read as the save writes: a symbolic link followed
// where the save would follow it (a link planted in a shared folder by another user is refused),
// and only a regular file read, so that a named pipe or a device cannot keep the reader waiting.
// A file of more than `maxBytes` bytes is refused with its size. The failure names the file.
vedan::Outcome<QByteArray> readSmallFile(const QString& path, qint64 maxBytes);

// The export folder of this user, as a path; it is checked and made private by saveNewExport.
// $XDG_CACHE_HOME is taken only when it is an absolute path; the home folder is $HOME when that
// is absolute, otherwise the user's entry in the password database. Empty when there is no home
// folder at all; saveNewExport then refuses with a message.
QString exportFolder();
// Makes sure the export folder is this user's own private folder: created 0700; an existing
// "vedan" or "unsaved" that this user owns is set to 0700; a symbolic link in either place or a
// folder of another user is refused.
vedan::Status checkExportFolder();
// Writes a new file "<stem><extension>" in the export folder ("<stem>_2<extension>" and so on
// when the name is taken) and answers its path.
vedan::Outcome<QString> saveNewExport(const QString& stem, const QString& extension,
                                      const Writer& write);

} // namespace safefile
