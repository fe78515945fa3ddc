// vedan-cli substation SCHEME ...: the substation's pressure budget (substation/Substation.h) on
// the inputs of size: the elements in the order of the flow as a text table, then the checks and
// the verdict; --json prints everything as one JSON object instead; --pdf writes the calculation
// sheet with the substation's page. A failed check changes the exit status only with --strict (3).
// --batch computes the rows of a CSV table (SubstationBatch.cpp).

#include "calcsheet/CalculationSheet.h"
#include "cli/CliIo.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/SizeOutput.h"
#include "cli/SizeRequest.h"
#include "cli/SubstationBatch.h"
#include "cli/SubstationCase.h"
#include "core/Numbers.h"
#include "substation/BudgetFormulas.h"
#include "substation/Presentation.h"
#include "substation/Substation.h"

#include <QDateTime>
#include <map>
#include <optional>

using substation::Element;

namespace {

// The request, the usage problem as an input failure, or the message of the inputs (a bad number)
// as the failure size would show.
struct Parsed {
    std::optional<cli::SubstationRequest> request;
    std::optional<QString> usageProblem;
    vedan::Status inputFailure;
};

Parsed parse(const QCommandLineParser& parser)
{
    const auto refused = [](const QString& problem) { return Parsed{{}, problem, {}}; };
    const QStringList positional = parser.positionalArguments();
    if (positional.size() > 1)
        return refused(QStringLiteral("лишний аргумент: ") + positional.at(1));
    const vedan::Outcome<substation::Scheme> scheme =
        cli::schemeOf(positional.isEmpty() ? std::nullopt : std::optional(positional.front()));
    if (scheme.failure)
        return refused(scheme.failure->message);
    const vedan::Outcome<selection::SelectionForm> form =
        cli::sizeFormOfOptions(parser, cli::sizeKindOf(scheme.value));
    if (form.failure)
        return refused(form.failure->message);

    cli::SubstationNumbers numbers;
    for (const cli::SubstationNumberField& field : cli::kSubstationNumberFields)
        if (const std::optional<QString> problem =
                cli::readNumbers(parser, {{field.name, &(numbers.*field.member)}}))
            return refused(*problem);

    const vedan::Outcome<selection::SizingRequest> sizing =
        selection::requestOf(form.value, cli::requestKind(scheme.value));
    if (sizing.failure)
        return {{}, {}, sizing.failure};
    return {cli::SubstationRequest{sizing.value, cli::substationOptions(scheme.value, numbers)},
            {},
            {}};
}

std::optional<double> kv(const std::optional<qty::FlowCoefficient>& value)
{
    return qty::readIn(value, &qty::FlowCoefficient::inCubicMetresPerHour);
}

QString cell(const std::optional<double>& value, int decimals)
{
    return value ? num::fixed(*value, decimals) : QStringLiteral("—");
}

void printBudget(const substation::Budget& b)
{
    cli::out(QStringLiteral("Тепловой пункт, схема %1: расход сетевой воды %2 т/ч, располагаемый "
                            "напор %3 м")
                 .arg(substation::schemeId(b.scheme),
                      num::fixed(b.networkFlow.inTonnesPerHour(), 3),
                      num::fixed(b.availableHead.inMetres(), 2)));
    cli::out(QStringLiteral("%1 %2 %3 %4 %5  %6  %7")
                 .arg(QStringLiteral("элемент").leftJustified(28))
                 .arg(QStringLiteral("напор, м").rightJustified(9))
                 .arg(QStringLiteral("кгс/см2").rightJustified(9))
                 .arg(QStringLiteral("Kv").rightJustified(8))
                 .arg(QStringLiteral("Kvy").rightJustified(8))
                 .arg(QStringLiteral("модель").leftJustified(20))
                 .arg(QStringLiteral("отверстия")));
    for (const Element& e : b.elements) {
        const QString model = e.offer() ? e.offer()->designation : QStringLiteral("—");
        cli::out(QStringLiteral("%1 %2 %3 %4 %5  %6  %7")
                     .arg(substation::elementName(e.kind).leftJustified(28))
                     .arg(num::fixed(e.head.inMetres(), 3).rightJustified(9))
                     .arg(cell(qty::readIn(substation::elementDrop(e),
                                           &qty::PressureDifference::inKgfPerCm2),
                               4)
                              .rightJustified(9))
                     .arg(cell(kv(e.requiredKv), 4).rightJustified(8))
                     .arg(cell(kv(e.requiredKvy), 3).rightJustified(8))
                     .arg(model.leftJustified(20))
                     .arg(substation::boresText(e)));
    }
    for (const checks::Check& check : b.checks)
        cli::outLines({cli::checkLine(check)});
    cli::out(QStringLiteral("Итог проверок: ") + checks::statusText(checks::verdict(b.checks)));
}

// The calculation sheet asked for with --pdf FILE [--object TEXT]: none, or the usage problem.
struct SheetRequest {
    QString pdf; // empty: none
    QString object;
    std::optional<QString> usageProblem;
};

SheetRequest sheetRequest(const QCommandLineParser& parser)
{
    const std::optional<QString> pdf = cli::single(parser, QStringLiteral("pdf"));
    const std::optional<QString> object = cli::single(parser, QStringLiteral("object"));
    if (!pdf || (parser.isSet(QStringLiteral("pdf")) && pdf->isEmpty()))
        return {{}, {}, QStringLiteral("у параметра --pdf должно быть одно непустое значение")};
    if (!object)
        return {{}, {}, QStringLiteral("параметр --object указан дважды")};
    return {*pdf, *object, std::nullopt};
}

// The sheet's title block, the substation's page and the signatures: the selection's own pages
// would size the devices on drops other than the budget's.
vedan::Status writeSheet(const SheetRequest& sheet, const cli::SubstationRequest& request,
                         const substation::Budget& budget)
{
    calcsheet::SheetData data;
    data.when = QDateTime::currentDateTime();
    data.objectName = sheet.object;
    data.substation = calcsheet::SubstationSheet{request.sizing, request.options, budget, false};
    const vedan::Outcome<QByteArray> pdf = calcsheet::renderPdf(data);
    return pdf.failure ? pdf.failure : cli::saveOutput(sheet.pdf, pdf.value);
}

} // namespace

