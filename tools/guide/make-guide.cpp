// make-guide: writes the user's guide, one HTML page a chapter, from the chapter templates
// (resources/guide/<chapter>.html.in) and the tables the program runs on. A marker, an HTML
// comment on a line of its own ("<!--@steps hydroelevator-->"), is replaced by the table it
// names, so that the guide prints the formulas, checks, options and constants the program uses.
// An unknown marker or argument stops the build with the file and line.
//
// Usage: make-guide TEMPLATE_FOLDER OUTPUT_FOLDER

#include "calcsheet/CalculationSheet.h"
#include "checks/Checks.h"
#include "checks/LiquidValveFactors.h"
#include "cli/CliOptions.h"
#include "core/Guide.h"
#include "core/Numbers.h"
#include "project/Project.h"
#include "season/SeasonTable.h"
#include "selection/EquipmentKinds.h"
#include "selection/MethodSteps.h"
#include "substation/BudgetFormulas.h"
#include "substation/Orifice.h"
#include "substation/Presentation.h"
#include "substation/Substation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>

namespace {

QString esc(const QString& text) { return text.toHtmlEscaped(); }
QString esc(const char* text) { return QString::fromUtf8(text).toHtmlEscaped(); }

// A table with a header row; each cell is HTML already.
struct Table {
    QString cssClass;
    QStringList headings;
    std::vector<QStringList> rows;
    std::vector<QString> rowIds; // empty, or one id a row ("" for none)
};

QString tableHtml(const Table& t)
{
    QString html = QStringLiteral("<table class=\"%1\">\n<tr>").arg(t.cssClass);
    for (const QString& h : t.headings)
        html += QStringLiteral("<th>") + esc(h) + QStringLiteral("</th>");
    html += QStringLiteral("</tr>\n");
    for (std::size_t i = 0; i < t.rows.size(); ++i) {
        const QString id = i < t.rowIds.size() ? t.rowIds[i] : QString();
        html += id.isEmpty() ? QStringLiteral("<tr>")
                             : QStringLiteral("<tr id=\"") + esc(id) + QStringLiteral("\">");
        for (const QString& cell : t.rows[i])
            html += QStringLiteral("<td>") + cell + QStringLiteral("</td>");
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>");
}

// --- The markers ------------------------------------------------------------------------------

QString steps(selection::EquipmentKind kind)
{
    Table t{QStringLiteral("steps"),
            {QStringLiteral("Величина"), QStringLiteral("Формула"), QStringLiteral("Единица"),
             QStringLiteral("Что означает")},
            {},
            {}};
    // What a value means to the user: the line of the result box that shows it, and its name in
    // the tool's JSON and CSV (the meanings of the method's table are the README's English).
    for (const selection::MethodStep& s : selection::methodSteps(kind)) {
        QString label = QString::fromUtf8(s.memoLabel).trimmed();
        if (label.endsWith(QLatin1Char('=')))
            label = label.chopped(1).trimmed();
        t.rows.push_back({esc(s.title),
                          QStringLiteral("<span class=\"formula\">") + esc(s.formula)
                              + QStringLiteral("</span>"),
                          esc(s.sheetUnit),
                          QStringLiteral("в окне: «") + esc(label)
                              + QStringLiteral("»; в JSON и CSV: <code>") + esc(s.name)
                              + QStringLiteral("</code>")});
    }
    return tableHtml(t);
}

QString kindsText(const checks::CatalogueEntry& e)
{
    QStringList kinds;
    if (e.kinds.size() == std::size(selection::kinds::kAll))
        kinds << QStringLiteral("всё оборудование");
    else
        for (selection::EquipmentKind k : e.kinds)
            kinds << selection::kinds::caption(k);
    QString text = kinds.join(QStringLiteral(", "));
    if (e.perOffer)
        text += QStringLiteral("; для каждой предложенной модели");
    return text;
}

Table checksTable()
{
    return {QStringLiteral("checks"),
            {QStringLiteral("Проверка"), QStringLiteral("Идентификатор"),
             QStringLiteral("Источник"), QStringLiteral("Для чего"), QStringLiteral("Пределы")},
            {},
            {}};
}

QString checkLink(const QString& id)
{
    return QStringLiteral("<a href=\"#") + esc(guide::checkAnchor(id)) + QStringLiteral("\">")
           + esc(id) + QStringLiteral("</a>");
}

QString checksMarker()
{
    Table selection = checksTable();
    QSet<QString> anchors;
    for (const checks::CatalogueEntry& e : checks::catalogue()) {
        selection.rows.push_back({esc(e.title),
                                  QStringLiteral("<code>") + esc(e.id) + QStringLiteral("</code>"),
                                  esc(e.source), esc(kindsText(e)), esc(e.limits)});
        selection.rowIds.push_back(guide::checkAnchor(e.id));
        anchors.insert(e.id);
    }
    Table budget = checksTable();
    for (const checks::CatalogueEntry& e : substation::budgetCheckCatalogue()) {
        budget.rows.push_back(
            {esc(e.title), QStringLiteral("<code>") + esc(e.id) + QStringLiteral("</code>"),
             esc(e.source), QStringLiteral("тепловой пункт в целом"), esc(e.limits)});
        // A check of the budget that shares its id with the selection's keeps the first anchor.
        budget.rowIds.push_back(anchors.contains(e.id) ? QString() : guide::checkAnchor(e.id));
        anchors.insert(e.id);
    }
    QStringList reused;
    for (const QString& id : substation::reusedCheckIds())
        reused << checkLink(id);
    return QStringLiteral("<h3>Проверки подбора</h3>\n") + tableHtml(selection)
           + QStringLiteral("\n<h3>Проверки теплового пункта</h3>\n") + tableHtml(budget)
           + QStringLiteral("\n<p class=\"reused\">Для каждого устройства теплового пункта на его "
                            "перепаде повторяются проверки подбора: ")
           + reused.join(QStringLiteral(", ")) + QStringLiteral(".</p>");
}

QString assumptionsMarker()
{
    QString html = QStringLiteral("<ul class=\"assumptions\">\n");
    for (const QString& a : calcsheet::assumptions())
        html += QStringLiteral("<li>") + esc(a) + QStringLiteral("</li>\n");
    return html + QStringLiteral("</ul>");
}

QString columnKinds(season::Column::Kinds kinds)
{
    switch (kinds) {
    case season::Column::Kinds::All: return QStringLiteral("всё оборудование");
    case season::Column::Kinds::Elevator: return QStringLiteral("гидроэлеватор");
    case season::Column::Kinds::Device: return QStringLiteral("клапаны и регулятор");
    }
    return {};
}

QString seasonColumnsMarker()
{
    Table t{QStringLiteral("columns"),
            {QStringLiteral("Столбец"), QStringLiteral("Имя в файлах"),
             QStringLiteral("Знаков после запятой"), QStringLiteral("Для чего")},
            {},
            {}};
    for (const season::Column& c : season::columns())
        t.rows.push_back({esc(c.heading),
                          QStringLiteral("<code>") + esc(c.name) + QStringLiteral("</code>"),
                          QString::number(c.decimals), columnKinds(c.kinds)});
    return tableHtml(t);
}

QString schemesMarker()
{
    Table schemes{QStringLiteral("schemes"),
                  {QStringLiteral("Схема"), QStringLiteral("Идентификатор")},
                  {},
                  {}};
    for (const substation::SchemeRow& row : substation::kSchemeRows)
        schemes.rows.push_back(
            {esc(row.title), QStringLiteral("<code>") + esc(row.id) + QStringLiteral("</code>")});
    using substation::ElementKind;
    Table elements{QStringLiteral("elements"),
                   {QStringLiteral("Элемент"), QStringLiteral("Идентификатор")},
                   {},
                   {}};
    for (ElementKind k : {ElementKind::Other, ElementKind::Orifice, ElementKind::Regulator,
                          ElementKind::Valve, ElementKind::Elevator, ElementKind::System})
        elements.rows.push_back(
            {esc(substation::elementName(k)),
             QStringLiteral("<code>") + esc(substation::elementId(k)) + QStringLiteral("</code>")});
    return tableHtml(schemes) + QStringLiteral("\n") + tableHtml(elements);
}

QString substationConstantsMarker()
{
    struct Constant {
        const char* name;
        double value;
        const char* unit;
        const char* meaning;
    };
    const Constant constants[] = {
        {"kDefaultMaxElevatorHead", substation::kDefaultMaxElevatorHead, "м",
         "наибольший напор, который дросселирует сопло элеватора (по умолчанию)"},
        {"kDefaultMinBore", substation::kDefaultMinBore, "мм",
         "наименьший диаметр отверстия диафрагмы и сопла (по умолчанию)"},
        {"kDefaultTargetAuthority", substation::kDefaultTargetAuthority, "",
         "целевой авторитет клапана за регулятором перепада (по умолчанию)"},
        {"kMaxPlates", double(substation::kMaxPlates), "",
         "наибольшее число диафрагм, установленных последовательно"},
        {"formulas::kPlateConstant", double(substation::formulas::kPlateConstant), "",
         "постоянная диафрагмы в d = k·⁴√(G²/H), мм (G в т/ч, H в м)"},
        {"formulas::kThinPlateHeadRatio", substation::formulas::kThinPlateHeadRatio, "",
         "во столько раз больший напор дает тонкая острая диафрагма того же отверстия"},
        {"checks::kIncipientShare", double(checks::kIncipientShare), "",
         "доля перепада запирания, с которой начинается кавитация (k)"},
        {"checks::kRecoveryFactor", checks::kRecoveryFactor, "",
         "коэффициент восстановления давления F_L седельных клапанов и регуляторов"},
    };
    Table t{QStringLiteral("constants"),
            {QStringLiteral("Постоянная"), QStringLiteral("Значение"), QStringLiteral("Единица"),
             QStringLiteral("Что означает")},
            {},
            {}};
    for (const Constant& c : constants)
        t.rows.push_back({QStringLiteral("<code>") + esc(c.name) + QStringLiteral("</code>"),
                          esc(num::general(c.value)), esc(c.unit), esc(c.meaning)});
    return tableHtml(t);
}

QString fieldType(project::FieldType type)
{
    using project::FieldType;
    switch (type) {
    case FieldType::Number: return QStringLiteral("число");
    case FieldType::OneToThree: return QStringLiteral("1, 2 или 3");
    case FieldType::PressureUnit: return QStringLiteral("единица давления");
    case FieldType::LoadUnit: return QStringLiteral("единица нагрузки");
    case FieldType::HeadUnit: return QStringLiteral("единица напора");
    case FieldType::Scheme: return QStringLiteral("схема теплового пункта");
    }
    return {};
}

QString projectFieldsMarker()
{
    Table t{QStringLiteral("fields"),
            {QStringLiteral("Раздел"), QStringLiteral("Ключ"), QStringLiteral("Поле"),
             QStringLiteral("Значение"), QStringLiteral("Параметр vedan-cli")},
            {},
            {}};
    for (const project::FieldRow& f : project::fieldRows())
        t.rows.push_back({QStringLiteral("<code>") + esc(project::sectionKey(f.section))
                              + QStringLiteral("</code>"),
                          QStringLiteral("<code>") + esc(f.key) + QStringLiteral("</code>"),
                          f.member
                              ? QStringLiteral("<code>") + esc(f.member) + QStringLiteral("</code>")
                              : QStringLiteral("—"),
                          fieldType(f.type),
                          QStringLiteral("<code>--") + esc(f.name) + QStringLiteral("</code>")});
    return tableHtml(t);
}

std::optional<QString> cliMarker(const QString& command)
{
    for (const cli::CommandSpec* spec : cli::commandSpecs()) {
        if (spec->name != command)
            continue;
        Table t{QStringLiteral("options"),
                {QStringLiteral("Параметр"), QStringLiteral("Что задаёт")},
                {},
                {}};
        for (const cli::OptionSpec& o : spec->options)
            t.rows.push_back(
                {QStringLiteral("<code>") + esc(cli::optionTitle(o)) + QStringLiteral("</code>"),
                 esc(o.description)});
        return QStringLiteral("<pre class=\"synopsis\">")
               + esc(cli::synopsisLines(*spec, QString()).join(QLatin1Char('\n')))
               + QStringLiteral("</pre>\n<p>") + esc(spec->summary) + QStringLiteral("</p>\n")
               + tableHtml(t);
    }
    return std::nullopt;
}

QString shortcutsMarker()
{
    Table t{QStringLiteral("shortcuts"),
            {QStringLiteral("Клавиши"), QStringLiteral("Где"), QStringLiteral("Что делают")},
            {},
            {}};
    for (const guide::Shortcut& s : guide::shortcuts())
        t.rows.push_back({QStringLiteral("<kbd>") + esc(s.keys) + QStringLiteral("</kbd>"),
                          esc(s.where), esc(s.what)});
    return tableHtml(t);
}

// A marker as a template writes it: "<!--@steps hydroelevator-->" is {"steps", "hydroelevator"}.
struct Marker {
    QString name;
    QString argument;
};

// The HTML of a marker, or nullopt for a marker or argument this generator does not know.
std::optional<QString> expand(const Marker& marker)
{
    const QString& name = marker.name;
    const QString& argument = marker.argument;
    using Plain = std::function<QString()>;
    static const std::map<QString, Plain> plain = {
        {QStringLiteral("checks"), checksMarker},
        {QStringLiteral("assumptions"), assumptionsMarker},
        {QStringLiteral("season-columns"), seasonColumnsMarker},
        {QStringLiteral("substation-schemes"), schemesMarker},
        {QStringLiteral("substation-constants"), substationConstantsMarker},
        {QStringLiteral("project-fields"), projectFieldsMarker},
        {QStringLiteral("shortcuts"), shortcutsMarker},
        {QStringLiteral("version"), [] { return esc(project::programVersion()); }},
    };
    if (const auto it = plain.find(name); it != plain.end())
        return argument.isEmpty() ? std::optional<QString>(it->second()) : std::nullopt;
    if (name == QLatin1String("steps")) {
        const auto kind = selection::kinds::ofToken(argument);
        return kind ? std::optional<QString>(steps(*kind)) : std::nullopt;
    }
    if (name == QLatin1String("cli"))
        return cliMarker(argument);
    return std::nullopt;
}

// --- The pages --------------------------------------------------------------------------------

struct Chapter {
    QString name;
    QString title;
    QString body;
};

void fail(const QString& message)
{
    std::fprintf(stderr, "make-guide: %s\n", message.toLocal8Bit().constData());
    std::exit(1);
}

Chapter readChapter(const QDir& from, const QString& name)
{
    const QString path = from.absoluteFilePath(name + QStringLiteral(".html.in"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(path + QStringLiteral(": ") + file.errorString());
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    static const QRegularExpression heading(QStringLiteral("^<h1>(.+)</h1>\\s*$"));
    const QRegularExpressionMatch h1 = heading.match(lines.value(0));
    if (!h1.hasMatch())
        fail(path + QStringLiteral(":1: первая строка должна быть <h1>ЗАГОЛОВОК</h1>"));
    static const QRegularExpression marker(
        QStringLiteral("^\\s*<!--@([a-z-]+)(?:\\s+([a-z-]+))?\\s*-->\\s*$"));
    Chapter chapter{name, h1.captured(1), {}};
    for (int i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        const QString where =
            path + QLatin1Char(':') + QString::number(i + 1) + QStringLiteral(": ");
        if (!line.contains(QStringLiteral("<!--@"))) {
            chapter.body += line + QLatin1Char('\n');
            continue;
        }
        const QRegularExpressionMatch m = marker.match(line);
        if (!m.hasMatch())
            fail(where + QStringLiteral("метка должна стоять одна в строке: ") + line.trimmed());
        const std::optional<QString> html =
            expand({.name = m.captured(1), .argument = m.captured(2)});
        if (!html)
            fail(where + QStringLiteral("неизвестная метка или ее аргумент: ") + line.trimmed());
        chapter.body += *html + QLatin1Char('\n');
    }
    return chapter;
}

QString navigation(const std::vector<Chapter>& chapters, std::size_t i)
{
    QString html = QStringLiteral("<p class=\"nav\"><a href=\"index.html\">Содержание</a>");
    if (i > 0)
        html += QStringLiteral(" | <a href=\"") + chapters[i - 1].name
                + QStringLiteral(".html\">← ") + chapters[i - 1].title + QStringLiteral("</a>");
    if (i + 1 < chapters.size())
        html += QStringLiteral(" | <a href=\"") + chapters[i + 1].name + QStringLiteral(".html\">")
                + chapters[i + 1].title + QStringLiteral(" →</a>");
    return html + QStringLiteral("</p>\n");
}

void write(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        fail(path + QStringLiteral(": ") + file.errorString());
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3)
        fail(QStringLiteral("использование: make-guide ПАПКА_ШАБЛОНОВ ПАПКА_РУКОВОДСТВА"));
    const QDir from(args[1]);
    QDir to(args[2]);
    if (!to.mkpath(QStringLiteral(".")))
        fail(args[2] + QStringLiteral(": папка не создается"));
    std::vector<Chapter> chapters;
    for (const char* name : guide::kChapters)
        chapters.push_back(readChapter(from, QString::fromLatin1(name)));
    for (std::size_t i = 0; i < chapters.size(); ++i) {
        const Chapter& c = chapters[i];
        const QString page =
            QStringLiteral("<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
                           "<title>")
            + c.title
            + QStringLiteral("</title>\n<link rel=\"stylesheet\" type=\"text/css\" "
                             "href=\"guide.css\">\n</head>\n"
                             "<body>\n")
            + navigation(chapters, i) + c.body + navigation(chapters, i)
            + QStringLiteral("</body>\n</html>\n");
        write(to.absoluteFilePath(c.name + QStringLiteral(".html")), page.toUtf8());
    }
    QFile css(from.absoluteFilePath(QStringLiteral("guide.css")));
    if (!css.open(QIODevice::ReadOnly))
        fail(css.fileName() + QStringLiteral(": ") + css.errorString());
    write(to.absoluteFilePath(QStringLiteral("guide.css")), css.readAll());
    return 0;
}
