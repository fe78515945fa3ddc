// vedan-cli assess and template: an assessment report, and the record, from a template file.

#include "tools/vedan-cli/CliIo.h"
#include "tools/vedan-cli/Commands.h"

#include "assessment/Report.h"
#include "assessment/ReportExport.h"
#include "assessment/TemplateFile.h"
#include "core/Checked.h"
#include "core/Numbers.h"
#include "core/SafeFile.h"
#include "sheet/XLApp.h"

#include <cstdio>
#include <map>
#include <optional>

using assessment::AssessmentInputs;
using assessment::ReportPart;
using assessment::SystemChoice;

namespace {

struct AssessOptions {
    QString file;
    SystemChoice choice = SystemChoice::None;
    QString xlsx;
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

std::optional<AssessOptions> parseAssess(const QStringList& args)
{
    AssessOptions options;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == QLatin1String("--system") && hasValue) {
            const auto choice = systemByName(args[++i]);
            if (!choice)
                return std::nullopt;
            options.choice = *choice;
        } else if (arg == QLatin1String("--xlsx") && hasValue && options.xlsx.isNull()) {
            options.xlsx = args[++i];
            if (options.xlsx.isEmpty())
                return std::nullopt; // an empty file name, as size and questionnaire refuse it
        } else if (!arg.startsWith(QLatin1String("--")) && options.file.isEmpty()) {
            options.file = arg;
        } else {
            return std::nullopt;
        }
    }
    if (options.file.isEmpty() || options.choice == SystemChoice::None)
        return std::nullopt;
    return options;
}

std::optional<AssessmentInputs> readRecord(const QString& file)
{
    const vedan::Outcome<AssessmentInputs> read = assessment::readTemplateFile(file);
    if (cli::failed(read.failure))
        return std::nullopt;
    return read.value;
}

} // namespace

int runAssess(const QStringList& args)
{
    const std::optional<AssessOptions> options = parseAssess(args);
    if (!options)
        return cli::usage();
    const std::optional<AssessmentInputs> record = readRecord(options->file);
    if (!record)
        return 1;

    // The record holds both loads in Gcal/h already, so there is no unit choice to check.
    QStringList lines = assessment::reportHeader(options->choice, record->objectName,
                                                 num::general(record->heatPrice));
    const ReportPart body = assessment::assessmentBody(*record, options->choice);
    lines += body.lines;
    // With "--xlsx -" standard output carries the workbook alone.
    if (options->xlsx != safefile::standardOutput)
        cli::outLines(lines);
    std::fflush(stdout);
    int status = cli::failed(body.failure) ? 1 : 0;
    if (!options->xlsx.isNull()) {
        XLApp xl;
        xl.setTargetFile(options->xlsx);
        if (cli::failed(assessment::exportReport(xl, lines, record->objectName)))
            status = 1;
    }
    return status;
}

int runTemplate(const QStringList& args)
{
    QString file;
    bool json = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--json"))
            json = true;
        else if (!arg.startsWith(QLatin1String("--")) && file.isEmpty())
            file = arg;
        else
            return cli::usage();
    }
    if (file.isEmpty())
        return cli::usage();
    const std::optional<AssessmentInputs> record = readRecord(file);
    if (!record)
        return 1;
    if (json)
        cli::out(QString::fromUtf8(assessment::templateJson(*record)));
    else
        cli::outLines(assessment::templateListing(*record));
    return 0;
}
