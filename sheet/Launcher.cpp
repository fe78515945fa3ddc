#include "sheet/Launcher.h"

#include "sheet/XLApp.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace sheet {

QString unsavedFolder() { return QDir::tempPath() + QStringLiteral("/vedan-unsaved"); }

namespace {

QString fileStem(const QString& sheetName)
{
    QString stem = sheetName;
    for (QChar& c : stem)
        if (c == '/' || c == '\\' || c.isSpace() || c.category() == QChar::Other_Control)
            c = '_';
    return stem + '_' + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

bool startDetached(const QString& program, const QStringList& arguments)
{
    const QString executable = QStandardPaths::findExecutable(program);
    if (executable.isEmpty())
        return false;
    QProcess process;
    process.setProgram(executable);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

} // namespace

QString reserveUnsavedFile(const QString& sheetName)
{
    const QString folder = unsavedFolder();
    if (!QDir().mkpath(folder))
        throw SheetError(
            QStringLiteral("Не удалось создать папку несохранённых книг %1").arg(folder));
    const QString stem = folder + '/' + fileStem(sheetName);
    for (int n = 1; n < 10000; ++n) {
        QString name =
            n == 1 ? stem + QStringLiteral(".xlsx") : stem + QStringLiteral("_%1.xlsx").arg(n);
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return name;
    }
    throw SheetError(
        QStringLiteral("Не удалось выбрать имя нового файла книги в папке %1").arg(folder));
}

bool openInSpreadsheet(const QString& file)
{
    return startDetached(QStringLiteral("soffice"),
                         {QStringLiteral("--calc"), QStringLiteral("-n"), file})
           || startDetached(QStringLiteral("xdg-open"), {file});
}

} // namespace sheet
