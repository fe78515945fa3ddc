#pragma once
// Reads a written workbook back with the independent reader script (openpyxl, through Debian's
// /usr/bin/python3) and gives its first sheet as JSON:
// {"name", "cells": {"A1": {"value", "type", "bold", "align", "wrap"}}, "merged", "widths",
// "heights"}.
// An unreadable file gives an empty object, which every comparison of a test then fails on.
// Shared by the GoogleTest and Qt Test programs.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

// The tests' source folder and the command-line tool, as the test run passes them.
inline QString testsDir() { return qEnvironmentVariable("VEDAN_TESTS_DIR"); }
inline QString cliPath() { return qEnvironmentVariable("VEDAN_CLI"); }

inline QJsonObject readFirstSheet(const QString& file)
{
    QProcess reader;
    reader.start(qEnvironmentVariable("VEDAN_PYTHON", QStringLiteral("/usr/bin/python3")),
                 {testsDir() + QStringLiteral("/support/read_xlsx.py"), file});
    if (!reader.waitForFinished(60000) || reader.exitCode() != 0)
        return {};
    const QJsonObject book = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    return book[QStringLiteral("sheets")].toArray().first().toObject();
}

inline QStringList mergedRanges(const QJsonObject& sheet)
{
    QStringList ranges;
    for (const auto& range : sheet[QStringLiteral("merged")].toArray())
        ranges << range.toString();
    ranges.sort();
    return ranges;
}

// The stored width carries the writer's padding of about 0.71 characters over the
// column width that the spreadsheet shows.
inline double shownWidth(const QJsonObject& sheet, const QString& column)
{
    const QJsonValue stored = sheet[QStringLiteral("widths")].toObject()[column];
    return stored.isUndefined() ? -1 : stored.toDouble() - 0.7109375;
}

// A row's own height in points, or -1 for the standard height.
inline double rowHeight(const QJsonObject& sheet, int row)
{
    return sheet[QStringLiteral("heights")].toObject()[QString::number(row)].toDouble(-1);
}

inline QJsonObject cellOf(const QJsonObject& sheet, const QString& name)
{
    return sheet[QStringLiteral("cells")].toObject()[name].toObject();
}
