#pragma once
// The control-valve example of the tool's tests: its options for `vedan-cli size`, and the same
// case as a batch table's header and row, and a batch table written with that header or another.
// Depends on Qt Core only.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

namespace clicases {

inline const QStringList kValve =
    QStringLiteral(
        "size control-valve --inlet 4 --inlet-unit kgf --outlet 2 --outlet-unit kgf --supply 150 "
        "--return 70 --load 0,5 --load-unit gcal --resistance 2 --resistance-unit m")
        .split(QLatin1Char(' '));

inline const QByteArray kBatchHeader = "kind;inlet;inlet-unit;outlet;outlet-unit;supply;return;"
                                       "load;load-unit;resistance;resistance-unit\n";
inline const QByteArray kBatchRow = "control-valve;4;kgf;2;kgf;150;70;0,5;gcal;2;m\n";

// Writes the header (size's, unless another is given) and the rows, each with its line end, to
// `name` in the folder; the path, or an empty text when the file cannot be written.
inline QString writeBatch(const QString& folder, const QString& name, const QByteArray& rows,
                          const QByteArray& header = kBatchHeader)
{
    const QString path = QDir(folder).filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(header + rows) < 0)
        return QString();
    return path;
}

} // namespace clicases
