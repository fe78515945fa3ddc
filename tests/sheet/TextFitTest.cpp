// The lines that a wrapped cell's text takes, against Qt's own line breaking of the same text in
// DejaVu Sans Bold, the font that shows the workbook's Calibri where Carlito is missing and the
// widest of those the estimate knows: never fewer lines, and at most one more.
#include "sheet/TextFit.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QTextLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The text laid out in a cell `columns` columns wide whose widths add up to `width`: a column is
// its width and five sevenths of a digit wide, less half a digit of margin (LibreOffice fits 73
// digits across five columns 14 wide).
int laidOutLines(const QString& text, double width, int columns)
{
    QFont regular(QStringLiteral("DejaVu Sans"));
    regular.setPixelSize(1000);
    regular.setHintingPreference(QFont::PreferNoHinting);
    QFont bold = regular;
    bold.setBold(true);
    const QFontMetricsF digits(regular);
    double digit = 0;
    for (char d = '0'; d <= '9'; ++d)
        digit = std::max(digit, digits.horizontalAdvance(QLatin1Char(d)));
    const double room = (width + columns * 5.0 / 7.0 - 0.5) * digit;

    QString laidOut = text;
    laidOut.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(laidOut, bold);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    int lines = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(room);
        ++lines;
    }
    layout.endLayout();
    return lines;
}

TEST(TextFit, NeverFewerLinesThanTheFontLaysOut)
{
    static int argc = 1;
    static char name[] = "sheet_tests";
    static char* argv[] = {name, nullptr};
    static const auto app = std::make_unique<QGuiApplication>(argc, argv);
    QFont dejaVu(QStringLiteral("DejaVu Sans"));
    if (QFontInfo(dejaVu).family() != QStringLiteral("DejaVu Sans"))
        GTEST_SKIP() << "DejaVu Sans is not installed";

    struct Case {
        const char* name;
        QString text;
        double width;
        int columns;
    };
    const QString nbsp9(9, QChar(0x00A0));
    const Case cases[] = {
        {"selection report line, A:C",
         "Перепад давления на клапане с учетом падения давления = 0,10 кгс/см2", 65, 3},
        {"assessment line, A:E",
         "Существующая температура внутреннего воздуха отапливаемых зданий 26,00 C", 70, 5},
        {"assessment line that just fits",
         "Требуемая температура внутреннего воздуха отапливаемых зданий 22,00 C", 70, 5},
        {"no-break spaces",
         " -" + nbsp9 + " автоматическое снижение температуры горячей воды в ночное время.", 70, 5},
        {"paragraph",
         " -   экономия тепловой энергии за счет поддержания комфортной температуры воздуха в "
         "помещениях путём соблюдения заданного графика зависимости температуры теплоносителя, "
         "поступающего в систему отопления, от температуры наружного воздуха;",
         70, 5},
        {"wide capitals", QStringLiteral("ЩЖШЮ Ы ").repeated(30), 70, 5},
        {"a word wider than the cell", QString(120, QChar(0x0428)), 14, 1},
        {"line ends", "Расход сетевой воды\n\nКоэффициент смешения: 1,07 и так далее до конца", 14,
         1},
        {"signs", QStringLiteral("«№ 5» — 1,5 м³/ч · √2 … 26 °C ").repeated(8), 65, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int reference = laidOutLines(c.text, c.width, c.columns);
        const int estimate = sheet::wrappedLines(c.text, c.width, c.columns);
        EXPECT_GE(estimate, reference);
        EXPECT_LE(estimate, reference + 1);
    }
}

} // namespace
