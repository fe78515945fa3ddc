// vedan-cli questionnaire itp|btp|plate --xlsx OUT [--answers FILE.json]
// Builds the questionnaire sheet of one panel from the panel's defaults overridden by the
// answers (questionnaire/Answers.h). "--xlsx -" writes the workbook to standard output.

#include "core/SafeFile.h"
#include "questionnaire/Answers.h"
#include "questionnaire/Panels.h"
#include "questionnaire/Sheets.h"
#include "sheet/XLApp.h"
#include "tools/vedan-cli/CliIo.h"
#include "tools/vedan-cli/Commands.h"

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

} // namespace

int runQuestionnaire(const QStringList& args)
{
    const std::optional<Options> options = parseOptions(args);
    if (!options)
        return cli::usage();
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
    if (cli::failed(buildSheet(xl, options->kind, values)))
        return 1;
    if (options->xlsx != safefile::standardOutput) // there the workbook alone goes
        cli::out(xl.writtenFile());
    return 0;
}
