#include "questionnaire/Answers.h"

#include "core/SafeFile.h"
#include "core/SystemReasons.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace questionnaire {

namespace {

using vedan::Failure;

// What is wrong with one answer, or nothing.
std::optional<QString> applyAnswer(const PanelSpec& panel, PanelValues& values, const QString& name,
                                   const QJsonValue& answer)
{
    const ControlSpec* spec = panel.control(name);
    if (!spec)
        return QStringLiteral("элемента «%1» нет на панели «%2»").arg(name, panel.panelName);
    switch (spec->type) {
    case ControlType::Edit:
    case ControlType::Memo:
        if (!answer.isString())
            return QStringLiteral("элемент «%1» принимает текст").arg(name);
        values.texts[name] = answer.toString();
        return std::nullopt;
    case ControlType::Check:
        if (!answer.isBool())
            return QStringLiteral("элемент «%1» принимает true или false").arg(name);
        values.checks[name] = answer.toBool();
        return std::nullopt;
    case ControlType::Combo: break;
    }
    if (answer.isString()) {
        const int index = static_cast<int>(spec->items.indexOf(answer.toString()));
        if (index < 0)
            return QStringLiteral("у элемента «%1» нет пункта «%2»").arg(name, answer.toString());
        values.choices[name] = index;
        return std::nullopt;
    }
    if (!answer.isDouble())
        return QStringLiteral("элемент «%1» принимает номер пункта или текст пункта").arg(name);
    const double number = answer.toDouble();
    // The range is checked before the conversion: a huge number does not fit an int.
    if (!(number >= 0 && number < spec->items.size()) || number != std::floor(number))
        return QStringLiteral("у элемента «%1» нет пункта %2 (пункты от 0 до %3)")
            .arg(name, QString::number(number, 'g', 17))
            .arg(spec->items.size() - 1);
    values.choices[name] = static_cast<int>(number);
    return std::nullopt;
}

Failure refused(const QString& path, const QString& why)
{
    return Failure::input(QStringLiteral("Файл ответов %1: %2").arg(path, why));
}

} // namespace

vedan::Status applyAnswers(const QByteArray& bytes, const QString& path, const PanelSpec& panel,
                           PanelValues& values)
{
    QByteArray json = bytes;
    if (json.startsWith("\xEF\xBB\xBF")) // a byte-order mark that some editors write
        json.remove(0, 3);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return refused(
            path, QStringLiteral("это не JSON: ошибка разбора у знака %1").arg(error.offset + 1));
    if (!document.isObject())
        return refused(path, QStringLiteral("нужен один объект JSON вида {\"имя\": значение}"));
    const QJsonObject answers = document.object();
    for (auto it = answers.begin(); it != answers.end(); ++it)
        if (const auto problem = applyAnswer(panel, values, it.key(), it.value()))
            return refused(path, *problem);
    return std::nullopt;
}

vedan::Status readAnswersFile(const QString& path, const PanelSpec& panel, PanelValues& values)
{
    // Opened without waiting, so that a named pipe is refused instead of blocking the run.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refused(path, QStringLiteral("не открывается: ") + systemreason::ofError(errno));
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refused(path, QStringLiteral("не открывается"));
    }
    struct stat st;
    if (::fstat(fd, &st) != 0)
        return refused(path, QStringLiteral("не читается: ") + systemreason::ofError(errno));
    if (!S_ISREG(st.st_mode))
        return refused(path, S_ISDIR(st.st_mode) ? QStringLiteral("это папка, а не файл")
                                                 : QStringLiteral("это не обычный файл"));
    const QString limit =
        QStringLiteral("файл больше 1 МиБ (%1 байт), таких ответов не бывает").arg(kMaxAnswersSize);
    if (st.st_size > kMaxAnswersSize)
        return refused(path, limit);
    // Read one byte past the limit: a file that grew meanwhile is refused as well.
    const QByteArray bytes = file.read(kMaxAnswersSize + 1);
    if (file.error() != QFileDevice::NoError)
        return refused(path, QStringLiteral("не читается: ") + systemreason::ofError(errno));
    if (bytes.size() > kMaxAnswersSize)
        return refused(path, limit);
    return applyAnswers(bytes, path, panel, values);
}

} // namespace questionnaire
