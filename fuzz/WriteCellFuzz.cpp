// The typed-input rule of writeCell on any text: the cell becomes a number, a formula, a text
// or stays empty, or the operation is refused with SheetError; a text cell is stored in a form
// the file can carry, which reads back as typed with only the uncarriable characters replaced.
#include "fuzz/FuzzSupport.h"
#include "sheet/XLApp.h"
#include "sheet/XlsxText.h"
#include "tests/sheet/StartSheet.h"

#include <cmath>

using sheet::SheetError;
using sheet::XLApp;

namespace {

// What a spreadsheet reads back: the characters the format cannot carry become U+FFFD.
QString carried(const QString& typed)
{
    QString out;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar c = typed[i];
        if (c.isHighSurrogate() && i + 1 < typed.size() && typed[i + 1].isLowSurrogate()) {
            out += c;
            out += typed[++i];
        } else if (c.isSurrogate() || c == QChar(0) || c.unicode() >= 0xFFFE) {
            out += QChar(sheet::replacementCharacter);
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString text = fuzz::text(data, size);
    XLApp xl;
    startSheet(xl);
    try {
        xl.writeCell(QStringLiteral("B2"), QStringLiteral("B2"), text);
    } catch (const SheetError&) {
        return 0;
    }
    const auto cell = xl.model().cell(QStringLiteral("B2"));
    fuzz::require(cell.has_value());
    switch (cell->kind) {
    case sheet::Cell::Kind::Number: fuzz::require(std::isfinite(cell->number)); break;
    case sheet::Cell::Kind::Formula: fuzz::require(sheet::fileCanCarry(cell->text)); break;
    case sheet::Cell::Kind::Text: {
        const QString stored = sheet::cellTextForFile(cell->text);
        fuzz::require(stored.size() <= 32767);
        for (qsizetype i = 0; i < stored.size(); ++i) {
            const QChar c = stored[i];
            if (c.isHighSurrogate() && i + 1 < stored.size() && stored[i + 1].isLowSurrogate()) {
                ++i;
                continue;
            }
            fuzz::require(c == '\t' || c == '\n' || sheet::isNameCharacter(c.unicode()));
        }
        fuzz::require(sheet::cellTextFromFile(stored) == carried(cell->text));
        break;
    }
    case sheet::Cell::Kind::Empty: break;
    }
    return 0;
}
