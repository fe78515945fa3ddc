#include "cli/CliIo.h"

#include "cli/CliOptions.h"
#include "core/SafeFile.h"
#include "core/SystemReasons.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

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

// The first failure of standard output: its reason, and whether it was reported.
struct OutputState {
    int error = 0;
    bool reported = false;
};
OutputState& outputState()
{
    static OutputState state;
    return state;
}

// Keeps the reason of standard output's first failure (errno is lost by the next write or flush,
// and glibc drops the buffer that failed, so a later flush would succeed or say nothing).
void noteOutputError(int error)
{
    if (outputState().error == 0)
        outputState().error = error != 0 ? error : EIO;
}

void writeLine(std::FILE* stream, const QString& line, bool keepLineBreaks)
{
    const QByteArray bytes = printable(line, keepLineBreaks).toUtf8();
    errno = 0;
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    if (std::fputc('\n', stream) == EOF || std::ferror(stream))
        if (stream == stdout)
            noteOutputError(errno);
}

// What a name stands for on the disk: the file's device and inode, or, for a file not made
// yet, its folder's device and inode and its own name. A link is followed as the save follows
// it, also to a file not made yet, so that a dangling link and its target's name are one file.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    QString name;
    bool operator==(const FileIdentity&) const = default;
};

std::optional<FileIdentity> identityOf(const QString& path)
{
    const QString file = safefile::savedFile(path).value_or(path);
    struct stat st;
    if (::stat(QFile::encodeName(file).constData(), &st) == 0)
        return FileIdentity{st.st_dev, st.st_ino, {}};
    const QFileInfo info(file);
    if (::stat(QFile::encodeName(info.absolutePath()).constData(), &st) == 0)
        return FileIdentity{st.st_dev, st.st_ino, info.fileName()};
    return std::nullopt; // its folder is missing: the save itself will say so
}

// The file that standard output writes into, when it is a regular file.
std::optional<FileIdentity> standardOutputIdentity()
{
    struct stat st;
    if (::fstat(STDOUT_FILENO, &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    return FileIdentity{st.st_dev, st.st_ino, {}};
}

} // namespace

namespace cli {

void out(const QString& line) { writeLine(stdout, line, true); }

void outLines(const QStringList& lines)
{
    for (const QString& line : lines)
        writeLine(stdout, line, false);
}

void err(const QString& line) { writeLine(stderr, line, false); }

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
    writeLine(stderr, usageText(), true);
    return 2;
}

void flushOut()
{
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        noteOutputError(errno);
}

vedan::Failure outputFailure(int error)
{
    noteOutputError(error);
    outputState().reported = true;
    return vedan::Failure::file(QStringLiteral("vedan-cli: ошибка записи в стандартный вывод: ")
                                + systemreason::ofError(outputState().error));
}

int checkedOutput(int status)
{
    flushOut();
    if (outputState().error == 0)
        return status;
    if (!outputState().reported)
        err(outputFailure(outputState().error).message);
    return status == 0 ? 1 : status;
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
    // As cat refuses "cat in >> in": the input would be read back as it grows, and lost.
    if (const std::optional<FileIdentity> out = standardOutputIdentity())
        for (const auto& [input, id] : seen)
            if (id == *out)
                return QStringLiteral("стандартный вывод — тот же файл, что и %1 %2: вывод "
                                      "затёр бы входной файл; выберите другой файл для вывода")
                    .arg(input->option, input->path);
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
