#include "tools/vedan-cli/CliIo.h"

#include "core/SafeFile.h"
#include "tools/vedan-cli/CliOptions.h"

#include <QFile>
#include <cstdio>

namespace {

// Control characters other than the line break (from a file name in a message, say) are shown
// as \uXXXX, so that no text can drive the terminal.
QString printable(const QString& line)
{
    QString out;
    out.reserve(line.size());
    for (const QChar c : line) {
        if (c != '\n' && c.category() == QChar::Other_Control)
            out += QStringLiteral("\\u%1").arg(
                QString::number(c.unicode(), 16).rightJustified(4, '0'));
        else
            out += c;
    }
    return out;
}

void writeLine(std::FILE* stream, const QString& line)
{
    const QByteArray bytes = printable(line).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
}

} // namespace

namespace cli {

void out(const QString& line) { writeLine(stdout, line); }

void outLines(const QStringList& lines)
{
    for (const QString& line : lines)
        out(line);
}

void err(const QString& line) { writeLine(stderr, line); }

bool failed(const vedan::Status& failure)
{
    if (failure)
        err(failure->message);
    return failure.has_value();
}

int usage(const QString& problem)
{
    if (!problem.isEmpty())
        err(QStringLiteral("vedan-cli: ") + problem);
    err(usageText());
    return 2;
}

vedan::Status saveOutput(const QString& path, const QByteArray& bytes)
{
    return safefile::saveBytes(path, bytes);
}

} // namespace cli
