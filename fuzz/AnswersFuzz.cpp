// The answers-file reader on any bytes, for each panel: answers are applied or refused with a
// Russian message naming the file; every chosen item exists.
#include "fuzz/FuzzSupport.h"
#include "questionnaire/Answers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace questionnaire;
    if (size == 0)
        return 0;
    const Kind kind = static_cast<Kind>(data[0] % 3);
    const PanelSpec& spec = panel(kind);
    PanelValues values = defaults(kind);
    const vedan::Status status =
        applyAnswers(fuzz::bytes(data + 1, size - 1), QStringLiteral("fuzz.json"), spec, values);
    if (status) {
        fuzz::require(status->message.startsWith(QStringLiteral("Файл ответов fuzz.json: ")));
        return 0;
    }
    for (auto it = values.choices.begin(); it != values.choices.end(); ++it) {
        const ControlSpec* control = spec.control(it.key());
        fuzz::require(control && it.value() >= 0 && it.value() < control->items.size());
    }
    return 0;
}