int cli::runSubstation(const QStringList& args)
{
    QCommandLineParser parser;
    if (const std::optional<int> status = cli::parseCommand(parser, cli::substationSpec(), args))
        return *status;
    for (const char* name : {"json", "strict"})
        if (parser.optionNames().count(QString::fromLatin1(name)) > 1)
            return cli::usage(QStringLiteral("переключатель указан дважды"));
    if (parser.isSet(QStringLiteral("batch"))) {
        const vedan::Outcome<cli::BatchFiles> files = cli::batchFilesOf(parser);
        if (files.failure)
            return cli::usage(files.failure->message);
        return cli::runSubstationBatch(files.value, parser.isSet(QStringLiteral("strict")));
    }
    const Parsed parsed = parse(parser);
    if (parsed.usageProblem)
        return cli::usage(*parsed.usageProblem);
    const SheetRequest sheet = sheetRequest(parser);
    if (sheet.usageProblem)
        return cli::usage(*sheet.usageProblem);
    if (cli::failed(parsed.inputFailure))
        return 1;
    const vedan::Outcome<substation::Budget> b =
        substation::budget(parsed.request->sizing, parsed.request->options);
    if (b.failure && b.failure->kind == vedan::Failure::Kind::Input)
        return cli::usage(b.failure->message);
    if (cli::failed(b.failure))
        return 1;
    // A sheet written to standard output takes the place of the text output.
    const bool textOut = sheet.pdf != QLatin1String("-");
    if (textOut && parser.isSet(QStringLiteral("json")))
        cli::out(QString::fromUtf8(json::dump(cli::budgetJson(b.value))));
    else if (textOut)
        printBudget(b.value);
    cli::flushOut();
    if (!sheet.pdf.isEmpty() && cli::failed(writeSheet(sheet, *parsed.request, b.value)))
        return 1;
    return parser.isSet(QStringLiteral("strict"))
                   && checks::verdict(b.value.checks) == checks::Status::Failed
               ? 3
               : 0;
}
