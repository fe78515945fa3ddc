// vedan-cli season KIND ...: the selection of size at the design point, then the device through
// the heating season (season/Season.h), as a text table, one JSON object, or a table file.

#include "calcsheet/CalculationSheet.h"
#include "cli/CliIo.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "cli/SizeOutput.h"
#include "cli/SizeRequest.h"
#include "cli/Table.h"
#include "core/Numbers.h"
#include "season/Season.h"
#include "season/SeasonTable.h"

#include <QDateTime>
#include <algorithm>
#include <optional>

namespace {

using season::Point;

struct SeasonRequest {
    selection::SelectionForm form;
    season::Schedule schedule{.outdoorDesign = qty::Temperature::celsius(0)};
    QString out;    // empty: none
    QString pdf;    // empty: none
    QString object; // in the sheet's title block
};

vedan::Outcome<SeasonRequest> parse(const QCommandLineParser& parser)
{
    const auto refused = [](const QString& problem) {
        return vedan::Outcome<SeasonRequest>{{}, vedan::Failure::input(problem)};
    };
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return refused(positional.isEmpty()
                           ? QStringLiteral("не указан вид оборудования")
                           : QStringLiteral("лишний аргумент: ") + positional.at(1));
    const vedan::Outcome<selection::SelectionForm> form =
        cli::sizeFormOfOptions(parser, positional.front());
    if (form.failure)
        return {{}, form.failure};

    // Each temperature option: its name and where it goes; the design outdoor temperature first.
    std::optional<double> outdoor, indoor, cut, end, step;
    if (const std::optional<QString> problem =
            cli::readNumbers(parser, {{"outdoor-design", &outdoor},
                                      {"indoor", &indoor},
                                      {"cut", &cut},
                                      {"season-end", &end},
                                      {"step", &step}}))
        return refused(*problem);
    if (!outdoor)
        return refused(QStringLiteral("не указана расчётная температура наружного воздуха "
                                      "(--outdoor-design)"));
    const auto celsius = [](std::optional<double> t, double byDefault) {
        return qty::Temperature::celsius(t.value_or(byDefault));
    };
    SeasonRequest request{
        form.value,
        {.outdoorDesign = qty::Temperature::celsius(*outdoor),
         .indoor = celsius(indoor, season::kDefaultIndoor),
         .cut = cut ? std::optional(qty::Temperature::celsius(*cut)) : std::nullopt,
         .seasonEnd = celsius(end, season::kDefaultSeasonEnd),
         .step = step.value_or(season::kDefaultStep)},
        {},
        {},
        {}};
    const std::optional<QString> out = cli::single(parser, QStringLiteral("out"));
    if (!out || (parser.isSet(QStringLiteral("out")) && out->isEmpty()))
        return refused(QStringLiteral("у параметра --out должно быть одно непустое значение"));
    request.out = *out;
    if (!request.out.isEmpty() && !cli::tableFormatOf(request.out))
        return refused(QStringLiteral("--out: расширение файла должно быть .csv, .json или .xlsx"));
    const std::optional<QString> pdf = cli::single(parser, QStringLiteral("pdf"));
    const std::optional<QString> object = cli::single(parser, QStringLiteral("object"));
    if (!pdf || (parser.isSet(QStringLiteral("pdf")) && pdf->isEmpty()))
        return refused(QStringLiteral("у параметра --pdf должно быть одно непустое значение"));
    if (!object)
        return refused(QStringLiteral("параметр --object указан дважды"));
    request.pdf = *pdf;
    request.object = *object;
    if (const std::optional<QString> clash =
            cli::clashingFiles({.inputs = {},
                                .outputs = {{QStringLiteral("--out"), request.out},
                                            {QStringLiteral("--pdf"), request.pdf}}}))
        return refused(*clash);
    return {request, std::nullopt};
}

// The cut as the table's first line states it: "70 °C с tн = 2,42 °C", "70 °C" or "нет".
QString cutText(const std::optional<season::Cut>& cut)
{
    if (!cut)
        return QStringLiteral("нет");
    QString text = num::general(cut->temperature) + QStringLiteral(" °C");
    if (cut->outdoor)
        text += QStringLiteral(" с tн = %1 °C").arg(num::fixed(*cut->outdoor, 2));
    return text;
}

void printTable(selection::EquipmentKind kind, const season::Schedule& schedule,
                const std::optional<season::Cut>& cut, const std::vector<Point>& points)
{
    cli::out(QStringLiteral("Отопительный период: tв = %1 °C, tн.р = %2 °C, срезка %3, "
                            "конец периода %4 °C, шаг %5 К")
                 .arg(num::general(schedule.indoor.inCelsius()),
                      num::general(schedule.outdoorDesign.inCelsius()), cutText(cut),
                      num::general(schedule.seasonEnd.inCelsius()), num::general(schedule.step)));
    QStringList heading;
    for (const season::Column* c : season::columnsOf(kind))
        heading << QString::fromUtf8(c->heading).rightJustified(11);
    cli::out(heading.join(QLatin1Char(' ')) + QStringLiteral("  проверки"));
    for (const Point& p : points) {
        QStringList cells;
        for (const season::Column* c : season::columnsOf(kind)) {
            const std::optional<double> v = c->value(p);
            cells << (v ? num::fixed(*v, c->decimals) : QStringLiteral("—")).rightJustified(11);
        }
        cli::out(cells.join(QLatin1Char(' ')) + QStringLiteral("  ")
                 + season::verdictText(p, season::CheckNames::Ids));
    }
}

json::Value pointJson(const Point& p, selection::EquipmentKind kind)
{
    json::Value object;
    const std::vector<const season::Column*> own = season::columnsOf(kind);
    for (const season::Column& c : season::columns())
        object[c.name] = std::find(own.begin(), own.end(), &c) != own.end()
                             ? json::numberOr(c.value(p))
                             : json::Value();
    json::Value list = json::Value::array();
    for (const checks::Check& c : p.checks)
        list.push_back(cli::checkJson(c));
    object["checks"] = std::move(list);
    object["verdict"] = json::text(checks::statusId(p.verdict));
    return object;
}

json::Value seasonJson(const cli::SizeResult& design, const season::Schedule& schedule,
                       const std::optional<season::Cut>& cut, const std::vector<Point>& points)
{
    json::Value object;
    object["design"] = cli::sizeJsonValue(design.run, design.checks);
    json::Value s;
    s["outdoorDesign"] = json::number(schedule.outdoorDesign.inCelsius());
    s["indoor"] = json::number(schedule.indoor.inCelsius());
    s["cut"] = json::numberOr(cut ? std::optional(cut->temperature) : std::nullopt);
    s["cutOutdoor"] = json::numberOr(cut ? cut->outdoor : std::nullopt);
    s["seasonEnd"] = json::number(schedule.seasonEnd.inCelsius());
    s["step"] = json::number(schedule.step);
    s["exponent"] = json::number(double(season::kExponent));
    object["schedule"] = std::move(s);
    json::Value list = json::Value::array();
    for (const Point& p : points)
        list.push_back(pointJson(p, design.run.sized->request.kind));
    object["points"] = std::move(list);
    return object;
}

vedan::Status writeOut(const QString& out, const json::Value& whole, selection::EquipmentKind kind,
                       const std::vector<Point>& points)
{
    const cli::TableFormat format = *cli::tableFormatOf(out);
    if (format == cli::TableFormat::Json)
        return cli::saveOutput(out, json::dump(whole) + '\n');
    QStringList header;
    for (const season::Column* c : season::columnsOf(kind))
        header << QString::fromLatin1(c->name);
    header << QStringLiteral("verdict") << QStringLiteral("failed") << QStringLiteral("warnings");
    std::vector<std::vector<cli::Cell>> rows;
    for (const Point& p : points) {
        std::vector<cli::Cell> cells;
        for (const season::Column* c : season::columnsOf(kind)) {
            const std::optional<double> v = c->value(p);
            cells.push_back(v ? cli::valueCell(*v) : cli::Cell(QString()));
        }
        cells.emplace_back(checks::statusId(p.verdict));
        for (const checks::Status status : {checks::Status::Failed, checks::Status::Warning}) {
            QStringList ids;
            for (const checks::Check* c : season::checksWith(p, status))
                ids << c->id;
            cells.emplace_back(ids.join(QLatin1Char(' ')));
        }
        rows.push_back(std::move(cells));
    }
    if (format == cli::TableFormat::Csv)
        return cli::saveOutput(out, cli::csvTable(header, rows, out != QLatin1String("-")));
    return cli::xlsxTable(QStringLiteral("Отопительный период"), header, rows, out);
}

} // namespace

