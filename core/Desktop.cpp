#include "core/Desktop.h"

#include "core/SystemReasons.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include <memory>
#include <set>
#include <unistd.h>
#include <utility>

namespace desktop {

namespace {

// What xdg-open's exit statuses mean, from its manual page (xdg-open(1), "EXIT CODES").
QString xdgOpenMeaning(int status)
{
    switch (status) {
    case 1: return QStringLiteral("ошибка в командной строке");
    case 2: return QStringLiteral("файл не найден");
    case 3: return QStringLiteral("не найдена программа для файлов этого типа");
    case 4: return QStringLiteral("программа не смогла открыть файл");
    default: return {};
    }
}

QString exitReason(const QString& program, int status)
{
    QString reason = QStringLiteral("программа %1 завершилась с кодом %2").arg(program).arg(status);
    const QString meaning =
        program == QLatin1String("xdg-open") ? xdgOpenMeaning(status) : QString();
    return meaning.isEmpty() ? reason : reason + QStringLiteral(" (") + meaning + QLatin1Char(')');
}

// The programs under way. Their processes are never destroyed but by their own end: destroying
// one would end a viewer that the user still has open when this program ends.
std::set<QProcess*>& running()
{
    static auto* processes = new std::set<QProcess*>;
    return *processes;
}

struct Opening {
    QList<Command> left; // the installed commands not yet tried
    QString file;
    Failed failed;
    QStringList reasons; // why the commands tried so far could not start
};

void startNext(const std::shared_ptr<Opening>& opening)
{
    if (opening->left.isEmpty()) {
        failLater(opening->failed, opening->reasons.join(QStringLiteral("; ")));
        return;
    }
    const Command command = opening->left.takeFirst();
    auto* process = new QProcess;
    running().insert(process);
    process->setProgram(QStandardPaths::findExecutable(command.program));
    process->setArguments(command.arguments + QStringList{opening->file});
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    // A session of its own, as a detached program has: a signal to this program's terminal
    // does not reach the viewer.
    process->setChildProcessModifier([] { ::setsid(); });
    const auto ended = [process] {
        running().erase(process);
        process->deleteLater();
    };
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [opening, command, process, ended](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return; // a crash is told by `finished`
                         opening->reasons
                             << QStringLiteral("программа %1 не запустилась: %2")
                                    .arg(command.program,
                                         systemreason::inRussian(process->errorString()));
                         ended();
                         startNext(opening);
                     });
    QObject::connect(
        process, &QProcess::finished, process,
        [opening, command, ended](int status, QProcess::ExitStatus how) {
            ended();
            if (how == QProcess::CrashExit)
                failLater(opening->failed,
                          QStringLiteral("программа %1 завершилась аварийно").arg(command.program));
            else if (status != 0)
                failLater(opening->failed, exitReason(command.program, status));
        });
    process->start();
}

Report& reportPlace()
{
    static Report place;
    return place;
}

} // namespace

void open(const QList<Command>& commands, const QString& file, Failed failed)
{
    auto opening = std::make_shared<Opening>(Opening{{}, file, std::move(failed), {}});
    QStringList programs;
    for (const Command& command : commands) {
        programs << command.program;
        if (!QStandardPaths::findExecutable(command.program).isEmpty())
            opening->left << command;
    }
    if (opening->left.isEmpty()) {
        failLater(opening->failed,
                  programs.size() == 1
                      ? QStringLiteral("не установлена программа %1").arg(programs.front())
                      : QStringLiteral("не установлена ни одна из программ %1")
                            .arg(programs.join(QStringLiteral(", "))));
        return;
    }
    startNext(opening);
}

void failLater(const Failed& failed, const QString& reason)
{
    if (!failed)
        return;
    QCoreApplication* application = QCoreApplication::instance();
    if (!application) {
        failed(reason); // no event loop to wait for
        return;
    }
    QMetaObject::invokeMethod(
        application, [failed, reason] { failed(reason); }, Qt::QueuedConnection);
}

Report setReport(Report report) { return std::exchange(reportPlace(), std::move(report)); }

void report(const vedan::Failure& failure)
{
    if (reportPlace())
        reportPlace()(failure);
}

} // namespace desktop
