// Projects on the command line: --project FILE gives size, season and substation the inputs a
// project holds (an option given beside it wins), and `project new` writes a project from
// options, as the window's "Сохранить проект" writes one from its boxes.

#include "cli/CliIo.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/ProjectUse.h"
#include "core/Numbers.h"
#include "project/Project.h"
#include "selection/EquipmentKinds.h"
#include "substation/Presentation.h"

#include <QCommandLineParser>
#include <algorithm>

using project::Section;

namespace {

const QString kProjectOption = QStringLiteral("project");

// What each command takes of a project beyond the options it knows: the option its setting range
// of the substation goes to (none: not taken), and whether its positional argument is the scheme
// rather than the kind.
struct ProjectUse {
    const char* command;
    const char* substationRange;
    bool schemePositional;
};
constexpr ProjectUse kUses[] = {
    {"size", nullptr, false},
    {"season", nullptr, false},
    {"substation", "range", true},
    {"project", "substation-range", false},
};

const ProjectUse* useOf(const QString& command)
{
    for (const ProjectUse& use : kUses)
        if (command == QLatin1String(use.command))
            return &use;
    return nullptr;
}

} // namespace

namespace cli {

Fields projectFields(const project::Project& p, const QString& command,
                     const std::function<bool(const QString&)>& takes)
{
    static const ProjectUse kNone{"", nullptr, false};
    const ProjectUse& use = useOf(command) ? *useOf(command) : kNone;
    Fields options;
    for (const project::FieldRow& row : project::fieldRows()) {
        QString name = QString::fromLatin1(row.name);
        const QString value = p.value(row.section, name);
        const bool range = name == QLatin1String("range");
        if (value.isEmpty())
            continue;
        // The substation's regulator is of its own series and range, not the selection's.
        if (row.section == Section::Inputs && use.schemePositional
            && (range || name == QLatin1String("series")))
            continue;
        if (row.section == Section::Substation && range) {
            if (!use.substationRange)
                continue;
            name = QString::fromLatin1(use.substationRange);
        }
        if (takes(name))
            options.emplace_back(name, value);
    }
    for (const auto& [name, value] :
         {std::pair{QStringLiteral("object"), p.object}, std::pair{QStringLiteral("note"), p.note}})
        if (!value.isEmpty() && takes(name))
            options.emplace_back(name, value);
    return options;
}

QString projectPositional(const project::Project& p, const QString& command)
{
    if (!useOf(command) || !useOf(command)->schemePositional)
        return p.kind;
    QString scheme = p.value(Section::Substation, QStringLiteral("scheme"));
    if (!scheme.isEmpty())
        return scheme;
    return substation::schemeId(substation::defaultScheme(*selection::kinds::ofToken(p.kind)));
}

vedan::Outcome<QStringList> withProject(const CommandSpec& spec, const QStringList& args)
{
    const ProjectUse* use = useOf(spec.name);
    if (!use)
        return {args, std::nullopt};
    QCommandLineParser parser;
    for (const OptionSpec& option : spec.options)
        parser.addOption(QCommandLineOption(option.names, option.description, option.valueName));
    // A line that does not parse is left to the command, which says why.
    if (!parser.parse(QStringList{QStringLiteral("vedan-cli")} + args)
        || !parser.isSet(kProjectOption))
        return {args, std::nullopt};
    const QStringList files = parser.values(kProjectOption);
    if (files.size() > 1)
        return {{}, vedan::Failure::input(QStringLiteral("параметр --project указан дважды"))};
    const vedan::Outcome<project::Project> p = project::readProject(files.front());
    if (p.failure)
        return {{}, p.failure};

    QStringList expanded = args;
    const qsizetype wanted = spec.name == QLatin1String("project") ? 2 : 1;
    if (parser.positionalArguments().size() < wanted)
        expanded << projectPositional(p.value, spec.name);
    const auto takes = [&spec](const QString& name) {
        return std::any_of(spec.options.begin(), spec.options.end(),
                           [&name](const OptionSpec& o) { return o.names.front() == name; });
    };
    for (const auto& [name, value] : projectFields(p.value, spec.name, takes))
        if (!parser.isSet(name))
            expanded << QStringLiteral("--") + name << value;
    return {expanded, std::nullopt};
}

int runProject(const QStringList& args)
{
    QCommandLineParser parser;
    if (const std::optional<int> status = parseCommand(parser, projectSpec(), args))
        return *status;
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty() || positional.front() != QLatin1String("new"))
        return usage(positional.isEmpty()
                         ? QStringLiteral("не указано действие (new)")
                         : QStringLiteral("неизвестное действие «%1»").arg(positional.front()));
    if (positional.size() != 2)
        return usage(positional.size() < 2
                         ? QStringLiteral("не указан вид оборудования")
                         : QStringLiteral("лишний аргумент: ") + positional.at(2));
    project::Project p;
    p.kind = positional.at(1);
    if (!selection::kinds::ofToken(p.kind))
        return usage(QStringLiteral("неизвестный вид оборудования «%1»").arg(p.kind));

    for (const OptionSpec& option : projectSpec().options) {
        const QString name = option.names.front();
        const std::optional<QString> value = single(parser, name);
        if (!value)
            return usage(QStringLiteral("параметр --%1 указан дважды").arg(name));
        if (!parser.isSet(name))
            continue;
        if (name == QLatin1String("object")) {
            p.object = *value;
        } else if (name == QLatin1String("note")) {
            p.note = *value;
        } else if (name == QLatin1String("substation-range")) {
            p.set(Section::Substation, QStringLiteral("range"), *value);
        } else {
            for (const project::FieldRow& row : project::fieldRows())
                if (name == QLatin1String(row.name)
                    && !(row.section == Section::Substation && name == QLatin1String("range")))
                    p.set(row.section, name,
                          row.type == project::FieldType::Number ? value->trimmed() : *value);
        }
    }
    const QString out = single(parser, QStringLiteral("out")).value_or(QString());
    if (out.isEmpty())
        return usage(QStringLiteral("не указан файл проекта (--out)"));
    const vedan::Outcome<QByteArray> bytes = project::projectBytes(p, project::programVersion());
    if (bytes.failure)
        return usage(bytes.failure->message);
    return failed(saveOutput(out, bytes.value)) ? 1 : 0;
}

} // namespace cli
