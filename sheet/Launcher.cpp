#include "sheet/Launcher.h"

#include "core/SafeFile.h"
#include "sheet/XlsxText.h"

#include <QDateTime>
#include <QProcess>
#include <QStandardPaths>

namespace sheet {

QString unsavedFolder() { return safefile::exportFolder(); }

QString exportStem(const QString& sheetName)
{
    QString stem = sheetName;
    for (QChar& c : stem)
        if (c == '/' || c == '\\' || c.isSpace() || c.category() == QChar::Other_Control
            || !isNameCharacter(c.unicode()))
            c = '_';
    if (stem.startsWith('.') || stem.startsWith('-'))
        stem.prepend('_');
    return stem + '_' + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
}

namespace {

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

bool openInSpreadsheet(const QString& file)
{
    return startDetached(QStringLiteral("soffice"),
                         {QStringLiteral("--calc"), QStringLiteral("-n"), file})
           || startDetached(QStringLiteral("xdg-open"), {file});
}

} // namespace sheet
