#pragma once
// Runs vedan-cli, or another program, and keeps what it printed.

#include "tests/support/WorkbookReader.h"

#include <QByteArray>
#include <QProcess>
#include <QStringList>

struct CliRun {
    int status = -1;
    QByteArray out;
    QString err;
    QString text() const { return QString::fromUtf8(out); }
};

inline CliRun runProgram(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(120000);
    return {process.exitCode(), process.readAllStandardOutput(),
            QString::fromUtf8(process.readAllStandardError())};
}

inline CliRun runCli(const QStringList& args) { return runProgram(cliPath(), args); }
