#include "sheet/XlsxText.h"

#include <algorithm>

namespace sheet {

namespace {

bool isHex(QChar c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Whether "_xHHHH" starts at position i and "_" follows.
bool escapeAt(const QString& text, qsizetype i)
{
    if (i + 7 > text.size() || text[i] != '_' || (text[i + 1] != 'x' && text[i + 1] != 'X')
        || text[i + 6] != '_')
        return false;
    for (qsizetype k = i + 2; k < i + 6; ++k)
        if (!isHex(text[k]))
            return false;
    return true;
}

// A control character that the file holds only as its escape "_xHHHH_".
bool needsEscape(char16_t c) { return c < 0x20 && c != '\t' && c != '\n'; }

// Whether the typed text at position i would read back as an escape once stored: "_xHHHH_"
// itself, or "_xHHHH" before a control character, whose escape brings the closing "_".
bool typedEscapeAt(const QString& text, qsizetype i)
{
    if (escapeAt(text, i))
        return true;
    if (i + 7 > text.size() || !needsEscape(text[i + 6].unicode()))
        return false;
    QString closed = text.mid(i, 6) + '_';
    return escapeAt(closed, 0);
}

QString escaped(char16_t c)
{
    return QStringLiteral("_x%1_").arg(QString::number(c, 16).rightJustified(4, '0').toUpper());
}

} // namespace

QString cellTextForFile(const QString& text)
{
    // Most texts hold nothing to escape: they are kept as they are, without a copy.
    const bool plain = std::none_of(text.begin(), text.end(), [](QChar c) {
        return c.unicode() < 0x20 || c == '_' || c.isSurrogate() || c.unicode() >= 0xFFFE;
    });
    if (plain)
        return text;
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += text[i];
            out += text[++i];
        } else if (QChar::isSurrogate(c) || c == 0 || c == 0xFFFE || c == 0xFFFF) {
            out += QChar(replacementCharacter);
        } else if (needsEscape(c)) {
            out += escaped(c);
        } else if (typedEscapeAt(text, i)) {
            out += QStringLiteral("_x005F");
            out += text[i]; // the underscore, now escaped; "xHHHH_" follows as it is
        } else {
            out += text[i];
        }
    }
    return out;
}

QString cellTextFromFile(const QString& stored)
{
    QString out;
    out.reserve(stored.size());
    for (qsizetype i = 0; i < stored.size(); ++i) {
        if (escapeAt(stored, i)) {
            out += QChar(char16_t(stored.mid(i + 2, 4).toUShort(nullptr, 16)));
            i += 6;
        } else {
            out += stored[i];
        }
    }
    return out;
}

bool isNameCharacter(char32_t c)
{
    return c >= 0x20 && c != 0xFFFE && c != 0xFFFF && !(c >= 0xD800 && c <= 0xDFFF)
           && c <= 0x10FFFF;
}

bool hasNonNameCharacter(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (!isNameCharacter(c.unicode()))
            return true;
    }
    return false;
}

bool fileCanCarry(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c == '\t' || c == '\n' || c == '\r')
            continue;
        if (!isNameCharacter(c.unicode()))
            return false;
    }
    return true;
}

} // namespace sheet
