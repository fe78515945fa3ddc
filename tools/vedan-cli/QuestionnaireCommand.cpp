// vedan-cli questionnaire itp|btp|plate --xlsx OUT [--answers FILE.json]
// Builds the questionnaire sheet of one panel from the panel's defaults overridden by the
// answers: a JSON object mapping the panel's control names to a text (edit box, memo), an item
// index or exact item text (combo box) or true/false (check box).

#include "questionnaire/Panels.h"
#include "questionnaire/Sheets.h"
#include "sheet/XLApp.h"
#include "tools/vedan-cli/CliIo.h"
#include "tools/vedan-cli/CliOptions.h"
#include "tools/vedan-cli/Commands.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>
#include <map>
#include <optional>
#include <variant>

using namespace questionnaire;

namespace {

struct Options {
    Kind kind;
    QString xlsx;
    QString answers;
};

// The options, or the usage problem.
std::variant<Options, QString> parseOptions(const QCommandLineParser& parser)
{
    static const std::map<QString, Kind> kinds = {
        {QStringLiteral("itp"), Kind::Itp},
        {QStringLiteral("btp"), Kind::Btp},
        {QStringLiteral("plate"), Kind::Plate},
    };
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1 || !kinds.count(positional.front()))
        return QStringLiteral("вид опросного листа: itp, btp или plate");
    const std::optional<QString> xlsx = cli::single(parser, QStringLiteral("xlsx"));
    const std::optional<QString> answers = cli::single(parser, QStringLiteral("answers"));
    if (!xlsx || !answers)
        return QStringLiteral("параметр указан дважды");
    if (xlsx->isEmpty())
        return QStringLiteral("не указан --xlsx");
    return Options{kinds.at(positional.front()), *xlsx, *answers};
}

// Sets one control from its answer; returns what is wrong with it, or nothing.
std::optional<QString> applyAnswer(const PanelSpec& panel, PanelValues& values, const QString& name,
                                   const QJsonValue& answer)
{
    const ControlSpec* spec = panel.control(name);
    if (!spec)
        return QStringLiteral("unknown control \"%1\" (not on %2)").arg(name, panel.panelName);
    switch (spec->type) {
    case ControlType::Edit:
    case ControlType::Memo:
        if (!answer.isString())
            return QStringLiteral("control \"%1\" takes a text").arg(name);
        values.texts[name] = answer.toString();
        return std::nullopt;
    case ControlType::Check:
        if (!answer.isBool())
            return QStringLiteral("control \"%1\" takes true or false").arg(name);
        values.checks[name] = answer.toBool();
        return std::nullopt;
    case ControlType::Combo: break;
    }
    if (answer.isString()) {
        const int index = static_cast<int>(spec->items.indexOf(answer.toString()));
        if (index < 0)
            return QStringLiteral("control \"%1\" has no item \"%2\"").arg(name, answer.toString());
        values.choices[name] = index;
        return std::nullopt;
    }
    if (!answer.isDouble())
        return QStringLiteral("control \"%1\" takes an item index or an item's text").arg(name);
    const double number = answer.toDouble();
    // The range is checked before the conversion: a huge number does not fit an int.
    if (number < 0 || number >= spec->items.size() || number != std::floor(number))
        return QStringLiteral("control \"%1\" has no item %2 (items 0 to %3)")
            .arg(name, QString::number(number, 'g', 17))
            .arg(spec->items.size() - 1);
    values.choices[name] = static_cast<int>(number);
    return std::nullopt;
}

std::optional<QString> readAnswers(const QString& path, const PanelSpec& panel, PanelValues& values)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read answers file %1: %2").arg(path, file.errorString());
    QJsonParseError error;
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) // a byte-order mark that some editors write
        bytes.remove(0, 3);
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return QStringLiteral("answers file %1 is not valid JSON: %2")
            .arg(path, error.errorString());
    if (!document.isObject())
        return QStringLiteral("answers file %1 must hold one JSON object").arg(path);
    const QJsonObject answers = document.object();
    for (auto it = answers.begin(); it != answers.end(); ++it)
        if (auto problem = applyAnswer(panel, values, it.key(), it.value()))
            return problem;
    return std::nullopt;
}

} // namespace

int runQuestionnaire(const QStringList& args)
{
    QCommandLineParser parser;
    if (const std::optional<int> status = cli::parseCommand(parser, cli::questionnaireSpec(), args))
        return *status;
    const auto parsed = parseOptions(parser);
    if (const QString* problem = std::get_if<QString>(&parsed))
        return cli::usage(*problem);
    const Options* options = &std::get<Options>(parsed);
    const PanelSpec& spec = panel(options->kind);
    PanelValues values = defaults(options->kind);
    if (!options->answers.isNull()) {
        if (const auto problem = readAnswers(options->answers, spec, values)) {
            cli::err(*problem);
            return 2;
        }
    }
    QString written;
    const vedan::Status built = cli::saveOutput(options->xlsx, [&](const QString& file) {
        XLApp xl;
        xl.setTargetFile(file);
        vedan::Status status = buildSheet(xl, options->kind, values);
        written = xl.writtenFile();
        return status;
    });
    if (cli::failed(built))
        return 1;
    if (options->xlsx != QLatin1String("-"))
        cli::out(written);
    return 0;
}
