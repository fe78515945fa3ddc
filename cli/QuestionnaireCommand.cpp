// vedan-cli questionnaire itp|btp|plate --xlsx OUT [--answers FILE.json]
// Builds the questionnaire sheet of one panel from the panel's defaults overridden by the
// answers (questionnaire/Answers.h). "--xlsx -" writes the workbook to standard output.

#include "cli/CliIo.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "core/SafeFile.h"
#include "questionnaire/Answers.h"
#include "questionnaire/Panels.h"
#include "questionnaire/Sheets.h"
#include "sheet/XLApp.h"

#include <map>
#include <optional>

using namespace questionnaire;
using sheet::XLApp;

namespace {

struct Options {
    Kind kind;
    QString xlsx;
    QString answers;
};

// The options, or the usage problem.
vedan::Outcome<Options> parseOptions(const QCommandLineParser& parser)
{
    const auto refused = vedan::refusedInput<Options>;
    static const std::map<QString, Kind> kinds = {
        {QStringLiteral("itp"), Kind::Itp},
        {QStringLiteral("btp"), Kind::Btp},
        {QStringLiteral("plate"), Kind::Plate},
    };
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1 || !kinds.count(positional.front()))
        return refused(QStringLiteral("вид опросного листа: itp, btp или plate"));
    const std::optional<QString> xlsx = cli::single(parser, QStringLiteral("xlsx"));
    const std::optional<QString> answers = cli::single(parser, QStringLiteral("answers"));
    if (!xlsx || !answers)
        return refused(QStringLiteral("параметр указан дважды"));
    if (xlsx->isEmpty())
        return refused(QStringLiteral("не указан --xlsx"));
    if (const std::optional<QString> clash =
            cli::clashingFiles({.inputs = {{QStringLiteral("--answers"), *answers}},
                                .outputs = {{QStringLiteral("--xlsx"), *xlsx}}}))
        return refused(*clash);
    return {Options{kinds.at(positional.front()), *xlsx, *answers}, std::nullopt};
}

} // namespace

int cli::runQuestionnaire(const QStringList& args)
{
    QCommandLineParser parser;
    if (const std::optional<int> status = cli::parseCommand(parser, cli::questionnaireSpec(), args))
        return *status;
    const vedan::Outcome<Options> parsed = parseOptions(parser);
    if (parsed.failure)
        return cli::usage(parsed.failure->message);
    const Options* options = &parsed.value;
    const PanelSpec& spec = panel(options->kind);
    PanelValues values = defaults(options->kind);
    if (!options->answers.isNull()) {
        if (const auto problem = readAnswersFile(options->answers, spec, values)) {
            cli::err(problem->message);
            return 2;
        }
    }
    XLApp xl;
    xl.setTargetFile(options->xlsx);
    // The answers and the template come from a file: no text of theirs becomes a formula.
    xl.keepFormulasAsText(true);
    const vedan::Status built = buildSheet(xl, options->kind, values);
    if (cli::failed(built))
        return 1;
    if (options->xlsx != safefile::kStandardOutput) // there the workbook alone goes
        cli::outLines({options->xlsx});
    return 0;
}
