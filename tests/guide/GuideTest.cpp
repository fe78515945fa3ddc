// The user's guide as built holds the program's tables: every check, every method step's title
// and formula, every command-line option of every command, every scheme and every project key,
// read back by Python's own HTML parser (tests/support/guide_reader.py); and every link between
// its pages reaches a page and an id. Differences planted in a copy of the guide are found.

#include "core/Guide.h"
#include "checks/Checks.h"
#include "cli/CliOptions.h"
#include "project/Project.h"
#include "selection/EquipmentKinds.h"
#include "selection/MethodSteps.h"
#include "substation/Presentation.h"
#include "tests/support/PythonReference.h"
#include "tests/support/RunProgram.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <set>

namespace {

struct Page {
    std::set<QString> ids;
    QStringList links;
    std::vector<std::vector<QStringList>> tables; // each a list of rows, the heading first
};
using Guide = std::map<QString, Page>; // by file name: "checks.html"

Guide readGuide(const QString& folder)
{
    const QJsonObject pages =
        pythonReference("guide_reader.py", {{"folder", folder}}).value("pages").toObject();
    Guide guide;
    for (auto it = pages.begin(); it != pages.end(); ++it) {
        const QJsonObject p = it.value().toObject();
        Page& page = guide[it.key()];
        for (const QJsonValue id : p.value("ids").toArray())
            page.ids.insert(id.toString());
        for (const QJsonValue link : p.value("links").toArray())
            page.links << link.toString();
        for (const QJsonValue table : p.value("tables").toArray()) {
            page.tables.emplace_back();
            for (const QJsonValue row : table.toArray())
                page.tables.back().push_back(row.toVariant().toStringList());
        }
    }
    return guide;
}

// Whether the row begins with the cells (texts compared with their spaces collapsed, as a
// browser shows them), null cells matching anything.
bool rowMatches(const QStringList& row, const QStringList& cells)
{
    bool match = row.size() >= cells.size();
    for (qsizetype i = 0; match && i < cells.size(); ++i)
        match = cells[i].isNull() || row[i] == cells[i].simplified();
    return match;
}

// Whether some table row of the guide begins with the cells.
bool hasRow(const Guide& guide, const QStringList& cells)
{
    for (const auto& [name, page] : guide)
        for (const auto& table : page.tables)
            for (const QStringList& row : table)
                if (rowMatches(row, cells))
                    return true;
    return false;
}

// Whether some table of the guide has exactly these rows under its heading, in this order.
bool hasTable(const Guide& guide, const std::vector<QStringList>& rows)
{
    for (const auto& [name, page] : guide)
        for (const auto& table : page.tables) {
            bool match = table.size() == rows.size() + 1;
            for (std::size_t i = 0; match && i < rows.size(); ++i)
                match = rowMatches(table[i + 1], rows[i]);
            if (match)
                return true;
        }
    return false;
}

// What of the program's tables the guide does not hold, one line each.
QStringList missingFromGuide(const Guide& guide)
{
    QStringList missing;
    const auto checksPage = guide.find(QString::fromLatin1(guide::kChecksChapter) + ".html");
    if (checksPage == guide.end())
        return {QStringLiteral("no checks chapter")};
    std::vector<checks::CatalogueEntry> all = checks::catalogue();
    for (const checks::CatalogueEntry& e : substation::budgetCheckCatalogue())
        all.push_back(e);
    for (const checks::CatalogueEntry& e : all) {
        if (!checksPage->second.ids.contains(guide::checkAnchor(e.id)))
            missing << "check anchor " + e.id;
        if (!hasRow(guide, {e.title, e.id, e.source, QString(), e.limits}))
            missing << "check row " + e.id;
    }
    // Each method's steps, all of them in their order, in a table of their own.
    for (selection::EquipmentKind kind : selection::kinds::kAll) {
        std::vector<QStringList> steps;
        for (const selection::MethodStep& s : selection::methodSteps(kind))
            steps.push_back({QString::fromUtf8(s.title), QString::fromUtf8(s.formula),
                             QString::fromUtf8(s.sheetUnit)});
        if (!hasTable(guide, steps))
            missing << "steps " + selection::kinds::token(kind);
    }
    // Each command's options, all of them in their order, in a table of their own.
    for (const cli::CommandSpec* command : cli::commandSpecs()) {
        std::vector<QStringList> options;
        for (const cli::OptionSpec& o : command->options)
            options.push_back({cli::optionTitle(o), o.description});
        if (!hasTable(guide, options))
            missing << "options " + command->name;
    }
    for (const substation::SchemeRow& row : substation::kSchemeRows)
        if (!hasRow(guide, {QString::fromUtf8(row.title), QString::fromLatin1(row.id)}))
            missing << "scheme " + QString::fromLatin1(row.id);
    for (const project::FieldRow& f : project::fieldRows())
        if (!hasRow(guide, {QString::fromLatin1(project::sectionKey(f.section)),
                            QString::fromLatin1(f.key), QString(), QString(),
                            "--" + QString::fromLatin1(f.name)}))
            missing << "project key " + QString::fromLatin1(f.key);
    for (const guide::Shortcut& s : guide::shortcuts())
        if (!hasRow(guide, {QString::fromLatin1(s.keys), QString::fromUtf8(s.where),
                            QString::fromUtf8(s.what)}))
            missing << "shortcut " + QString::fromLatin1(s.name);
    return missing;
}

// The links between the guide's pages whose page or id is not there; the count followed.
struct Links {
    QStringList broken;
    int followed = 0;
};

Links followLinks(const Guide& guide)
{
    Links links;
    for (const auto& [name, page] : guide)
        for (const QString& href : page.links) {
            if (href.startsWith("http:") || href.startsWith("https:") || href.startsWith("mailto:"))
                continue;
            ++links.followed;
            const QString file = href.section('#', 0, 0).isEmpty() ? name : href.section('#', 0, 0);
            const QString id = href.section('#', 1);
            const auto target = guide.find(file);
            if (target == guide.end() || (!id.isEmpty() && !target->second.ids.contains(id)))
                links.broken << name + " → " + href;
        }
    return links;
}

const QString kBuilt = QStringLiteral(VEDAN_GUIDE_DIR);

// A copy of the built guide in a temporary folder.
QString copyOfGuide(const QTemporaryDir& dir)
{
    for (const QString& name : QDir(kBuilt).entryList(QDir::Files))
        QFile::copy(kBuilt + '/' + name, dir.filePath(name));
    return dir.path();
}

bool replaceIn(const QString& path, const QByteArray& from, const QByteArray& to)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray bytes = file.readAll();
    file.close();
    if (!bytes.contains(from))
        return false;
    bytes.replace(bytes.indexOf(from), from.size(), to);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(bytes) == bytes.size();
}

