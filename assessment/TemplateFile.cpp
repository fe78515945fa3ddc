#include "assessment/TemplateFile.h"

#include "assessment/Cp1251.h"
#include "core/Json.h"
#include "core/Numbers.h"
#include "core/SafeFile.h"
#include "core/SystemReasons.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <sys/stat.h>

namespace assessment {

namespace {

using In = AssessmentInputs;

template <class... F> struct Overloaded : F... {
    using F::operator()...;
};
template <class... F> Overloaded(F...) -> Overloaded<F...>;

void putDouble(QByteArray& bytes, int offset, double value)
{
    quint64 raw;
    std::memcpy(&raw, &value, sizeof raw);
    qToLittleEndian(raw, bytes.data() + offset);
}

double getDouble(const QByteArray& bytes, int offset)
{
    const quint64 raw = qFromLittleEndian<quint64>(bytes.constData() + offset);
    double value;
    std::memcpy(&value, &raw, sizeof value);
    return value;
}

QString nativePath(const QString& path) { return QDir::toNativeSeparators(path); }

// A failure of kind File from a pattern naming the file (%1) and the reason (%2).
vedan::Failure fileFailure(const QString& pattern, const QString& path, const QString& reason)
{
    return vedan::Failure::file(pattern.arg(nativePath(path), reason));
}

} // namespace

const std::vector<TemplateField>& templateLayout()
{
    static const std::vector<TemplateField> layout = {
        {"objectName", 0, &In::objectName},
        {"heatPrice", 104, &In::heatPrice},
        {"combinedWorksCost", 112, &In::combinedWorksCost},
        {"heatingPeriodDays", 120, &In::heatingPeriodDays},
        {"heatingLoad", 128, &In::heatingLoad},
        {"existingIndoorTemperature", 136, &In::existingIndoorTemperature},
        {"requiredIndoorTemperature", 144, &In::requiredIndoorTemperature},
        {"nightIndoorTemperature", 152, &In::nightIndoorTemperature},
        {"averageOutdoorTemperature", 160, &In::averageOutdoorTemperature},
        {"coldestFiveDayTemperature", 168, &In::coldestFiveDayTemperature},
        {"heatingNightSetback", 176, &In::heatingNightSetback},
        {"nightSetbackHours", 184, &In::nightSetbackHours},
        {"holidayCount", 192, &In::holidayCount},
        {"heatingWorksCost", 200, &In::heatingWorksCost},
        {"hotWaterLoad", 208, &In::hotWaterLoad},
        {"hotWaterTemperature", 216, &In::hotWaterTemperature},
        {"summerColdWaterTemperature", 224, &In::summerColdWaterTemperature},
        {"winterColdWaterTemperature", 232, &In::winterColdWaterTemperature},
        {"hotWaterNightSetback", 240, &In::hotWaterNightSetback},
        {"hotWaterWorksCost", 248, &In::hotWaterWorksCost},
    };
    return layout;
}

QByteArray encodeTemplate(const AssessmentInputs& in)
{
    QByteArray bytes(kTemplateSize, '\0');
    for (const TemplateField& field : templateLayout()) {
        const int at = field.offset;
        std::visit(Overloaded{
                       [&](QString In::*m) {
                           const QByteArray name = cp1251::encode(in.*m).left(kMaxObjectNameLength);
                           bytes[at] = static_cast<char>(name.size());
                           bytes.replace(at + 1, name.size(), name);
                       },
                       [&](double In::*m) { putDouble(bytes, at, in.*m); },
                       [&](int In::*m) { qToLittleEndian<qint32>(in.*m, bytes.data() + at); },
                       [&](bool In::*m) { bytes[at] = in.*m ? 1 : 0; },
                   },
                   field.member);
    }
    return bytes;
}

AssessmentInputs decodeTemplate(const QByteArray& bytes)
{
    AssessmentInputs in;
    if (bytes.size() < kTemplateSize)
        return in;
    for (const TemplateField& field : templateLayout()) {
        const int at = field.offset;
        std::visit(
            Overloaded{
                [&](QString In::*m) {
                    const int length =
                        std::min<int>(static_cast<unsigned char>(bytes[at]), kMaxObjectNameLength);
                    in.*m = cp1251::decode(bytes.mid(at + 1, length));
                },
                [&](double In::*m) { in.*m = getDouble(bytes, at); },
                [&](int In::*m) { in.*m = qFromLittleEndian<qint32>(bytes.constData() + at); },
                // Any byte other than 0 reads as a ticked box.
                [&](bool In::*m) { in.*m = bytes[at] != 0; },
            },
            field.member);
    }
    return in;
}

vedan::Outcome<AssessmentInputs> readTemplateFile(const QString& path)
{
    vedan::Outcome<AssessmentInputs> result;
    // A device or a named pipe could keep the reader waiting for ever: only files are read.
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode)
        && !S_ISDIR(st.st_mode)) {
        result.failure = fileFailure(QStringLiteral("Не удалось открыть файл \"%1\": %2"), path,
                                     QStringLiteral("это не обычный файл"));
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.failure = fileFailure(QStringLiteral("Не удалось открыть файл \"%1\": %2"), path,
                                     systemreason::inRussian(file.errorString()));
        return result;
    }
    const QByteArray bytes = file.read(kTemplateSize);
    if (bytes.isEmpty() && file.error() != QFileDevice::NoError) {
        result.failure = fileFailure(QStringLiteral("Не удалось прочитать файл \"%1\": %2"), path,
                                     systemreason::inRussian(file.errorString()));
        return result;
    }
    if (bytes.size() < kTemplateSize) {
        result.failure = fileFailure(
            QStringLiteral("Не удалось прочитать файл \"%1\": %2"), path,
            QStringLiteral("файл короче %1 байт (%2 байт).").arg(kTemplateSize).arg(bytes.size()));
        return result;
    }
    result.value = decodeTemplate(bytes);
    return result;
}

