#include "assessment/Cp1251.h"

#include <QHash>

#include <array>
#include <cerrno>
#include <iconv.h>

namespace {

struct CodePage {
    std::array<char32_t, 256> toUnicode{};
    QHash<char32_t, unsigned char> fromUnicode;
};

// Converts every byte on its own, so that one undefined byte cannot spoil the others.
CodePage buildCodePage()
{
    CodePage page;
    iconv_t cd = iconv_open("UTF-32LE", "CP1251");
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        unsigned char out[4] = {0, 0, 0, 0};
        char* inPtr = &in;
        char* outPtr = reinterpret_cast<char*>(out);
        size_t inLeft = 1;
        size_t outLeft = sizeof out;
        char32_t unicode = 0xFFFD;
        if (cd != reinterpret_cast<iconv_t>(-1)) {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)
                && outLeft == 0)
                unicode = char32_t(out[0]) | char32_t(out[1]) << 8 | char32_t(out[2]) << 16
                          | char32_t(out[3]) << 24;
        } else if (b < 0x80) {
            unicode = char32_t(b);
        }
        page.toUnicode[b] = unicode;
        if (unicode != 0xFFFD && !page.fromUnicode.contains(unicode))
            page.fromUnicode.insert(unicode, static_cast<unsigned char>(b));
    }
    if (cd != reinterpret_cast<iconv_t>(-1))
        iconv_close(cd);
    return page;
}

const CodePage& codePage()
{
    static const CodePage page = buildCodePage();
    return page;
}

} // namespace

namespace cp1251 {

QByteArray encode(const QString& text)
{
    const CodePage& page = codePage();
    QByteArray bytes;
    for (char32_t c : text.toUcs4()) {
        const auto found = page.fromUnicode.constFind(c);
        bytes.append(found == page.fromUnicode.cend() ? '?' : static_cast<char>(*found));
    }
    return bytes;
}

QString decode(const QByteArray& bytes)
{
    const CodePage& page = codePage();
    QString text;
    for (char b : bytes) {
        const char32_t c = page.toUnicode[static_cast<unsigned char>(b)];
        text.append(QChar(static_cast<char16_t>(c)));
    }
    return text;
}

} // namespace cp1251
