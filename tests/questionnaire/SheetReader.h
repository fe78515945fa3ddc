#pragma once
// Reads a written questionnaire workbook back with the independent reader script.

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

// The tests' source folder and the command-line tool, also where the run does not pass them.
inline QString testsDir()
{
    return qEnvironmentVariable("VEDAN_TESTS_DIR", QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/..");
}

inline QString cliPath() { return qEnvironmentVariable("VEDAN_CLI", QStringLiteral(VEDAN_CLI_PATH)); }

inline QJsonObject readSheet(const QString& file)
{
    QProcess reader;
    reader.start(qEnvironmentVariable("VEDAN_PYTHON", "/usr/bin/python3"),
                 {testsDir() + "/support/read_xlsx.py", file});
    reader.waitForFinished(60000);
    EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonObject book = QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
    const QJsonArray sheets = book["sheets"].toArray();
    EXPECT_EQ(sheets.size(), 1);
    return sheets.first().toObject();
}

inline QStringList mergedOf(const QJsonObject& sheet)
{
    QStringList ranges;
    for (const auto& range : sheet["merged"].toArray())
        ranges << range.toString();
    ranges.sort();
    return ranges;
}
