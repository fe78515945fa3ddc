#pragma once
// The batches of vedan-cli: many cases in one run, one per row of a semicolon-separated table,
// read, computed and written a block of rows at a time on worker threads, the output in the
// order of the input whatever the number of threads. size --batch sizes each row exactly as the
// single case with --checks --json would; other commands give their own kind of row
// (BatchKind). Depends on Qt Core, core, sheet and the selection and checks libraries.

#include "cli/SizeRequest.h"
#include "cli/Table.h"

#include <QByteArray>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace cli {

// The table of cases and the file the results go to.
struct BatchFiles {
    QString input;
    QString output;
};

// One record of the table as its kind of batch reads it.
struct BatchRecord {
    int line = 0;       // the line of the input it starts on
    QStringList inputs; // in the order of the kind's input columns, empty where not given; a
                        // number with the decimal comma
    Fields fields;      // the cells given, by the names of their columns
};

// What one row adds to the output, made where the row was computed.
struct RowOutput {
    int line = 0;             // the record's, set by the batch
    bool failed = false;      // the row ended in a message
    bool checkFailed = false; // a check of the row failed
    QByteArray bytes;         // CSV or JSON
    std::vector<Cell> cells;  // .xlsx
};

// The row's cells as the table format writes them: a CSV line, or kept for the sheet.
RowOutput tableRow(TableFormat format, std::vector<Cell> cells);

// One kind of batch: the columns its header may name, the table it writes, and how it makes a
// row of a record.
struct BatchKind {
    QString command;          // the command whose inputs a project gives a row ("size")
    QStringList inputColumns; // the columns a header may name, in any order, besides "project"
    QString requiredColumn;   // the one it must name, unless it names "project"
    QString sheetName;        // the sheet of an .xlsx output
    QStringList header;       // the output's columns
    // The row of a record, in the format asked for.
    std::function<RowOutput(const BatchRecord&, TableFormat)> computed;
    // The row of a record refused with a message (its inputs may be empty).
    std::function<RowOutput(const BatchRecord&, const QString& message, TableFormat)> refused;
};

// The column that names a row's project (a .vedan file, a relative path taken from the table's
// folder): the row's cells override the project's fields. Each project is read once a run.
inline const QString kProjectColumn = QStringLiteral("project");

// Computes every row of the input and writes the table (CSV, JSON or .xlsx by the extension of
// the output; "-" is CSV on standard output). Returns 0, 1 when a row failed or the output
// could not be written, 2 when the header is wrong, and with `strict` 3 when no row failed but a
// check of some row did.
int runBatchOf(const BatchKind& kind, const BatchFiles& files, bool strict);

// size --batch: each row sized with its checks.
int runBatch(const BatchFiles& files, bool strict = false);

// The files of --batch and --out ("-" when --out is left out), or the usage problem: with --batch
// a command takes only --out and --strict, each once, and no argument.
vedan::Outcome<BatchFiles> batchFilesOf(const QCommandLineParser& parser);

} // namespace cli
