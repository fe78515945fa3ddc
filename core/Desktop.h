#pragma once
// Starting a desktop program on a file (the spreadsheet application, the PDF viewer), detached
// from this program, with its standard streams on the null device. Depends on Qt Core only.

#include <QString>
#include <QStringList>

namespace desktop {

// False when the program is not installed or could not be started.
bool startDetached(const QString& program, const QStringList& arguments);

} // namespace desktop
