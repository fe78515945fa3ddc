#pragma once
// Runs a reference script of tests/support with Debian's /usr/bin/python3 (VEDAN_PYTHON), hands
// it a JSON request on standard input and gives back its JSON answer.

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>

inline QJsonObject pythonReference(const char* script, const QJsonObject& request)
{
    QProcess python;
    python.start(qEnvironmentVariable("VEDAN_PYTHON", QStringLiteral("/usr/bin/python3")),
                 {qEnvironmentVariable("VEDAN_TESTS_DIR") + QStringLiteral("/support/")
                  + QString::fromLatin1(script)});
    python.write(QJsonDocument(request).toJson(QJsonDocument::Compact));
    python.closeWriteChannel();
    python.waitForFinished(60000);
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}
