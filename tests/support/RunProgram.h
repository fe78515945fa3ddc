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
#include <sched.h>
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
    QStringList environment = {};
    QString workingDirectory = {};
    // Standard output goes to this file (/dev/full, say) instead of being kept; appended to
    // ("PROGRAM >> FILE") with appendStandardOutput.
    QString standardOutputFile = {};
    bool appendStandardOutput = false;
    // Bytes past this size are not written (SIGXFSZ ignored), as on a full disk; 0 for none.
    long fileSizeLimit = 0;
    // With fileSizeLimit: SIGXFSZ keeps its default action, as a shell leaves it ("ulimit -f"),
    // so that the program sees the signal unless it ignores it itself.
    bool fileSizeSignal = false;
    // At most this many processes and threads of the user (ulimit -u), set after the program
    // became the plain user; 0 for no limit. The superuser is exempt: use with asPlainUser.
    long processLimit = 0;
    // Runs on the first this many of the cores the test may use; 0 for all of them.
    int cores = 0;
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
        process.setStandardOutputFile(settings.standardOutputFile, settings.appendStandardOutput
                                                                       ? QIODevice::Append
                                                                       : QIODevice::Truncate);
    if (!settings.workingDirectory.isEmpty())
        process.setWorkingDirectory(settings.workingDirectory);
    const bool plain = settings.asPlainUser && ::geteuid() == 0;
    process.setChildProcessModifier([settings, plain] {
        if (plain && !becomePlainUser())
            ::_exit(127);
        if (settings.processLimit > 0) {
            const rlimit bound{rlim_t(settings.processLimit), rlim_t(settings.processLimit)};
            setrlimit(RLIMIT_NPROC, &bound);
        }
        if (settings.fileSizeLimit > 0) {
            std::signal(SIGXFSZ, settings.fileSizeSignal ? SIG_DFL : SIG_IGN);
            const rlimit bound{rlim_t(settings.fileSizeLimit), rlim_t(settings.fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &bound);
        }
        if (settings.cores > 0) {
            cpu_set_t may;
            cpu_set_t chosen;
            CPU_ZERO(&chosen);
            if (sched_getaffinity(0, sizeof may, &may) == 0) {
                for (int cpu = 0, taken = 0; cpu < CPU_SETSIZE && taken < settings.cores; ++cpu)
                    if (CPU_ISSET(cpu, &may)) {
                        CPU_SET(cpu, &chosen);
                        ++taken;
                    }
                sched_setaffinity(0, sizeof chosen, &chosen);
            }
        }
        if (settings.closedStandardOutput)
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
