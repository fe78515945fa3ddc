// vedan-cli size KIND ...: the selection of the selection window without the window. The
// options stand for the window's edit boxes and combo boxes; the same library code reads,
// converts and sizes them, so the lines printed are the lines the result box would hold.
// --checks adds the engineering checks after the lines; --json prints everything as one JSON
// object instead. A failed check never changes the exit status.

#include "checks/Checks.h"
#include "core/SafeFile.h"
#include "selection/EquipmentKinds.h"
#include "selection/ReportInputs.h"
#include "selection/SelectionReport.h"
#include "selection/SelectionRun.h"
#include "tools/vedan-cli/CliIo.h"
#include "tools/vedan-cli/Commands.h"
#include "tools/vedan-cli/SizeOutput.h"

#include <QDateTime>
#include <map>
#include <optional>

using namespace selection;

namespace {

const std::map<QString, EquipmentKind> kKinds = {
    {QStringLiteral("hydroelevator"), EquipmentKind::Hydroelevator},
    {QStringLiteral("control-valve"), EquipmentKind::ControlValve},
    {QStringLiteral("mixing-valve"), EquipmentKind::MixingValve},
    {QStringLiteral("regulator"), EquipmentKind::Regulator},
};

using Choices = std::map<QString, int>; // option value -> combo item index

const Choices kPressureUnits = {
    {QStringLiteral("bar"), 1}, {QStringLiteral("mpa"), 2}, {QStringLiteral("kgf"), 3}};
const Choices kLoadUnits = {{QStringLiteral("mw"), 1}, {QStringLiteral("gcal"), 2}};
const Choices kResistanceUnits = {{QStringLiteral("m"), 1}};
const Choices kOneToThree = {
    {QStringLiteral("1"), 1}, {QStringLiteral("2"), 2}, {QStringLiteral("3"), 3}};

// An option naming an edit box: its text goes into the form as typed.
const std::map<QString, QString SelectionForm::*> kTextOptions = {
    {QStringLiteral("--inlet"), &SelectionForm::edit1},
    {QStringLiteral("--outlet"), &SelectionForm::edit2},
    {QStringLiteral("--supply"), &SelectionForm::edit3},
    {QStringLiteral("--return"), &SelectionForm::edit4},
    {QStringLiteral("--load"), &SelectionForm::edit5},
    {QStringLiteral("--resistance"), &SelectionForm::edit6},
};

struct ChoiceOption {
    int SelectionForm::*combo;
    const Choices* choices;
};

// An option naming a combo box choice; left out, the combo box stays at its prompt.
const std::map<QString, ChoiceOption> kChoiceOptions = {
    {QStringLiteral("--inlet-unit"), {&SelectionForm::comboBox2, &kPressureUnits}},
    {QStringLiteral("--outlet-unit"), {&SelectionForm::comboBox3, &kPressureUnits}},
    {QStringLiteral("--load-unit"), {&SelectionForm::comboBox4, &kLoadUnits}},
    {QStringLiteral("--resistance-unit"), {&SelectionForm::comboBox1, &kResistanceUnits}},
    {QStringLiteral("--series"), {&SelectionForm::comboBox5, &kOneToThree}},
    {QStringLiteral("--range"), {&SelectionForm::comboBox6, &kOneToThree}},
};

struct SizeRequest {
    SelectionForm form;
    std::optional<QString> xlsx;
};

// The request, or nullopt for a wrong kind, option or value. An edit-box option left out is
// an empty edit box (a conversion error, as in the window).
std::optional<SizeRequest> parse(const QStringList& args)
{
    if (args.isEmpty() || !kKinds.count(args.front()))
        return std::nullopt;
    SizeRequest request;
    request.form.title = kinds::caption(kKinds.at(args.front()));
    QStringList seen;
    for (int i = 1; i < args.size(); i += 2) {
        const QString& option = args[i];
        if (i + 1 >= args.size() || seen.contains(option))
            return std::nullopt;
        seen << option;
        const QString& value = args[i + 1];
        if (const auto text = kTextOptions.find(option); text != kTextOptions.end()) {
            request.form.*text->second = value;
        } else if (const auto choice = kChoiceOptions.find(option);
                   choice != kChoiceOptions.end()) {
            const auto item = choice->second.choices->find(value);
            if (item == choice->second.choices->end())
                return std::nullopt;
            request.form.*choice->second.combo = item->second;
        } else if (option == QStringLiteral("--xlsx") && !value.isEmpty()) {
            request.xlsx = value;
        } else {
            return std::nullopt;
        }
    }
    return request;
}

// Writes the report as the window's export would.
vedan::Status writeReport(const SizeRequest& request, const QStringList& lines)
{
    XLApp xl;
    xl.setTargetFile(*request.xlsx);
    return writeSelectionReport(
        xl, selection::reportData(request.form, lines, QDateTime::currentDateTime()));
}

} // namespace

int runSize(const QStringList& args)
{
    // The two switches take no value; the other options come in pairs.
    QStringList pairs = args;
    const qsizetype withChecks = pairs.removeAll(QStringLiteral("--checks"));
    const qsizetype asJson = pairs.removeAll(QStringLiteral("--json"));
    const std::optional<SizeRequest> request = parse(pairs);
    if (!request || withChecks > 1 || asJson > 1)
        return cli::usage();

    const SelectionRun run = selection::runSelection(request->form);
    const std::vector<checks::Check> found =
        withChecks || asJson ? checks::ofRun(request->form, run) : std::vector<checks::Check>();
    // With "--xlsx -" standard output carries the workbook alone.
    if (request->xlsx != safefile::standardOutput) {
        if (asJson) {
            cli::out(cli::sizeJson(run, found));
        } else {
            cli::outLines(run.lines);
            for (const checks::Check& check : found)
                cli::out(cli::checkLine(check));
        }
    }
    const bool sizingFailed = cli::failed(run.failure);
    const bool reportFailed = request->xlsx && cli::failed(writeReport(*request, run.lines));
    return sizingFailed || reportFailed ? 1 : 0;
}
