#include "calcsheet/PdfViewer.h"

#include "core/Desktop.h"
#include "core/SafeFile.h"
#include "core/SystemReasons.h"
#include "sheet/Launcher.h"

#include <QFile>

namespace calcsheet {

namespace {

bool startViewer(const QString& file)
{
    return desktop::startDetached(QStringLiteral("xdg-open"), {file});
}

Opener& opener()
{
    static Opener current = startViewer;
    return current;
}

} // namespace

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
    // A new file in the user's private export folder, written as every export is written.
    vedan::Outcome<QString> saved = safefile::saveNewExport(
        sheet::exportStem(QStringLiteral("Расчётный лист")), QStringLiteral(".pdf"),
        [&](const QString& privateFile) -> vedan::Status {
            QFile out(privateFile);
            if (out.open(QIODevice::WriteOnly) && out.write(pdf.value) == pdf.value.size()
                && out.flush())
                return std::nullopt;
            return vedan::Failure::file(QStringLiteral("Не удалось записать расчётный лист: %1")
                                            .arg(systemReason::inRussian(out.errorString())));
        });
    if (saved.failure)
        return saved;
    const QString& file = saved.value;
    if (!openPdf(file))
        return {file, vedan::Failure::file(
                          QStringLiteral("Не удалось открыть файл %1: не найдена программа "
                                         "просмотра PDF (xdg-open)")
                              .arg(file))};
    return {file, std::nullopt};
}

} // namespace calcsheet
