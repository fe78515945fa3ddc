#pragma once
// One sizing case of vedan-cli from its named fields (the options of size without their
// dashes), shared by the single case and by every row of a batch, so that both read, convert,
// size and check the same way. Depends on Qt Core, core and the selection and checks libraries.

#include "checks/Checks.h"
#include "core/Failure.h"
#include "selection/FormFields.h"
#include "selection/FormInput.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace cli {

// A field's name and its value as given.
using Fields = selection::Fields;

// "kind", then the option names of the inputs, in the order of the usage text.
inline const QStringList& sizeFieldNames() { return selection::formFieldNames(); }

// The window's form for the fields (selection::formOfFields).
inline vedan::Outcome<selection::SelectionForm> sizeForm(const Fields& fields)
{
    return selection::formOfFields(fields);
}

// The form of a command's options for the kind given: each input option at most once (a repeated
// one is refused with its name), then as sizeForm reads them.
vedan::Outcome<selection::SelectionForm> sizeFormOfOptions(const QCommandLineParser& parser,
                                                           const QString& kind);

struct SizeResult {
    selection::SelectionForm form;
    selection::SelectionRun run;
    std::vector<checks::Check> checks;
};

// The form sized as "Подобрать" sizes it, with the checks of the sized selection if asked for.
// With checkTexts false the checks have their statuses and values but no texts.
SizeResult sizeCase(const selection::SelectionForm& form, bool withChecks, bool checkTexts = true);

} // namespace cli
