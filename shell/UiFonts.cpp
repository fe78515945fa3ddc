#include "shell/UiFonts.h"

#include <QFontMetrics>
#include <QStringList>

namespace uiFonts {

namespace {

QFont withFamilies(const QStringList& families, int pixelHeight)
{
    QFont font;
    font.setFamilies(families);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelHeight);
    return font;
}

} // namespace

QFont sansSerif(int pixelHeight)
{
    return withFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                         QStringLiteral("DejaVu Sans Condensed"),
                         QStringLiteral("Liberation Sans Narrow"), QStringLiteral("DejaVu Sans")},
                        pixelHeight);
}

QFont windowFont() { return sansSerif(11); }

QFont menuFont() { return windowFont(); }

QFont productCaption()
{
    QFont font =
        withFamilies({QStringLiteral("MS Reference Sans Serif"), QStringLiteral("Verdana"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")},
                     19);
    font.setBold(true);
    font.setItalic(true);
    return font;
}

QFont fittedTo(const QFont& font, const QString& text, int width)
{
    if (QFontMetrics(font).horizontalAdvance(text) <= width)
        return font;
    // Narrow the face step by step; a stand-in never drops below three quarters of its width.
    QFont narrower = font;
    for (int stretch = QFont::Unstretched; stretch >= QFont::Condensed; stretch -= 2) {
        narrower.setStretch(stretch);
        if (QFontMetrics(narrower).horizontalAdvance(text) <= width)
            return narrower;
    }
    return narrower;
}

} // namespace uiFonts
