#include "cli/SizeRequest.h"

#include "cli/CliOptions.h"
#include "core/Numbers.h"
#include "selection/FormFields.h"

using namespace selection;

namespace cli {

vedan::Outcome<SelectionForm> sizeFormOfOptions(const QCommandLineParser& parser,
                                                const QString& kind)
{
    Fields fields = {{QStringLiteral("kind"), kind}};
    for (const QString& name : sizeFieldNames().mid(1)) {
        const std::optional<QString> value = single(parser, name);
        if (!value)
            return {{},
                    vedan::Failure::input(QStringLiteral("параметр --%1 указан дважды").arg(name))};
        if (parser.isSet(name))
            fields.emplace_back(name, *value);
    }
    return sizeForm(fields);
}

SizeResult sizeCase(const SelectionForm& form, bool withChecks, bool checkTexts)
{
    SizeResult result{form, selection::runSelection(form), {}};
    if (withChecks && result.run.sized)
        result.checks = checks::evaluate(*result.run.sized, checkTexts);
    return result;
}

} // namespace cli
