// vedan-cli size KIND ...: the selection of the selection window without the window. The
// options stand for the window's edit boxes and combo boxes; the same library code reads,
// converts and sizes them, so the lines printed are the lines the result box would hold.

#include "core/SafeFile.h"
#include "selection/EquipmentKinds.h"
#include "selection/ReportInputs.h"
#include "selection/SelectionReport.h"
#include "selection/SelectionRun.h"
#include "tools/vedan-cli/CliIo.h"
#include "tools/vedan-cli/Commands.h"

#include <QDateTime>
#include <map>
#include <optional>

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

// Writes the report as the window's export would; false when the spreadsheet layer refused.
bool writeReport(const SizeRequest& request, const QStringList& lines)
{
    XLApp xl;
    xl.setTargetFile(*request.xlsx);
    try {
        writeSelectionReport(
            xl, selection::reportData(request.form, lines, QDateTime::currentDateTime()));
    } catch (const SheetError& error) {
        cli::err(QString::fromUtf8(error.what()));
        return false;
    }
    return true;
}

} // namespace

int runSize(const QStringList& args)
{
    const std::optional<SizeRequest> request = parse(args);
    if (!request)
        return cli::usage();

    const SelectionRun run = selection::runSelection(request->form);
    // With "--xlsx -" standard output carries the workbook alone.
    if (request->xlsx != safefile::standardOutput)
        cli::outLines(run.lines);
    if (run.message)
        cli::err(*run.message);
    const bool reported = !request->xlsx || writeReport(*request, run.lines);
    return run.message || !reported ? 1 : 0;
}
