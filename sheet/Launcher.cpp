#include "sheet/Launcher.h"

#include "core/Desktop.h"
#include "core/SafeFile.h"
#include "sheet/XlsxText.h"

#include <QDateTime>

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

void openInSpreadsheet(const QString& file, const desktop::Failed& failed)
{
    desktop::open({{QStringLiteral("soffice"), {QStringLiteral("--calc"), QStringLiteral("-n")}},
                   {QStringLiteral("xdg-open"), {}}},
                  file, failed);
}

} // namespace sheet
