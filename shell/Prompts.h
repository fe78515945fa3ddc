#pragma once
// The seam for a short question with a line of text for an answer (QInputDialog): a test answers
// it instead of a modal dialog. Depends on Qt Widgets only.

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace Prompts {

struct Question {
    QString title;
    QString label;
    QString initial; // the text the answer box starts with
};

using Hook = std::function<std::optional<QString>(const Question&)>;

// The text the user gave, or nothing when the user cancelled.
std::optional<QString> askText(QWidget* parent, const Question& question);

Hook setHook(Hook value);

} // namespace Prompts
