#include "cli/CliIo.h"

#include "cli/CliOptions.h"
#include "core/SafeFile.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <sys/stat.h>

namespace {

// Control characters (from a file name in a message, say) are shown as \uXXXX, so that no text
// can drive the terminal; a line break too where the text is one line of a listing, so that a
// typed name cannot add a line of its own.
QString printable(const QString& line, bool keepLineBreaks)
{
    QString out;
    out.reserve(line.size());
    for (const QChar c : line) {
        if ((c != '\n' || !keepLineBreaks) && c.category() == QChar::Other_Control)
            out += QStringLiteral("\\u%1").arg(
                QString::number(c.unicode(), 16).rightJustified(4, '0'));
        else
            out += c;
    }
    return out;
}

void writeLine(std::FILE* stream, const QString& line, bool keepLineBreaks = true)
{
    const QByteArray bytes = printable(line, keepLineBreaks).toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
}

// What a name stands for on the disk: the file's device and inode, or, for a file not made
// yet, its folder's device and inode and its own name.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    QString name;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const QString& path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0)
        return FileIdentity{st.st_dev, st.st_ino, {}};
    const QFileInfo info(path);
    if (::stat(QFile::encodeName(info.absolutePath()).constData(), &st) == 0)
        return FileIdentity{st.st_dev, st.st_ino, info.fileName()};
    return std::nullopt; // its folder is missing: the save itself will say so
}

} // namespace

namespace cli {

void out(const QString& line) { writeLine(stdout, line); }

void outLines(const QStringList& lines)
{
    for (const QString& line : lines)
        writeLine(stdout, line, false);
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

std::optional<QString> clashingFiles(const FileRoles& files)
{
    QStringList toStandardOutput;
    for (const NamedFile& output : files.outputs)
        if (output.path == safefile::kStandardOutput)
            toStandardOutput << output.option;
    if (toStandardOutput.size() > 1)
        return QStringLiteral("%1 не могут выводиться в стандартный вывод вместе")
            .arg(toStandardOutput.join(QStringLiteral(" и ")));
    QList<std::pair<const NamedFile*, FileIdentity>> seen;
    auto identify = [&seen](const NamedFile& file) {
        if (file.path.isEmpty() || file.path == safefile::kStandardOutput)
            return;
        if (const std::optional<FileIdentity> id = identityOf(file.path))
            seen.append({&file, *id});
    };
    for (const NamedFile& input : files.inputs)
        identify(input);
    const qsizetype inputCount = seen.size();
    for (const NamedFile& output : files.outputs) {
        const qsizetype before = seen.size();
        identify(output);
        if (seen.size() == before)
            continue;
        for (qsizetype i = 0; i < before; ++i) {
            if (seen[i].second != seen.back().second)
                continue;
            const NamedFile& other = *seen[i].first;
            return QStringLiteral("%1 %2 — тот же файл, что и %3 %4: %5; выберите другое имя")
                .arg(output.option, output.path, other.option, other.path,
                     i < inputCount ? QStringLiteral("вывод затёр бы входной файл")
                                    : QStringLiteral("один вывод затёр бы другой"));
        }
    }
    return std::nullopt;
}

} // namespace cli
