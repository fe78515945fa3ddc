// Sheet names: any text is accepted or refused with SheetError; an accepted name is one the
// file can carry, and the unsaved workbook's file name made from it is a plain file name.
#include "fuzz/FuzzSupport.h"
#include "sheet/Launcher.h"
#include "sheet/XLApp.h"
#include "sheet/XlsxText.h"
#include "tests/sheet/StartSheet.h"

using sheet::SheetError;
using sheet::XLApp;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString name = fuzz::text(data, size);
    XLApp xl;
    startSheet(xl);
    bool accepted = true;
    try {
        xl.nameSheet(name);
    } catch (const SheetError& e) {
        accepted = false;
        for (const QChar c : QString::fromUtf8(e.what()))
            fuzz::require(c.unicode() >= 0x20);
    }
    if (accepted) {
        fuzz::require(!name.isEmpty() && name.size() <= 31);
        fuzz::require(!sheet::hasNonNameCharacter(name));
        for (const char forbidden : {'[', ']', ':', '*', '?', '/', '\\'})
            fuzz::require(!name.contains(QLatin1Char(forbidden)));
        const QString stem = sheet::exportStem(name);
        fuzz::require(!stem.contains('/') && !stem.startsWith('.') && !stem.startsWith('-'));
        fuzz::require(!sheet::hasNonNameCharacter(stem));
    }
    return 0;
}