int cli::runSeason(const QStringList& args)
{
    QCommandLineParser parser;
    if (const std::optional<int> status = cli::parseCommand(parser, cli::seasonSpec(), args))
        return *status;
    if (parser.optionNames().count(QStringLiteral("json")) > 1)
        return cli::usage(QStringLiteral("переключатель указан дважды"));
    const vedan::Outcome<SeasonRequest> parsed = parse(parser);
    if (parsed.failure)
        return cli::usage(parsed.failure->message);
    const SeasonRequest& request = parsed.value;

    const cli::SizeResult design = cli::sizeCase(request.form, true);
    if (design.run.failure() || !design.run.sized) {
        cli::failed(design.run.failure());
        return 1;
    }
    const selection::SizedSelection& sized = *design.run.sized;
    const selection::EquipmentKind kind = sized.request.kind;
    const vedan::Outcome<std::vector<Point>> swept = season::sweep(sized, request.schedule);
    if (swept.failure)
        return cli::usage(swept.failure->message);
    const std::vector<Point>& points = swept.value;
    const std::optional<season::Cut> cut = season::cutOf(sized, request.schedule);
    const json::Value whole = seasonJson(design, request.schedule, cut, points);

    if (request.out != QLatin1String("-") && request.pdf != QLatin1String("-")) {
        if (parser.isSet(QStringLiteral("json")))
            cli::out(QString::fromUtf8(json::dump(whole)));
        else
            printTable(kind, request.schedule, cut, points);
    }
    cli::flushOut();
    const bool outFailed =
        !request.out.isEmpty() && cli::failed(writeOut(request.out, whole, kind, points));
    bool sheetFailed = false;
    if (!request.pdf.isEmpty()) {
        const calcsheet::SheetData sheet{selection::typedTexts(request.form),
                                         design.run,
                                         design.checks,
                                         QDateTime::currentDateTime(),
                                         request.object,
                                         calcsheet::SeasonSheet{request.schedule, cut, points}};
        const vedan::Outcome<QByteArray> pdf = calcsheet::renderPdf(sheet);
        sheetFailed =
            cli::failed(pdf.failure ? pdf.failure : cli::saveOutput(request.pdf, pdf.value));
    }
    return outFailed || sheetFailed ? 1 : 0;
}
