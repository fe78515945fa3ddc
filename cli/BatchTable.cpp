#include "cli/BatchTable.h"

#include "cli/SizeRequest.h"

namespace cli {

namespace {

// The worst status of the row's checks; empty after a message or without checks.
QString worstCheck(const BatchRow& row)
{
    if (row.run.failure() || row.checks.empty())
        return QString();
    return checks::statusId(checks::verdict(row.checks));
}

// A working value, unrounded; empty where the row's kind does not have it or it was not reached.
Cell workingValue(const BatchRow& row, const selection::NamedValue& column)
{
    bool ofKind = false;
    if (!row.run.sized)
        return QString();
    for (const selection::NamedValue& named : selection::valuesOf(row.run.sized->request.kind))
        ofKind = ofKind || named.value == column.value;
    const std::optional<double> value = column.of(row.run.sized->values);
    return ofKind && value ? valueCell(*value) : QString();
}

QString offers(const BatchRow& row)
{
    QStringList designations;
    if (row.run.sized)
        for (const selection::Offer& offer : row.run.sized->offers)
            designations << offer.designation;
    return designations.join(QStringLiteral(" | "));
}

} // namespace

const std::vector<BatchColumn>& batchColumns()
{
    static const std::vector<BatchColumn> all = [] {
        std::vector<BatchColumn> columns{
            {QStringLiteral("line"), [](const BatchRow& r) { return valueCell(r.line); }},
        };
        // The inputs as given, a number where one was given.
        for (qsizetype i = 0; i < sizeFieldNames().size(); ++i)
            columns.push_back({sizeFieldNames()[i],
                               [i](const BatchRow& r) { return givenCell(r.inputs.value(i)); }});
        for (const selection::NamedValue& named : selection::allValues())
            columns.push_back({QString::fromLatin1(named.name),
                               [named](const BatchRow& r) { return workingValue(r, named); }});
        columns.push_back(
            {QStringLiteral("offers"), [](const BatchRow& r) -> Cell { return offers(r); }});
        columns.push_back({QStringLiteral("message"), [](const BatchRow& r) -> Cell {
                               return r.run.message().value_or(QString());
                           }});
        columns.push_back({QStringLiteral("worst_check"),
                           [](const BatchRow& r) -> Cell { return worstCheck(r); }});
        return columns;
    }();
    return all;
}

QStringList batchHeader() { return headerOf(batchColumns()); }

std::vector<Cell> batchCells(const BatchRow& row) { return cellsOf(batchColumns(), row); }

} // namespace cli
