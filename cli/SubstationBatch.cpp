#include "cli/SubstationBatch.h"

#include "cli/SubstationCase.h"
#include "cli/SubstationTable.h"
#include "core/Numbers.h"

namespace cli {

namespace {

std::optional<QString> valueOf(const Fields& fields, const QString& name)
{
    for (const auto& [field, value] : fields)
        if (field == name)
            return value;
    return std::nullopt;
}

// The budget of a row's fields, read in the order the single command reads its options: the
// scheme, the inputs of size, the substation's numbers; or the message of the first refused.
// With texts false the checks have no formulas or notes.
vedan::Outcome<substation::Budget> budgetOf(const Fields& fields, bool texts)
{
    const auto refused = vedan::refusedInput<substation::Budget>;
    const vedan::Outcome<substation::Scheme> scheme =
        schemeOf(valueOf(fields, QStringLiteral("scheme")));
    if (scheme.failure)
        return {{}, scheme.failure};
    Fields sizeFields{{QStringLiteral("kind"), sizeKindOf(scheme.value)}};
    for (const QString& name : sizeFieldNames().mid(1))
        if (const std::optional<QString> value = valueOf(fields, name))
            sizeFields.emplace_back(name, *value);
    const vedan::Outcome<selection::SelectionForm> form = sizeForm(sizeFields);
    if (form.failure)
        return {{}, form.failure};
    SubstationNumbers numbers;
    for (const SubstationNumberField& field : kSubstationNumberFields) {
        const QString name = QString::fromLatin1(field.name);
        const std::optional<QString> value = valueOf(fields, name);
        if (!value)
            continue;
        numbers.*field.member = num::parseEitherSeparator(*value);
        if (!(numbers.*field.member))
            return refused(QStringLiteral("значение «%1» поля %2 не число").arg(*value, name));
    }
    const vedan::Outcome<selection::SizingRequest> sizing =
        selection::requestOf(form.value, requestKind(scheme.value));
    if (sizing.failure)
        return {{}, sizing.failure};
    return substation::budget(sizing.value, substationOptions(scheme.value, numbers), texts);
}

RowOutput output(const SubstationRow& row, TableFormat format)
{
    RowOutput out;
    if (format == TableFormat::Json) {
        json::Value item;
        item["line"] = row.line;
        item["message"] = row.budget ? json::Value() : json::text(row.message);
        if (row.budget)
            item.update(budgetJson(*row.budget));
        out.bytes = json::dump(item);
    } else {
        out = tableRow(format, substationCells(row));
    }
    out.failed = !row.budget;
    out.checkFailed = row.budget && checks::verdict(row.budget->checks) == checks::Status::Failed;
    return out;
}

RowOutput refusedRow(const BatchRecord& record, const QString& message, TableFormat format)
{
    return output({.line = record.line, .inputs = record.inputs, .budget = {}, .message = message},
                  format);
}

RowOutput computedRow(const BatchRecord& record, TableFormat format)
{
    // Only JSON prints the checks' texts.
    vedan::Outcome<substation::Budget> b = budgetOf(record.fields, format == TableFormat::Json);
    if (b.failure)
        return refusedRow(record, b.failure->message, format);
    return output(
        {.line = record.line, .inputs = record.inputs, .budget = std::move(b.value), .message = {}},
        format);
}

} // namespace

int runSubstationBatch(const BatchFiles& files, bool strict)
{
    static const BatchKind kind{.command = QStringLiteral("substation"),
                                .inputColumns = substationInputNames(),
                                .requiredColumn = QStringLiteral("scheme"),
                                .sheetName = QStringLiteral("Тепловые пункты"),
                                .header = substationHeader(),
                                .computed = computedRow,
                                .refused = refusedRow};
    return runBatchOf(kind, files, strict);
}

} // namespace cli
