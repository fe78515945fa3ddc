#include "calcsheet/SheetHtml.h"

#include "calcsheet/CalculationSheet.h"

#include <QRegularExpression>
#include <QSizeF>

namespace calcsheet {

QSize chartPixels(double heightMm)
{
    const double width = (210 - 2 * kMarginMm) / 25.4 * kResolution;
    return {static_cast<int>(width), static_cast<int>(heightMm / 25.4 * kResolution)};
}

QString chartParagraph(const QString& resource, double heightMm)
{
    // The document measures an image in pixels of 1/96 inch; the image itself has the sheet's
    // resolution.
    const QSizeF size = QSizeF(chartPixels(heightMm)) * 96.0 / kResolution;
    return QStringLiteral("<p><img src=\"%1\" width=\"%2\" height=\"%3\"/></p>")
        .arg(resource)
        .arg(static_cast<int>(size.width()))
        .arg(static_cast<int>(size.height()));
}

QString esc(const QString& text)
{
    // Word joiners (U+2060) on both sides of the slash, where the line breaker would otherwise
    // break.
    static const QRegularExpression unitSlash(QStringLiteral("(?<=[\\p{L}²³])/(?=[\\p{L}])"));
    static const QRegularExpression numberBlank(QStringLiteral("(?<=\\d) (?=кгс\u2060/)"));
    QString html = text.toHtmlEscaped();
    html.replace(unitSlash, QStringLiteral("\u2060/\u2060"));
    html.replace(numberBlank, QStringLiteral("\u00A0"));
    return html;
}

QString cell(const QString& text, const char* attributes)
{
    return QStringLiteral("<td %1>%2</td>").arg(QString::fromLatin1(attributes), esc(text));
}

QString row(const QStringList& cells)
{
    QString out = QStringLiteral("<tr>");
    for (const QString& c : cells)
        out += cell(c);
    return out + QStringLiteral("</tr>");
}

QString headRow(const QStringList& cells, const std::vector<int>& widths)
{
    QString out = QStringLiteral("<thead><tr>");
    for (qsizetype i = 0; i < cells.size(); ++i)
        out += QStringLiteral("<th width=\"%1%\">").arg(widths.at(static_cast<size_t>(i)))
               + esc(cells[i]) + QStringLiteral("</th>");
    return out + QStringLiteral("</tr></thead>");
}

QString table(const QString& rows)
{
    return QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"1\" "
                          "border=\"1\" style=\"border-collapse: collapse;\">")
           + rows + QStringLiteral("</table>");
}

QString heading(const QString& text)
{
    return QStringLiteral("<h3>") + esc(text) + QStringLiteral("</h3>");
}

QString checksHtml(const std::vector<checks::Check>& found)
{
    if (found.empty())
        return QString();
    QString rows = headRow({QStringLiteral("Состояние"), QStringLiteral("Проверка"),
                            QStringLiteral("Расчёт"), QStringLiteral("Источник")},
                           {13, 19, 54, 14});
    for (const checks::Check& c : found) {
        QString title = c.title;
        if (c.designation)
            title += QStringLiteral(" (") + *c.designation + QLatin1Char(')');
        QString formula = c.formula;
        if (!c.note.isEmpty())
            formula += QStringLiteral("; ") + c.note;
        rows += row({checks::statusText(c.status), title, formula, c.source});
    }
    return heading(QStringLiteral("Инженерные проверки")) + table(rows) + QStringLiteral("<p><b>")
           + esc(conclusion(found)) + QStringLiteral("</b></p>");
}

} // namespace calcsheet
