#include "calcsheet/PdfViewer.h"

#include "core/Desktop.h"
#include "core/SafeFile.h"
#include "core/SystemReasons.h"
#include "sheet/Launcher.h"

#include <QFile>

namespace calcsheet {

namespace {

void startViewer(const QString& file, const desktop::Failed& failed)
{
    desktop::open({{QStringLiteral("xdg-open"), {}}}, file, failed);
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

void openPdf(const QString& file, const desktop::Failed& failed)
{
    if (opener())
        opener()(file, failed);
    else
        desktop::failLater(failed, QStringLiteral("не задана программа просмотра PDF"));
}

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
                                            .arg(systemreason::inRussian(out.errorString())));
        });
    if (saved.failure)
        return saved;
    const QString file = saved.value;
    openPdf(file, [file](const QString& reason) {
        desktop::report(vedan::Failure::file(
            QStringLiteral("Расчётный лист записан в файл %1, но открыть его не удалось: %2")
                .arg(file, reason)));
    });
    return {file, std::nullopt};
}

} // namespace calcsheet