QByteArray escaped(const QString& text) { return text.toHtmlEscaped().toUtf8(); }

} // namespace

TEST(Guide, HoldsEveryTableOfTheProgram)
{
    const Guide guide = readGuide(kBuilt);
    ASSERT_EQ(guide.size(), std::size(guide::kChapters));
    EXPECT_EQ(missingFromGuide(guide), QStringList())
        << missingFromGuide(guide).join('\n').toStdString();
}

TEST(Guide, EveryLinkBetweenPagesReachesItsTarget)
{
    const Links links = followLinks(readGuide(kBuilt));
    EXPECT_EQ(links.broken, QStringList()) << links.broken.join('\n').toStdString();
    // Every chapter is reached from the navigation bars, and every check row from the checks.
    EXPECT_GT(links.followed, int(std::size(guide::kChapters) * 2));
}

// A template the generator cannot fill stops it with the file and line: a marker or an argument
// it does not know, an argument to a marker that takes none, a marker sharing its line, a chapter
// without its heading.
TEST(Guide, GeneratorStopsOnWhatItDoesNotKnow)
{
    const QString source = QStringLiteral(VEDAN_GUIDE_SOURCE);
    const struct Case {
        const char* name;
        const char* chapter;
        QByteArray text;
        QString where; // "season.html.in:3:"
    } cases[] = {
        {"unknown marker", "season", "<h1>T</h1>\n<p>x</p>\n<!--@season-rows-->\n", ":3:"},
        {"unknown argument", "methods", "<h1>T</h1>\n\n<!--@steps boiler-->\n", ":3:"},
        {"argument to a plain marker", "checks", "<h1>T</h1>\n\n<!--@checks all-->\n", ":3:"},
        {"marker not alone", "index", "<h1>T</h1>\n\n<p><!--@version--></p>\n", ":3:"},
        {"no heading", "keys", "<p>T</p>\n<!--@shortcuts-->\n", ":1:"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QDir(dir.path()).mkdir("in");
        for (const QString& name : QDir(source).entryList(QDir::Files))
            QFile::copy(source + '/' + name, dir.filePath("in/" + name));
        const QString bad = dir.filePath("in/" + QString::fromLatin1(c.chapter) + ".html.in");
        QFile::remove(bad);
        QFile file(bad);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(c.text) == c.text.size());
        file.close();
        const CliRun run =
            runProgram(QStringLiteral(VEDAN_MAKE_GUIDE), {dir.filePath("in"), dir.filePath("out")});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(bad + c.where)) << run.err.toStdString();
    }
}

// A guide that says something else than the program, or whose link leads nowhere, is caught:
// each row plants one difference in a copy of the built guide.
TEST(Guide, PlantedDifferencesAreFound)
{
    const selection::MethodStep& step =
        selection::methodSteps(selection::EquipmentKind::Hydroelevator).at(1);
    const cli::CommandSpec& project = cli::projectSpec();
    const cli::OptionSpec& note = project.options.at(project.options.size() - 3);
    const struct Case {
        const char* name;
        const char* page;
        QByteArray from;
        QByteArray to;
        QString expected; // a line of what is missing, or a broken link
    } cases[] = {
        {"a step's formula", "methods.html",
         "<span class=\"formula\">" + escaped(QString::fromUtf8(step.formula)),
         "<span class=\"formula\">" + escaped(QString::fromUtf8(step.formula)) + "·2",
         "steps hydroelevator"},
        {"a check's anchor", "checks.html", "id=\"check-valve.velocity\"", "",
         "check anchor valve.velocity"},
        {"a check's limits", "checks.html", "a &lt; 0,25", "a &lt; 0,2",
         "check row valve.authority"},
        {"an option", "cli.html", "<td>" + escaped(note.description) + "</td>", "<td></td>",
         "options project"},
        {"a scheme", "substation.html", "<code>valve-regulator</code>", "<code>valve</code>",
         "scheme valve-regulator"},
        {"a link", "checks.html", "href=\"#check-valve.flashing\"", "href=\"#check-valve.flash\"",
         "checks.html → #check-valve.flash"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString folder = copyOfGuide(dir);
        ASSERT_TRUE(replaceIn(folder + '/' + c.page, c.from, c.to)) << c.from.toStdString();
        const Guide guide = readGuide(folder);
        const QStringList found = missingFromGuide(guide) + followLinks(guide).broken;
        EXPECT_TRUE(found.contains(c.expected)) << found.join('\n').toStdString();
    }
}
