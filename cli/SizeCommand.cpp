// vedan-cli size KIND ...: the selection of the selection window without the window. The
// options stand for the window's edit boxes and combo boxes; the same library code reads,
// converts and sizes them, so the lines printed are the lines the result box would hold.
// --checks adds the engineering checks after the lines; --json prints everything as one JSON
// object instead; --xlsx writes the selection report, --pdf the calculation sheet. A failed check
// changes the exit status only with --strict (3). --batch sizes the rows of a CSV table
// (Batch.cpp).

#include "calcsheet/CalculationSheet.h"
#include "calcsheet/SheetSteps.h"
#include "cli/Batch.h"
#include "cli/CliIo.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/SizeOutput.h"
#include "cli/SizeRequest.h"
#include "selection/ReportInputs.h"
#include "selection/SelectionReport.h"

#include <QDateTime>
#include <optional>

using namespace selection;
using sheet::XLApp;

namespace {

struct SizeRequest {
    SelectionForm form;
    QString xlsx; // empty: none
    QString pdf;
    QString object; // the object named in the calculation sheet's title block
};

const QString kXlsx = QStringLiteral("xlsx");
const QString kPdf = QStringLiteral("pdf");

// The request, or the usage problem as an input failure.
vedan::Outcome<SizeRequest> parseSingle(const QCommandLineParser& parser)
{
    const auto refused = [](const QString& problem) {
        return vedan::Outcome<SizeRequest>{{}, vedan::Failure::input(problem)};
    };
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return refused(positional.isEmpty()
                           ? QStringLiteral("не указан вид оборудования")
                           : QStringLiteral("лишний аргумент: ") + positional.at(1));
    if (parser.isSet(QStringLiteral("out")))
        return refused(QStringLiteral("--out задаётся только вместе с --batch"));
    const vedan::Outcome<SelectionForm> form = cli::sizeFormOfOptions(parser, positional.front());
    if (form.failure)
        return {{}, form.failure};
    SizeRequest request{form.value, {}, {}, {}};
    const std::optional<QString> object = cli::single(parser, QStringLiteral("object"));
    if (!object)
        return refused(QStringLiteral("параметр --object указан дважды"));
    request.object = *object;
    for (const auto& [name, target] :
         {std::pair{kXlsx, &SizeRequest::xlsx}, std::pair{kPdf, &SizeRequest::pdf}}) {
        const std::optional<QString> value = cli::single(parser, name);
        if (!value || (parser.isSet(name) && value->isEmpty()))
            return refused(
                QStringLiteral("у параметра --%1 должно быть одно непустое значение").arg(name));
        request.*target = *value;
    }
    if (const std::optional<QString> clash =
            cli::clashingFiles({.inputs = {},
                                .outputs = {{QStringLiteral("--xlsx"), request.xlsx},
                                            {QStringLiteral("--pdf"), request.pdf}}}))
        return refused(*clash);
    return {request, std::nullopt};
}

// Writes the report as the window's export would.
vedan::Status writeReport(const SizeRequest& request, const QStringList& lines)
{
    XLApp xl;
    xl.setTargetFile(request.xlsx);
    return writeSelectionReport(xl, selection::reportData(selection::typedTexts(request.form),
                                                          lines, QDateTime::currentDateTime()));
}

vedan::Status writeSheet(const SizeRequest& request, const cli::SizeResult& result)
{
    const calcsheet::SheetData data{selection::typedTexts(request.form), result.run,
                                    result.checks.empty() && result.run.sized
                                        ? checks::evaluate(*result.run.sized)
                                        : result.checks,
                                    QDateTime::currentDateTime(), request.object};
    const vedan::Outcome<QByteArray> pdf = calcsheet::renderPdf(data);
    if (pdf.failure)
        return pdf.failure;
    return cli::saveOutput(request.pdf, pdf.value);
}

int runSingle(const SizeRequest& request, bool withChecks, bool asJson, bool strict, bool withSteps)
{
    const cli::SizeResult result = cli::sizeCase(request.form, withChecks || asJson || strict);
    // A file written to standard output takes the place of the text output.
    const bool textOut = request.xlsx != QLatin1String("-") && request.pdf != QLatin1String("-");
    if (textOut && asJson) {
        json::Value object = cli::sizeJsonValue(result.run, result.checks);
        if (withSteps) {
            json::Value steps = json::Value::array();
            const std::vector<calcsheet::WrittenStep> reached =
                result.run.sized ? calcsheet::writtenSteps(*result.run.sized)
                                 : std::vector<calcsheet::WrittenStep>();
            for (const calcsheet::WrittenStep& s : reached) {
                json::Value written;
                written["symbol"] = json::text(s.symbol);
                written["title"] = json::text(s.what);
                written["formula"] = json::text(s.symbolic);
                written["substituted"] = json::text(s.substituted);
                written["result"] = json::text(s.number);
                written["unit"] = json::text(s.unit);
                steps.push_back(std::move(written));
            }
            object["steps"] = std::move(steps);
            json::Value assumptions = json::Value::array();
            for (const QString& line : calcsheet::assumptions())
                assumptions.push_back(json::text(line));
            object["assumptions"] = std::move(assumptions);
        }
        cli::out(QString::fromUtf8(json::dump(object)));
    } else if (textOut) {
        cli::outLines(result.run.lines());
        for (const checks::Check& check : result.checks)
            cli::outLines({cli::checkLine(check)});
    }
    cli::flushOut();
    const bool sizingFailed = cli::failed(result.run.failure());
    const bool reportFailed =
        !request.xlsx.isEmpty() && cli::failed(writeReport(request, result.run.lines()));
    const bool sheetFailed = !request.pdf.isEmpty() && cli::failed(writeSheet(request, result));
    if (sizingFailed || reportFailed || sheetFailed)
        return 1;
    return strict && checks::verdict(result.checks) == checks::Status::Failed ? 3 : 0;
}

} // namespace

int cli::runSize(const QStringList& args)
{
    QCommandLineParser parser;
    if (const std::optional<int> status = cli::parseCommand(parser, cli::sizeSpec(), args))
        return *status;
    const bool withChecks = parser.isSet(QStringLiteral("checks"));
    const bool asJson = parser.isSet(QStringLiteral("json"));
    const bool strict = parser.isSet(QStringLiteral("strict"));
    const bool withSteps = parser.isSet(QStringLiteral("steps"));
    if (withSteps && !asJson)
        return cli::usage(QStringLiteral("--steps задаётся только вместе с --json"));
    if (parser.optionNames().count(QStringLiteral("strict")) > 1)
        return cli::usage(QStringLiteral("переключатель указан дважды"));
    if (parser.isSet(QStringLiteral("batch"))) {
        const vedan::Outcome<cli::BatchFiles> files = cli::batchFilesOf(parser);
        if (files.failure)
            return cli::usage(files.failure->message);
        return cli::runBatch(files.value, strict);
    }
    // Each switch at most once, as before.
    if (parser.optionNames().count(QStringLiteral("checks")) > 1
        || parser.optionNames().count(QStringLiteral("json")) > 1)
        return cli::usage(QStringLiteral("переключатель указан дважды"));
    const vedan::Outcome<SizeRequest> request = parseSingle(parser);
    if (request.failure)
        return cli::usage(request.failure->message);
    return runSingle(request.value, withChecks, asJson, strict, withSteps);
}
