#pragma once
// Reads a written workbook back before it replaces anything: the writer library does not check
// the writes of its own temporary files, so a full disk or a file-size limit can leave a sheet
// cut short inside a package that still looks whole. Every entry of the zip package must
// inflate to its recorded size and CRC-32, and every XML part must end with its root element's
// closing tag. The package is read a piece at a time, so that the check of a workbook of any size
// takes the memory of a piece. Depends on Qt Core and zlib only.

#include <QByteArray>
#include <QString>

#include <optional>

namespace sheet {

// Empty when the package is sound; otherwise what is wrong with it, in Russian.
std::optional<QString> packageFault(const QString& file);
// The same for the bytes of a package.
std::optional<QString> packageFaultIn(const QByteArray& data);

} // namespace sheet
