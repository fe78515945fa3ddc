// vedan-cli assess and template: an assessment report, and the record, from a template file.

#include "assessment/Report.h"
#include "assessment/ReportExport.h"
#include "assessment/TemplateFile.h"
#include "cli/CliIo.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/SizeOutput.h"
#include "core/Checked.h"
#include "core/Json.h"
#include "core/Numbers.h"
#include "core/SafeFile.h"
#include "sheet/XLApp.h"

#include <map>
#include <optional>

using assessment::AssessmentInputs;
using assessment::ReportPart;
using assessment::SystemChoice;
using sheet::XLApp;

namespace {

struct AssessOptions {
    QString file;
    SystemChoice choice = SystemChoice::None;
    QString xlsx;
    bool json = false;
};

std::optional<SystemChoice> systemByName(const QString& name)
{
    static const std::map<QString, SystemChoice> systems = {
        {QStringLiteral("heating"), SystemChoice::Heating},
        {QStringLiteral("hot-water"), SystemChoice::HotWater},
        {QStringLiteral("both"), SystemChoice::Both},
    };
    const auto found = systems.find(name);
    if (found == systems.end())
        return std::nullopt;
    return found->second;
}

// The options, or the usage problem.
vedan::Outcome<AssessOptions> parseAssess(const QCommandLineParser& parser)
{
    const auto refused = vedan::refusedInput<AssessOptions>;
    AssessOptions options;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return refused(files.isEmpty() ? QStringLiteral("не указан файл шаблона")
                                       : QStringLiteral("лишний аргумент: ") + files.at(1));
    options.file = files.front();
    // A repeated option takes its last value.
    const auto choice = systemByName(parser.value(QStringLiteral("system")));
    if (!choice)
        return refused(QStringLiteral("--system: heating, hot-water или both"));
    options.choice = *choice;
    const std::optional<QString> xlsx = cli::single(parser, QStringLiteral("xlsx"));
    if (!xlsx)
        return refused(QStringLiteral("параметр --xlsx задан дважды"));
    options.xlsx = *xlsx;
    if (parser.isSet(QStringLiteral("xlsx")) && options.xlsx.isEmpty())
        return refused(QStringLiteral("у параметра --xlsx должно быть непустое значение"));
    options.json = parser.isSet(QStringLiteral("json"));
    if (const std::optional<QString> clash =
            cli::clashingFiles({.inputs = {{QStringLiteral("шаблон"), options.file}},
                                .outputs = {{QStringLiteral("--xlsx"), options.xlsx}}}))
        return refused(*clash);
    return {options, std::nullopt};
}

std::optional<AssessmentInputs> readRecord(const QString& file)
{
    const vedan::Outcome<AssessmentInputs> read = assessment::readTemplateFile(file);
    if (cli::failed(read.failure))
        return std::nullopt;
    return read.value;
}

// {"lines": [...], "message": ..., "values": {...}}: the savings a finished run computed, in
// Gcal a year, null for a system not assessed or a run that stopped.
QString assessJson(const QStringList& lines, const vedan::Status& failure,
                   const AssessmentInputs* record, SystemChoice choice)
{
    json::Value texts = json::Value::array();
    for (const QString& line : lines)
        texts.push_back(json::text(line));
    std::optional<double> heating, hotWater;
    if (record && !failure) {
        if (choice == SystemChoice::Heating || choice == SystemChoice::Both)
            heating = assessment::heatingSavings(*record, choice).heatSaving;
        if (choice == SystemChoice::HotWater || choice == SystemChoice::Both)
            hotWater = assessment::hotWaterSavings(*record, choice).heatSaving;
    }
    const std::optional<QString> message = failure ? std::optional(failure->message) : std::nullopt;
    json::Value object;
    object["lines"] = std::move(texts);
    object["message"] = json::textOr(message);
    object["values"]["heatingSaving"] = json::numberOr(heating);
    object["values"]["hotWaterSaving"] = json::numberOr(hotWater);
    return QString::fromUtf8(json::dump(object));
}

} // namespace

int cli::runAssess(const QStringList& args)
{
    QCommandLineParser parser;
    if (const std::optional<int> status = cli::parseCommand(parser, cli::assessSpec(), args))
        return *status;
    const vedan::Outcome<AssessOptions> parsed = parseAssess(parser);
    if (parsed.failure)
        return cli::usage(parsed.failure->message);
    const AssessOptions* options = &parsed.value;
    const vedan::Outcome<AssessmentInputs> read = assessment::readTemplateFile(options->file);
    if (read.failure) {
        if (options->json)
            cli::out(assessJson({}, read.failure, nullptr, options->choice));
        cli::failed(read.failure);
        return 1;
    }
    const AssessmentInputs* record = &read.value;

    // The record holds both loads in Gcal/h already, so there is no unit choice to check.
    QStringList lines = assessment::reportHeader(options->choice, record->objectName,
                                                 num::general(record->heatPrice));
    const ReportPart body = assessment::assessmentBody(*record, options->choice);
    lines += body.lines;
    if (options->json)
        cli::out(assessJson(lines, body.failure, record, options->choice));
    else if (options->xlsx != QLatin1String("-"))
        cli::outLines(lines);
    cli::flushOut();
    int status = cli::failed(body.failure) ? 1 : 0;
    if (!options->xlsx.isEmpty()) {
        XLApp xl;
        xl.setTargetFile(options->xlsx);
        // The answers and the template come from a file: no text of theirs becomes a formula.
        xl.keepFormulasAsText(true);
        const vedan::Status exported = assessment::exportReport(xl, lines, record->objectName);
        if (cli::failed(exported))
            status = 1;
    }
    return status;
}

int cli::runTemplate(const QStringList& args)
{
    QCommandLineParser parser;
    if (const std::optional<int> status = cli::parseCommand(parser, cli::templateSpec(), args))
        return *status;
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1)
        return cli::usage(files.isEmpty() ? QStringLiteral("не указан файл шаблона")
                                          : QStringLiteral("лишний аргумент: ") + files.at(1));
    const QString& file = files.front();
    if (const std::optional<QString> clash =
            cli::clashingFiles({.inputs = {{QStringLiteral("шаблон"), file}}, .outputs = {}}))
        return cli::usage(*clash);
    const bool json = parser.isSet(QStringLiteral("json"));
    const std::optional<AssessmentInputs> record = readRecord(file);
    if (!record)
        return 1;
    if (json)
        cli::out(QString::fromUtf8(assessment::templateJson(*record)));
    else
        cli::outLines(assessment::templateListing(*record));
    return 0;
}
