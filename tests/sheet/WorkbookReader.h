#pragma once
// Reads a written workbook back with the independent reader script and gives its first sheet
// as JSON: {"name", "cells": {"A1": {"value", "type", "bold", "align"}}, "merged", "widths"}.

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// The tests' source folder; where the run does not pass it, the one this header lives in.
inline QString testsDir()
{
    const QString fallback = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/..";
    return qEnvironmentVariable("VEDAN_TESTS_DIR", fallback);
}

inline QJsonObject readFirstSheet(const QString& file)
{
    QProcess reader;
    reader.start(qEnvironmentVariable("VEDAN_PYTHON", "/usr/bin/python3"),
                 {testsDir() + "/support/read_xlsx.py", file});
    reader.waitForFinished(60000);
    EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonObject book = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    return book["sheets"].toArray().first().toObject();
}

inline QStringList mergedRanges(const QJsonObject& sheet)
{
    QStringList ranges;
    for (const auto& range : sheet["merged"].toArray())
        ranges << range.toString();
    ranges.sort();
    return ranges;
}

// The stored width carries the writer's padding of about 0.71 characters over the
// column width that the spreadsheet shows.
inline double shownWidth(const QJsonObject& sheet, const QString& column)
{
    const QJsonValue stored = sheet["widths"].toObject()[column];
    return stored.isUndefined() ? -1 : stored.toDouble() - 0.7109375;
}

inline QJsonObject cellOf(const QJsonObject& sheet, const QString& name)
{
    return sheet["cells"].toObject()[name].toObject();
}
