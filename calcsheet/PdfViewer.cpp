#include "calcsheet/PdfViewer.h"

#include "sheet/Launcher.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace calcsheet {

namespace {

bool startViewer(const QString& file)
{
    const QString executable = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (executable.isEmpty())
        return false;
    QProcess process;
    process.setProgram(executable);
    process.setArguments({file});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}

Opener& opener()
{
    static Opener current = startViewer;
    return current;
}

} // namespace

QString reservePdfFile(const QString& stem)
{
    const QString folder = sheet::unsavedFolder();
    if (!QDir().mkpath(folder))
        return QString();
    QString safe = stem;
    for (QChar& c : safe)
        if (c == '/' || c == '\\' || c.isSpace() || c.category() == QChar::Other_Control)
            c = '_';
    const QString base = folder + QLatin1Char('/') + safe + QLatin1Char('_')
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (int n = 1; n < 10000; ++n) {
        QString name =
            n == 1 ? base + QStringLiteral(".pdf") : base + QStringLiteral("_%1.pdf").arg(n);
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return name;
    }
    return QString();
}

Opener setOpener(Opener replacement)
{
    Opener previous = std::move(opener());
    opener() = std::move(replacement);
    return previous;
}

bool openPdf(const QString& file) { return opener()(file); }

vedan::Outcome<QString> showSheet(const SheetData& data)
{
    const vedan::Outcome<QByteArray> pdf = renderPdf(data);
    if (pdf.failure)
        return {{}, pdf.failure};
    const QString file = reservePdfFile(QStringLiteral("Расчётный лист"));
    if (file.isEmpty())
        return {{},
                vedan::Failure::file(QStringLiteral("Не удалось создать файл расчётного листа "
                                                    "в папке %1")
                                         .arg(sheet::unsavedFolder()))};
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || out.write(pdf.value) != pdf.value.size() || !out.flush())
        return {
            file,
            vedan::Failure::file(
                QStringLiteral("Не удалось записать файл %1: %2").arg(file, out.errorString()))};
    out.close();
    if (!openPdf(file))
        return {file, vedan::Failure::file(
                          QStringLiteral("Не удалось открыть файл %1: не найдена программа "
                                         "просмотра PDF (xdg-open)")
                              .arg(file))};
    return {file, std::nullopt};
}

} // namespace calcsheet
