// vedan-cli questionnaire itp|btp|plate --xlsx OUT [--answers FILE.json]
// Builds the questionnaire sheet of one panel from the panel's defaults overridden by the
// answers: a JSON object mapping the panel's control names to a text (edit box, memo), an item
// index or exact item text (combo box) or true/false (check box).

#include "questionnaire/Panels.h"
#include "questionnaire/Sheets.h"
#include "sheet/XLApp.h"
#include "tools/vedan-cli/CliIo.h"
#include "tools/vedan-cli/Commands.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>
#include <map>
#include <optional>

using namespace questionnaire;

namespace {

struct Options {
    Kind kind;
    QString xlsx;
    QString answers;
};

std::optional<Options> parseOptions(const QStringList& args)
{
    static const std::map<QString, Kind> kinds = {
        {QStringLiteral("itp"), Kind::Itp},
        {QStringLiteral("btp"), Kind::Btp},
        {QStringLiteral("plate"), Kind::Plate},
    };
    if (args.isEmpty() || !kinds.count(args.front()))
        return std::nullopt;
    Options options{kinds.at(args.front()), {}, {}};
    for (int i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return std::nullopt;
        if (args[i] == QLatin1String("--xlsx") && options.xlsx.isNull())
            options.xlsx = args[i + 1];
        else if (args[i] == QLatin1String("--answers") && options.answers.isNull())
            options.answers = args[i + 1];
        else
            return std::nullopt;
    }
    if (options.xlsx.isEmpty())
        return std::nullopt;
    return options;
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
    const std::optional<Options> options = parseOptions(args);
    if (!options)
        return cli::usage();
    const PanelSpec& spec = panel(options->kind);
    PanelValues values = defaults(options->kind);
    if (!options->answers.isNull()) {
        if (const auto problem = readAnswers(options->answers, spec, values)) {
            cli::err(*problem);
            return 2;
        }
    }
    XLApp xl;
    xl.setTargetFile(options->xlsx);
    if (cli::failed(buildSheet(xl, options->kind, values)))
        return 1;
    cli::out(xl.writtenFile());
    return 0;
}