vedan::Status writeTemplateFile(const QString& path, const AssessmentInputs& in)
{
    // Saved as any file of the program is saved: whole or not at all, a link followed, a
    // device, pipe or folder refused, and the folder synced.
    return safefile::saveBytes(path, encodeTemplate(in));
}

namespace {

// A listed value on one line, whatever it holds: control characters (a line break that would
// forge another line, a terminal's escape sequence) and the backslash written as JSON writes them.
QString listedText(const QString& text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
                || c.category() == QChar::Separator_Line
                || c.category() == QChar::Separator_Paragraph)
                out += QStringLiteral("\\u%1").arg(
                    QString::number(c.unicode(), 16).rightJustified(4, '0'));
            else
                out += c;
        }
    }
    return out;
}

} // namespace

QStringList templateListing(const AssessmentInputs& in)
{
    QStringList lines;
    for (const TemplateField& field : templateLayout()) {
        const QString value =
            std::visit(Overloaded{
                           [&](QString In::*m) { return listedText(in.*m); },
                           [&](double In::*m) { return num::general(in.*m); },
                           [&](int In::*m) { return QString::number(in.*m); },
                           [&](bool In::*m) {
                               return in.*m ? QStringLiteral("true") : QStringLiteral("false");
                           },
                       },
                       field.member);
        lines << QString::fromLatin1(field.name) + QStringLiteral(" = ") + value;
    }
    return lines;
}

QByteArray templateJson(const AssessmentInputs& in)
{
    // The fields in their stored order; JSON has no NaN or infinity, such a value is null.
    json::Value object = json::Value::object();
    for (const TemplateField& field : templateLayout()) {
        object[field.name] = std::visit(Overloaded{
                                            [&](QString In::*m) { return json::text(in.*m); },
                                            [&](double In::*m) { return json::number(in.*m); },
                                            [&](int In::*m) { return json::Value(in.*m); },
                                            [&](bool In::*m) { return json::Value(in.*m); },
                                        },
                                        field.member);
    }
    return json::dump(object);
}

} // namespace assessment
