#include "sheet/TextFit.h"

#include <QStringList>
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace sheet {

namespace {

// The advance widths of the bold characters of a font, in hundredths of the widest digit of its
// regular form, rounded up; measured with Qt's QRawFont from the fonts of Debian's packages
// fonts-crosextra-carlito, fonts-dejavu-core and fonts-liberation.
struct FontWidths {
    std::array<std::uint8_t, 95> ascii;    // U+0020 to U+007E
    std::array<std::uint8_t, 64> cyrillic; // А to я
    std::array<std::uint8_t, 15> others;   // the characters of kOthers, in its order
};
constexpr char32_t kFirstAscii = 0x20;
constexpr char32_t kFirstCyrillic = 0x410;
constexpr std::array<char32_t, 15> kOthers = {0x00A0, 0x00AB, 0x00B0, 0x00B2, 0x00B3,
                                              0x00B7, 0x00BB, 0x0401, 0x0451, 0x2013,
                                              0x2014, 0x2026, 0x2116, 0x2212, 0x221A};
constexpr FontWidths kCarlito = {
    {45,  65,  87,  99,  100, 144, 139, 46,  62,  62,  99,  99,  51,  61,  53,  85,  100, 100, 100,
     100, 100, 100, 100, 100, 100, 100, 55,  55,  99,  99,  99,  92,  178, 120, 111, 105, 125, 97,
     91,  126, 125, 53,  66,  108, 84,  173, 130, 134, 105, 136, 112, 94,  98,  129, 117, 179, 109,
     103, 95,  65,  85,  65,  99,  99,  60,  98,  106, 83,  106, 100, 63,  94,  106, 49,  51,  95,
     49,  161, 106, 107, 106, 106, 71,  79,  69,  106, 94,  147, 91,  94,  79,  68,  94,  68,  99},
    {120, 110, 111, 86,  133, 97,  165, 96,  129, 129, 112, 125, 173, 125, 134, 125,
     105, 105, 98,  108, 143, 109, 130, 113, 177, 183, 127, 158, 110, 107, 181, 114,
     98,  105, 98,  70,  115, 100, 146, 85,  110, 110, 98,  104, 141, 108, 107, 106,
     106, 83,  77,  94,  134, 91,  111, 97,  151, 156, 111, 141, 98,  87,  149, 99},
    {45, 107, 68, 67, 67, 53, 107, 97, 100, 99, 179, 141, 207, 99, 99},
};
constexpr FontWidths kDejaVuSans = {
    {55,  72,  82,  132, 110, 158, 138, 49,  72,  72,  83,  132, 60,  66,  60,  58,  110, 110, 110,
     110, 110, 110, 110, 110, 110, 110, 63,  63,  132, 132, 132, 92,  158, 122, 120, 116, 131, 108,
     108, 129, 132, 59,  59,  122, 101, 157, 132, 134, 116, 134, 121, 114, 108, 128, 122, 174, 122,
     114, 114, 72,  58,  72,  132, 79,  79,  107, 113, 94,  113, 107, 69,  113, 112, 54,  54,  105,
     54,  164, 112, 108, 113, 113, 78,  94,  76,  112, 103, 146, 102, 103, 92,  112, 58,  112, 132},
    {122, 120, 120, 101, 140, 108, 193, 112, 132, 132, 129, 131, 157, 132, 134, 132,
     116, 116, 108, 122, 156, 122, 146, 127, 195, 209, 148, 163, 120, 116, 185, 121,
     107, 110, 100, 83,  127, 107, 157, 92,  111, 111, 107, 116, 129, 109, 108, 109,
     113, 94,  92,  103, 156, 102, 117, 108, 167, 174, 119, 143, 100, 94,  153, 101},
    {55, 102, 79, 69, 69, 60, 102, 108, 107, 79, 158, 158, 190, 132, 105},
};
constexpr FontWidths kLiberationSans = {
    {50,  60,  86,  100, 100, 160, 130, 43,  60,  60,  70,  105, 50,  60,  50,  50,  100, 100, 100,
     100, 100, 100, 100, 100, 100, 100, 60,  60,  105, 105, 105, 110, 176, 130, 130, 130, 130, 120,
     110, 140, 130, 50,  100, 130, 110, 150, 130, 140, 120, 140, 130, 120, 110, 130, 120, 170, 120,
     120, 110, 60,  50,  60,  105, 100, 60,  100, 110, 100, 110, 100, 60,  110, 110, 50,  50,  100,
     50,  160, 110, 110, 110, 110, 70,  100, 60,  110, 100, 140, 100, 100, 90,  70,  51,  70,  105},
    {130, 130, 130, 102, 129, 120, 163, 113, 130, 130, 110, 127, 150, 130, 140, 130,
     120, 130, 110, 112, 154, 120, 132, 127, 181, 184, 157, 176, 130, 128, 186, 130,
     100, 112, 111, 75,  115, 100, 128, 90,  111, 111, 90,  115, 133, 109, 110, 109,
     110, 100, 89,  100, 158, 100, 111, 105, 150, 152, 132, 154, 111, 100, 154, 105},
    {50, 100, 72, 60, 60, 50, 100, 121, 100, 100, 180, 180, 201, 105, 99},
};
// The fonts that show the workbook's Calibri; Calibri itself has the widths of Carlito.
constexpr std::array<const FontWidths*, 3> kFonts = {&kCarlito, &kDejaVuSans, &kLiberationSans};
// Any other character: wider than every one measured.
constexpr double kUnknownWidth = 2.1;

double charWidth(const FontWidths& font, char32_t c)
{
    if (c >= kFirstAscii && c < kFirstAscii + font.ascii.size())
        return font.ascii[c - kFirstAscii] / 100.0;
    if (c >= kFirstCyrillic && c < kFirstCyrillic + font.cyrillic.size())
        return font.cyrillic[c - kFirstCyrillic] / 100.0;
    for (std::size_t i = 0; i < kOthers.size(); ++i)
        if (kOthers[i] == c)
            return font.others[i] / 100.0;
    return kUnknownWidth;
}

// A column is as wide as its width set plus the five pixels of padding of a digit seven pixels
// wide, as the file stores it; the text keeps a margin of about half a digit from the cell's
// edges, here a whole one.
constexpr double kColumnPadding = 5.0 / 7.0;
constexpr double kTextMargin = 1;

// Lines of one paragraph, filled greedily: a word goes on the line while it fits, else it starts
// the next line; blanks at the end of a line need no room, and a word wider than the cell is
// broken where the line is full.
int paragraphLines(const QString& paragraph, const FontWidths& font, double width)
{
    int lines = 1;
    double used = 0;   // the width taken on the current line
    double blanks = 0; // blanks waiting before the next word
    std::u32string word;
    double wordWidth = 0;
    const auto placeWord = [&] {
        if (used + blanks > 0 && used + blanks + wordWidth > width) {
            ++lines;
            used = 0;
        } else {
            used += blanks;
        }
        for (const char32_t c : word) {
            const double w = charWidth(font, c);
            if (used > 0 && used + w > width) {
                ++lines;
                used = 0;
            }
            used += w;
        }
        word.clear();
        wordWidth = 0;
        blanks = 0;
    };
    for (const char32_t c : paragraph.toStdU32String()) {
        if (c == U' ') {
            if (!word.empty())
                placeWord();
            blanks += charWidth(font, c);
        } else {
            word.push_back(c);
            wordWidth += charWidth(font, c);
        }
    }
    if (!word.empty())
        placeWord();
    return lines;
}

} // namespace

int wrappedLines(const QString& text, double width, int columns)
{
    const double room = std::max(width + columns * kColumnPadding - kTextMargin, 1.0);
    const QStringList paragraphs = text.split(QLatin1Char('\n'));
    int most = 1;
    for (const FontWidths* font : kFonts) {
        int lines = 0;
        for (const QString& paragraph : paragraphs)
            lines += paragraphLines(paragraph, *font, room);
        most = std::max(most, lines);
    }
    return most;
}

} // namespace sheet
