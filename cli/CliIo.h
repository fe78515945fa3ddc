#pragma once
// Output of vedan-cli: UTF-8 lines on standard output and standard error, and the one way every
// output-file option (--xlsx, --pdf, --out) writes its file. Depends on Qt Core and core.

#include "core/Failure.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace cli {

// A text, which may run over several lines.
void out(const QString& line);
// Lines of a listing: each one line, a line break inside one shown as \u000a.
void outLines(const QStringList& lines);
// A message on standard error: one line, a line break inside it (from a file name, say) shown as
// \u000a, so that no name can add a line of its own.
void err(const QString& line);
// Prints the failure's message to standard error, if there is one; true when there was one.
bool failed(const vedan::Status& failure);
// Prints the problem, if any, and the Russian usage text to standard error and returns 2.
int usage(const QString& problem = QString());

// Standard output must take what is printed. The reason of its first failed write is kept, and
// the failure is reported once: by the command that met it (outputFailure) or when the tool ends
// (checkedOutput).
void flushOut();
// The failure of a write to standard output that failed with `error`, counted as reported.
vedan::Failure outputFailure(int error);
// Flushes standard output and reports a failure not reported yet; answers the exit status,
// 1 instead of 0 after a failure.
int checkedOutput(int status);

// Writes the bytes of a file named by an output option (--pdf, --out) as every file of the program
// is saved (see core/SafeFile.h): whole or not at all, replacing a file atomically with its
// permissions, following a link, refusing devices, pipes, sockets and folders; "-" is standard
// output. A workbook (--xlsx) is saved by the same rules by the spreadsheet layer itself
// (XLApp::setTargetFile).
vedan::Status saveOutput(const QString& path, const QByteArray& bytes);

// A file named by an option: "--xlsx" and its value.
struct NamedFile {
    QString option;
    QString path;
};
// The usage problem when an output would destroy an input or another output: the same file
// (the same device and inode, through any name or link; a file not made yet, a dangling link's
// target included, by its folder's device and inode and its name), two outputs to standard
// output, or standard output itself redirected into an input ("size --batch a.csv >> a.csv").
// Empty paths are unused options.
struct FileRoles {
    QList<NamedFile> inputs;
    QList<NamedFile> outputs;
};
std::optional<QString> clashingFiles(const FileRoles& files);

} // namespace cli
