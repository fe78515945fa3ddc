#include "ui/shell/UiFonts.h"

#include <QFontMetrics>
#include <QStringList>

namespace uifonts {

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
    // The widest of the narrower faces, in steps of 2 %, that fits; a stand-in never drops below
    // three quarters of its width. The text narrows as the stretch falls, so the steps are
    // halved rather than tried one by one (each face tried is a face loaded).
    auto narrowed = [&font](int step) {
        QFont narrower = font;
        narrower.setStretch(QFont::Unstretched - 2 * step);
        return narrower;
    };
    const auto fits = [&](int step) {
        return QFontMetrics(narrowed(step)).horizontalAdvance(text) <= width;
    };
    int low = 1;                                            // the widest narrower face
    int high = (QFont::Unstretched - QFont::Condensed) / 2; // the narrowest
    if (!fits(high))
        return narrowed(high);
    while (low < high) {
        const int middle = (low + high) / 2;
        if (fits(middle))
            high = middle;
        else
            low = middle + 1;
    }
    return narrowed(high);
}

} // namespace uifonts
