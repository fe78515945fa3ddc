#include "tools/vedan-cli/CliIo.h"

#include "tools/vedan-cli/CliOptions.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

void writeLine(std::FILE* stream, const QString& line)
{
    const QByteArray bytes = line.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
}

vedan::Status writeStandardOutput(const QByteArray& bytes)
{
    std::fflush(stdout);
    if (std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout)
            != static_cast<size_t>(bytes.size())
        || std::fflush(stdout) != 0)
        return vedan::Failure::file(QStringLiteral("Не удалось записать стандартный вывод"));
    return std::nullopt;
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

vedan::Status saveOutput(const QString& path, const FileWriter& write)
{
    if (path != QLatin1String("-"))
        return write(path);
    QTemporaryDir folder;
    if (!folder.isValid())
        return vedan::Failure::file(
            QStringLiteral("Не удалось создать временную папку: %1").arg(folder.errorString()));
    const QString file = folder.filePath(QStringLiteral("output"));
    if (vedan::Status failure = write(file))
        return failure;
    QFile written(file);
    if (!written.open(QIODevice::ReadOnly))
        return vedan::Failure::file(
            QStringLiteral("Не удалось прочитать файл %1: %2").arg(file, written.errorString()));
    return writeStandardOutput(written.readAll());
}

vedan::Status saveOutput(const QString& path, const QByteArray& bytes)
{
    if (path == QLatin1String("-"))
        return writeStandardOutput(bytes);
    return saveOutput(path, [&bytes](const QString& file) -> vedan::Status {
        QFile target(file);
        if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || target.write(bytes) != bytes.size() || !target.flush())
            return vedan::Failure::file(
                QStringLiteral("Не удалось записать файл %1: %2").arg(file, target.errorString()));
        return std::nullopt;
    });
}

} // namespace cli
