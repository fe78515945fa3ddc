#pragma once
// Output of vedan-cli: UTF-8 lines on standard output and standard error, and the one way every
// output-file option (--xlsx, --pdf, --out) writes its file.

#include "core/Failure.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace cli {

void out(const QString& line);
void outLines(const QStringList& lines);
void err(const QString& line);
// Prints the failure's message to standard error, if there is one; true when there was one.
bool failed(const vedan::Status& failure);
// Prints the problem, if any, and the Russian usage text to standard error and returns 2.
int usage(const QString& problem = QString());

// Writes a file named by an output option; "-" is standard output. The writer produces the
// whole file at the path it is given (which, for standard output, is a temporary file).
using FileWriter = std::function<vedan::Status(const QString& file)>;
vedan::Status saveOutput(const QString& path, const FileWriter& write);
vedan::Status saveOutput(const QString& path, const QByteArray& bytes);

} // namespace cli
