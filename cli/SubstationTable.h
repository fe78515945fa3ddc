#pragma once
// The substation batch's results as a table of columns, one description for CSV and .xlsx (as
// cli/BatchTable.h is for size's): line, the inputs as given, the network flow and the available
// head, then for each kind of element in the order of the flow the values its JSON object has
// ("orifice.bore", empty where the row's scheme has no such element), the message and the
// verdict. Depends on Qt Core and the substation library.

#include "cli/Table.h"
#include "substation/Substation.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace cli {

// One row of the substation batch.
struct SubstationRow {
    int line = 0;
    QStringList inputs;                       // in the order of substationInputNames()
    std::optional<substation::Budget> budget; // none after a message
    QString message;                          // why the row was refused
};

// The columns a substation batch reads: "scheme", the fields of size but "kind" (its kind
// follows from the scheme), then the substation's own numbers.
const QStringList& substationInputNames();

const std::vector<TableColumn<SubstationRow>>& substationColumns();
QStringList substationHeader();
std::vector<Cell> substationCells(const SubstationRow& row);

} // namespace cli
