// The template reader on any bytes: every record decodes, its listing holds one line per field
// with no control character, its JSON is valid, and saving it and reading it again gives the
// same record once it has been saved.
#include "assessment/TemplateFile.h"
#include "fuzz/FuzzSupport.h"

#include <QJsonDocument>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace assessment;
    QByteArray bytes = fuzz::bytes(data, size);
    if (bytes.size() < kTemplateSize)
        bytes.append(QByteArray(kTemplateSize - bytes.size(), '\0'));
    const AssessmentInputs in = decodeTemplate(bytes);
    const QStringList listing = templateListing(in);
    fuzz::require(listing.size() == qsizetype(templateLayout().size()));
    for (const QString& line : listing)
        for (const QChar c : line)
            fuzz::require(c.category() != QChar::Other_Control);
    QJsonParseError error;
    QJsonDocument::fromJson(templateJson(in), &error);
    fuzz::require(error.error == QJsonParseError::NoError);
    // A byte that code page 1251 leaves undefined is saved as "?", so the first save may change
    // the name; from then on a saved record reads back as saved.
    const AssessmentInputs saved = decodeTemplate(encodeTemplate(in));
    fuzz::require(templateListing(decodeTemplate(encodeTemplate(saved))) == templateListing(saved));
    return 0;
}
