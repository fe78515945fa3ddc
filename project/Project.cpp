#include "project/Project.h"

#include "core/CsvReader.h"
#include "core/Numbers.h"
#include "core/SafeFile.h"
#include "core/Units.h"
#include "selection/EquipmentKinds.h"
#include "substation/Presentation.h"

#include <QDir>
#include <algorithm>
#include <cmath>

namespace project {

namespace {

using json::Value;
using S = Section;
using T = FieldType;

} // namespace

const char* sectionKey(Section section)
{
    switch (section) {
    case Section::Inputs: return "inputs";
    case Section::Season: return "season";
    case Section::Substation: return "substation";
    }
    return "inputs";
}

namespace {

constexpr Section kSections[] = {Section::Inputs, Section::Season, Section::Substation};

// The top-level texts, in the order the file writes them around the sections.
constexpr const char* kProgramKey = "programVersion";
constexpr const char* kObjectKey = "object";
constexpr const char* kKindKey = "kind";
constexpr const char* kNoteKey = "note";

QStringList tokensOf(FieldType type)
{
    switch (type) {
    case T::PressureUnit: return units::tokens(units::kPressureUnits);
    case T::LoadUnit: return units::tokens(units::kLoadUnits);
    case T::HeadUnit: return units::tokens(units::kHeadUnits);
    case T::Scheme: {
        QStringList ids;
        for (const substation::SchemeRow& row : substation::kSchemeRows)
            ids << QString::fromLatin1(row.id);
        return ids;
    }
    case T::Number:
    case T::OneToThree: break;
    }
    return {};
}

QString pathOf(const FieldRow& row)
{
    QString path =
        QString::fromLatin1(sectionKey(row.section)) + '.' + QString::fromLatin1(row.key);
    if (row.member)
        path += '.' + QString::fromLatin1(row.member);
    return path;
}

vedan::Failure fieldFailure(const QString& path, const QString& why)
{
    return vedan::Failure::input(QStringLiteral("поле «%1» %2").arg(path, why));
}

// The value of a row's field in the file as the field's text; nullopt where absent or null.
vedan::Outcome<std::optional<QString>> readField(const FieldRow& row, const Value& v)
{
    const QString path = pathOf(row);
    const auto refused = [&path](const QString& why) {
        return vedan::Outcome<std::optional<QString>>{{}, fieldFailure(path, why)};
    };
    if (v.is_null())
        return {std::nullopt, std::nullopt};
    switch (row.type) {
    case T::Number: {
        if (!v.is_number())
            return refused(QStringLiteral("должно быть числом"));
        const double d = v.get<double>();
        // Shown with fifteen digits, as the program shows numbers; one so large that its shown
        // form no longer reads is refused.
        const QString text = num::general(d, QLatin1Char('.'));
        const std::optional<double> shown = num::parseEitherSeparator(text);
        if (!std::isfinite(d) || !shown || !std::isfinite(*shown))
            return refused(QStringLiteral("вне пределов чисел программы"));
        return {text, std::nullopt};
    }
    case T::OneToThree: {
        if (!v.is_number_integer() || v.get<long long>() < 1 || v.get<long long>() > 3)
            return refused(QStringLiteral("должно быть целым числом от 1 до 3"));
        return {QString::number(v.get<long long>()), std::nullopt};
    }
    case T::PressureUnit:
    case T::LoadUnit:
    case T::HeadUnit:
    case T::Scheme: {
        if (!v.is_string())
            return refused(QStringLiteral("должно быть текстом"));
        const QString text = QString::fromStdString(v.get<std::string>());
        const QStringList allowed = tokensOf(row.type);
        if (!allowed.contains(text))
            return refused(QStringLiteral("содержит недопустимое значение «%1» (допустимы: %2)")
                               .arg(text, allowed.join(QStringLiteral(", "))));
        return {text, std::nullopt};
    }
    }
    return {std::nullopt, std::nullopt};
}

// The JSON value of a field's text.
vedan::Outcome<Value> writtenField(const FieldRow& row, const QString& text)
{
    const auto refused = [&row, &text](const QString& why) {
        return vedan::Outcome<Value>{{}, fieldFailure(pathOf(row), why.arg(text))};
    };
    switch (row.type) {
    case T::Number: {
        const std::optional<double> d = num::parseEitherSeparator(text.trimmed());
        if (!d || !std::isfinite(*d))
            return refused(QStringLiteral("не число: «%1»"));
        // A whole number as a whole number: "150", not "150.0".
        if (std::trunc(*d) == *d && std::fabs(*d) < 9e15)
            return {Value(static_cast<long long>(*d)), std::nullopt};
        return {Value(*d), std::nullopt};
    }
    case T::OneToThree: {
        const std::optional<int> i = num::parseInteger(text);
        if (!i || *i < 1 || *i > 3)
            return refused(QStringLiteral("не число от 1 до 3: «%1»"));
        return {Value(*i), std::nullopt};
    }
    case T::PressureUnit:
    case T::LoadUnit:
    case T::HeadUnit:
    case T::Scheme:
        if (!tokensOf(row.type).contains(text))
            return refused(QStringLiteral("содержит недопустимое значение «%1»"));
        return {json::text(text), std::nullopt};
    }
    return {Value(), std::nullopt};
}

std::optional<QString> optionalText(const Value& document, const char* key, vedan::Status& failure)
{
    const auto it = document.find(key);
    if (it == document.end() || it->is_null())
        return std::nullopt;
    if (!it->is_string()) {
        failure = fieldFailure(QString::fromLatin1(key), QStringLiteral("должно быть текстом"));
        return std::nullopt;
    }
    return QString::fromStdString(it->get<std::string>());
}

vedan::Status checkVersion(const Value& document)
{
    const auto it = document.find(kVersionKey);
    if (it == document.end())
        return vedan::Failure::input(
            QStringLiteral("это не файл проекта: нет поля «%1»").arg(QLatin1String(kVersionKey)));
    if (!it->is_number_integer())
        return fieldFailure(QString::fromLatin1(kVersionKey),
                            QStringLiteral("должно быть целым числом"));
    const long long version = it->get<long long>();
    if (version > kFormatVersion)
        return vedan::Failure::input(
            QStringLiteral("проект записан в формате версии %1, более новой, чем читает эта "
                           "программа (версия %2); обновите программу")
                .arg(version)
                .arg(kFormatVersion));
    if (version < 1)
        return vedan::Failure::input(
            QStringLiteral("неизвестная версия формата проекта: %1").arg(version));
    return std::nullopt;
}

// Whether `member` of the measured input `key` is one this version writes.
bool knownMember(Section section, const std::string& key, const std::string& member)
{
    return std::any_of(fieldRows().begin(), fieldRows().end(), [&](const FieldRow& row) {
        return row.section == section && row.member && key == row.key && member == row.member;
    });
}

// The keys of `from` that `isKnown` does not claim, appended to `to` in their order.
template <typename Known> void keepUnknown(Value& to, const Value& from, Known isKnown)
{
    if (!from.is_object())
        return;
    for (const auto& [key, v] : from.items())
        if (!isKnown(key) && !to.contains(key))
            to[key] = v;
}

} // namespace

QString programVersion() { return QStringLiteral(VEDAN_VERSION); }

const std::vector<FieldRow>& fieldRows()
{
    static const std::vector<FieldRow> rows = {
        {S::Inputs, "inlet", "inlet", "value", T::Number},
        {S::Inputs, "inlet-unit", "inlet", "unit", T::PressureUnit},
        {S::Inputs, "outlet", "outlet", "value", T::Number},
        {S::Inputs, "outlet-unit", "outlet", "unit", T::PressureUnit},
        {S::Inputs, "supply", "supply", nullptr, T::Number},
        {S::Inputs, "return", "return", nullptr, T::Number},
        {S::Inputs, "load", "load", "value", T::Number},
        {S::Inputs, "load-unit", "load", "unit", T::LoadUnit},
        {S::Inputs, "resistance", "resistance", "value", T::Number},
        {S::Inputs, "resistance-unit", "resistance", "unit", T::HeadUnit},
        {S::Inputs, "series", "series", nullptr, T::OneToThree},
        {S::Inputs, "range", "range", nullptr, T::OneToThree},
        {S::Season, "outdoor-design", "outdoor-design", nullptr, T::Number},
        {S::Season, "indoor", "indoor", nullptr, T::Number},
        {S::Season, "cut", "cut", nullptr, T::Number},
        {S::Season, "season-end", "season-end", nullptr, T::Number},
        {S::Season, "step", "step", nullptr, T::Number},
        {S::Substation, "scheme", "scheme", nullptr, T::Scheme},
        {S::Substation, "other-losses", "other-losses", nullptr, T::Number},
        {S::Substation, "authority", "authority", nullptr, T::Number},
        {S::Substation, "range", "range", nullptr, T::OneToThree},
        {S::Substation, "max-elevator-head", "max-elevator-head", nullptr, T::Number},
        {S::Substation, "min-bore", "min-bore", nullptr, T::Number},
    };
    return rows;
}

Fields& Project::fields(Section section)
{
    switch (section) {
    case Section::Inputs: return inputs;
    case Section::Season: return season;
    case Section::Substation: return substation;
    }
    return inputs;
}

const Fields& Project::fields(Section section) const
{
    return const_cast<Project*>(this)->fields(section);
}

QString Project::value(Section section, const QString& name) const
{
    for (const auto& [field, text] : fields(section))
        if (field == name)
            return text;
    return {};
}

void Project::set(Section section, const QString& name, const QString& value)
{
    Fields& list = fields(section);
    const auto it = std::find_if(list.begin(), list.end(),
                                 [&name](const auto& field) { return field.first == name; });
    if (value.isEmpty()) {
        if (it != list.end())
            list.erase(it);
    } else if (it != list.end()) {
        it->second = value;
    } else {
        list.emplace_back(name, value);
    }
}

vedan::Outcome<Project> parseProject(const QByteArray& bytes)
{
    const auto refused = [](const vedan::Failure& why) { return vedan::Outcome<Project>{{}, why}; };
    if (!csv::isUtf8(bytes.constData(), static_cast<std::size_t>(bytes.size())))
        return refused(vedan::Failure::input(QStringLiteral("файл не в кодировке UTF-8")));
    Project p;
    try {
        p.document = Value::parse(bytes.constBegin(), bytes.constEnd());
    } catch (const nlohmann::json::parse_error& e) {
        return refused(vedan::Failure::input(
            QStringLiteral("файл повреждён или обрезан: ошибка JSON у байта %1").arg(e.byte)));
    } catch (const nlohmann::json::exception&) {
        // A number beyond the range of double ("1e400").
        return refused(
            vedan::Failure::input(QStringLiteral("в файле число вне пределов чисел программы")));
    }
    if (!p.document.is_object())
        return refused(vedan::Failure::input(QStringLiteral("в файле не объект JSON")));
    if (const vedan::Status version = checkVersion(p.document))
        return refused(*version);

    vedan::Status failure;
    const std::optional<QString> kind = optionalText(p.document, kKindKey, failure);
    p.object = optionalText(p.document, kObjectKey, failure).value_or(QString());
    p.note = optionalText(p.document, kNoteKey, failure).value_or(QString());
    p.programVersion = optionalText(p.document, kProgramKey, failure).value_or(QString());
    if (failure)
        return refused(*failure);
    if (!kind)
        return refused(vedan::Failure::input(QStringLiteral("нет поля «kind»")));
    if (!selection::kinds::ofToken(*kind))
        return refused(
            fieldFailure(QStringLiteral("kind"),
                         QStringLiteral("содержит неизвестный вид оборудования «%1»").arg(*kind)));
    p.kind = *kind;

    for (Section section : kSections) {
        const auto it = p.document.find(sectionKey(section));
        if (it == p.document.end() || it->is_null())
            continue;
        if (!it->is_object())
            return refused(fieldFailure(QString::fromLatin1(sectionKey(section)),
                                        QStringLiteral("должно быть объектом")));
        for (const FieldRow& row : fieldRows()) {
            if (row.section != section)
                continue;
            const auto field = it->find(row.key);
            if (field == it->end())
                continue;
            const Value* v = &*field;
            if (row.member) {
                if (v->is_null())
                    continue;
                if (!v->is_object())
                    return refused(
                        fieldFailure(QString::fromLatin1(sectionKey(section)) + '.' + row.key,
                                     QStringLiteral("должно быть объектом с полями value и unit")));
                const auto member = v->find(row.member);
                if (member == v->end())
                    continue;
                v = &*member;
            }
            const vedan::Outcome<std::optional<QString>> text = readField(row, *v);
            if (text.failure)
                return refused(*text.failure);
            if (text.value)
                p.set(section, QString::fromLatin1(row.name), *text.value);
        }
    }
    return {p, std::nullopt};
}

vedan::Outcome<QByteArray> projectBytes(const Project& p, const QString& programVersion)
{
    Value out = Value::object();
    out[kVersionKey] = kFormatVersion;
    out[kProgramKey] = json::text(programVersion);
    out[kObjectKey] = json::text(p.object);
    out[kKindKey] = json::text(p.kind);
    const Value& old = p.document.is_object() ? p.document : Value::object();
    for (Section section : kSections) {
        const char* key = sectionKey(section);
        Value written = Value::object();
        const Value& before = old.contains(key) ? old[key] : Value();
        for (const FieldRow& row : fieldRows()) {
            if (row.section != section)
                continue;
            const QString text = p.value(section, QString::fromLatin1(row.name));
            if (text.isEmpty())
                continue;
            const vedan::Outcome<Value> v = writtenField(row, text);
            if (v.failure)
                return {{}, v.failure};
            if (row.member)
                written[row.key][row.member] = v.value;
            else
                written[row.key] = v.value;
        }
        // What this version does not know, in the measured inputs' objects and in the section.
        if (before.is_object()) {
            for (const auto& item : before.items()) {
                const std::string& name = item.key();
                if (written.contains(name) && written[name].is_object())
                    keepUnknown(written[name], item.value(), [&](const std::string& member) {
                        return knownMember(section, name, member);
                    });
            }
            keepUnknown(written, before, [&](const std::string& name) {
                return std::any_of(
                    fieldRows().begin(), fieldRows().end(),
                    [&](const FieldRow& row) { return row.section == section && name == row.key; });
            });
        }
        if (section == Section::Inputs || !written.empty())
            out[key] = std::move(written);
    }
    if (!p.note.isEmpty())
        out[kNoteKey] = json::text(p.note);
    // The sections and the note are this version's keys also where they were left out.
    keepUnknown(out, old, [](const std::string& name) {
        return name == kNoteKey
               || std::any_of(std::begin(kSections), std::end(kSections),
                              [&](Section s) { return name == sectionKey(s); });
    });
    return {QByteArray::fromStdString(out.dump(2)) + '\n', std::nullopt};
}

vedan::Outcome<Project> readProject(const QString& path)
{
    const vedan::Outcome<QByteArray> bytes = safefile::readSmallFile(path, kMaxFileBytes);
    if (bytes.failure)
        return {{}, bytes.failure};
    vedan::Outcome<Project> p = parseProject(bytes.value);
    if (p.failure)
        p.failure =
            vedan::Failure::file(QStringLiteral("Не удалось открыть проект %1: %2")
                                     .arg(QDir::toNativeSeparators(path), p.failure->message));
    return p;
}

vedan::Status writeProject(const QString& path, const Project& project,
                           const QString& programVersion)
{
    const vedan::Outcome<QByteArray> bytes = projectBytes(project, programVersion);
    if (bytes.failure)
        return vedan::Failure::input(QStringLiteral("Проект не сохранён: ")
                                     + bytes.failure->message);
    return safefile::saveBytes(path, bytes.value);
}

} // namespace project
