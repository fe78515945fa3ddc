#pragma once
// Opening a written file in a desktop program (the spreadsheet application, the PDF viewer)
// without waiting for it, and where it is told when the opening failed. The program runs beside
// this one with its standard streams on the null device, in a session of its own, and is left
// running when this program ends; whether it started and how it ended is watched on the event
// loop, so that a viewer that stays in the foreground until the user closes it blocks nothing
// and is no failure while it runs. Depends on Qt Core only.

#include "core/Failure.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace desktop {

// A program that opens a file given after its own arguments.
struct Command {
    QString program;
    QStringList arguments;
};

// Told why a file could not be opened, in Russian; never told when the opening succeeded. It
// runs on the event loop, never within the call that opened the file (at once where there is no
// application object, as in a library test).
using Failed = std::function<void(const QString& reason)>;
// The step that opens a written file, as the layers hand it round and tests replace it.
using Opener = std::function<void(const QString& file, const Failed& failed)>;

// Starts the first of the commands whose program is installed on the file; one that cannot
// start gives way to the next. `failed` is told when no program is installed or none could
// start, or when the one that started ends with a status other than 0 or crashes.
void open(const QList<Command>& commands, const QString& file, Failed failed);

// Tells `failed` the reason as an opening that failed does: on the event loop.
void failLater(const Failed& failed, const QString& reason);

// Where a failed opening is told once it is known, after the command that wrote the file has
// returned: the work windows put their report here (ui/shell/WorkWindow.h). Unset, nothing is told.
using Report = std::function<void(const vedan::Failure& failure)>;
// Replaces where failed openings are told; returns the previous place.
Report setReport(Report report);
void report(const vedan::Failure& failure);

} // namespace desktop
