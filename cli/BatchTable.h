#pragma once
// The batch's results as a table of columns, one description for every table output (CSV and
// .xlsx): each column its header and how its cell is made from a sized row. Depends on Qt Core
// and the selection and checks libraries.

#include "checks/Checks.h"
#include "cli/Table.h"
#include "selection/SelectionRun.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace cli {

// One sized row of the batch.
struct BatchRow {
    int line = 0;
    QStringList inputs;          // in the order of sizeFieldNames(), empty where left out
    selection::SelectionRun run; // a bad field is a run that failed with its description
    std::vector<checks::Check> checks;
};

using BatchColumn = TableColumn<BatchRow>;

// Every column, in order: line, the inputs, every working value, offers, message, worst_check.
const std::vector<BatchColumn>& batchColumns();

// The header and the cells of a row, in the order of the columns.
QStringList batchHeader();
std::vector<Cell> batchCells(const BatchRow& row);

} // namespace cli
