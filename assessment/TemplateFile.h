#pragma once
// The assessment template file: the whole record of assessment inputs as one fixed record of
// 256 bytes, little-endian, with the object name in code page 1251. The layout is one table
// shared by the writer, the reader and the record listing of the command-line tool.
// Files are written through a temporary file beside the target and renamed, so a failed save
// never destroys the file it would replace. Depends on Qt Core and the C library only.

#include "assessment/AssessmentInputs.h"
#include "core/Failure.h"

#include <QByteArray>
#include <QString>
#include <variant>
#include <vector>

namespace assessment {

constexpr int kTemplateSize = 256;

struct TemplateField {
    const char* name; // the record field's name
    int offset;       // byte offset in the file
    std::variant<QString AssessmentInputs::*, double AssessmentInputs::*, int AssessmentInputs::*,
                 bool AssessmentInputs::*>
        member;
};

// Every field of the record, in stored order.
const std::vector<TemplateField>& templateLayout();

// The 256 bytes of a record. Gaps and the bytes after the name are zero.
QByteArray encodeTemplate(const AssessmentInputs& in);
// A record from the first 256 bytes (the caller checks the size). A length byte above 100
// reads 100 characters; any bytes give some record.
AssessmentInputs decodeTemplate(const QByteArray& bytes);

// The record of the file, or a failure of kind File naming the file and the reason.
vedan::Outcome<AssessmentInputs> readTemplateFile(const QString& path);
// Nothing on success, otherwise a failure of kind File naming the file and the reason.
vedan::Status writeTemplateFile(const QString& path, const AssessmentInputs& in);

// One "name = value" text per field (numbers in the shortest general form with the regional
// decimal separator, flags true or false), and the same as one JSON object.
QStringList templateListing(const AssessmentInputs& in);
QByteArray templateJson(const AssessmentInputs& in);

} // namespace assessment
