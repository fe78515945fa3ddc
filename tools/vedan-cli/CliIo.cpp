#include "tools/vedan-cli/CliIo.h"

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

int usage()
{
    err(QStringLiteral(
        "usage:\n"
        "  vedan-cli size hydroelevator|control-valve|mixing-valve|regulator\n"
        "      --inlet TEXT --inlet-unit bar|mpa|kgf --outlet TEXT --outlet-unit bar|mpa|kgf\n"
        "      --supply TEXT --return TEXT --load TEXT --load-unit mw|gcal\n"
        "      --resistance TEXT --resistance-unit m [--series 1|2|3] [--range 1|2|3] [--xlsx "
        "OUT]\n"
        "      [--checks] [--json]\n"
        "  vedan-cli assess FILE.teo --system heating|hot-water|both [--xlsx OUT]\n"
        "  vedan-cli template FILE.teo [--json]\n"
        "  vedan-cli questionnaire itp|btp|plate --xlsx OUT [--answers FILE.json]\n"
        "OUT \"-\" writes the workbook to standard output."));
    return 2;
}

} // namespace cli
