#pragma once
// Output of vedan-cli: UTF-8 lines on standard output and standard error.

#include "core/Failure.h"

#include <QString>
#include <QStringList>

namespace cli {

void out(const QString& line);
void outLines(const QStringList& lines);
void err(const QString& line);
// Prints the failure's message to standard error, if there is one; true when there was one.
bool failed(const vedan::Status& failure);
// Prints the usage text to standard error and returns 2.
int usage();

} // namespace cli
