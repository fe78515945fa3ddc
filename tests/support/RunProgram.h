#pragma once
// Runs vedan-cli, or another program, and keeps what it printed. The one runner of every test:
// a program that does not end in time is killed and its run reads as status kTimedOut, one that
// dies of a signal as kCrashed, so neither can pass for an exit with status 0.

#include "tests/support/PlainUser.h"
#include "tests/support/WorkbookReader.h"

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

struct CliRun {
    static constexpr int kTimedOut = -2;
    static constexpr int kCrashed = -1;

    int status = kCrashed;
    QByteArray out;
    QString err;
    QString text() const { return QString::fromUtf8(out); }
    // Standard output as lines, without the last line break.
    QStringList lines() const
    {
        QString all = text();
        if (all.endsWith(QLatin1Char('\n')))
            all.chop(1);
        return all.split(QLatin1Char('\n'));
    }
};

// How to start the program beyond its arguments.
struct RunSettings {
    // "NAME=VALUE" added to the test's own environment; "NAME" alone removes NAME.
    QStringList environment;
    QString workingDirectory;
    // Standard output goes to this file (/dev/full, say) instead of being kept.
    QString standardOutputFile;
    // Bytes past this size are not written (SIGXFSZ ignored), as on a full disk; 0 for none.
    long fileSizeLimit = 0;
    // The program starts with its standard output closed.
    bool closedStandardOutput = false;
    // Run by the superuser, the program runs as the plain user "nobody".
    bool asPlainUser = false;
    int timeoutMs = 120000;
};

inline CliRun runProgram(const QString& program, const QStringList& args,
                         const RunSettings& settings = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : settings.environment) {
        const qsizetype eq = entry.indexOf(QLatin1Char('='));
        if (eq < 0)
            env.remove(entry);
        else
            env.insert(entry.left(eq), entry.mid(eq + 1));
    }
    process.setProcessEnvironment(env);
    if (!settings.standardOutputFile.isEmpty())
        process.setStandardOutputFile(settings.standardOutputFile);
    if (!settings.workingDirectory.isEmpty())
        process.setWorkingDirectory(settings.workingDirectory);
    const long limit = settings.fileSizeLimit;
    const bool closeOut = settings.closedStandardOutput;
    const bool plain = settings.asPlainUser && ::geteuid() == 0;
    process.setChildProcessModifier([limit, closeOut, plain] {
        if (plain && !becomePlainUser())
            ::_exit(127);
        if (limit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit bound{rlim_t(limit), rlim_t(limit)};
            setrlimit(RLIMIT_FSIZE, &bound);
        }
        if (closeOut)
            ::close(STDOUT_FILENO);
    });
    process.start(program, args);
    CliRun run;
    if (!process.waitForFinished(settings.timeoutMs)) {
        process.kill();
        process.waitForFinished(10000);
        run.status = process.error() == QProcess::Timedout ? CliRun::kTimedOut : CliRun::kCrashed;
    } else {
        run.status =
            process.exitStatus() == QProcess::NormalExit ? process.exitCode() : CliRun::kCrashed;
    }
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

inline CliRun runCli(const QStringList& args, const RunSettings& settings = {})
{
    return runProgram(cliPath(), args, settings);
}
