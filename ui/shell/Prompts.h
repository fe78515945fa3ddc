#pragma once
// The seam for a short question with a line of text for an answer (QInputDialog): a test answers
// it instead of a modal dialog. The dialog is sized to its texts: its title whole in the title
// bar, its label whole, and an answer box for a name with an address. Depends on Qt Widgets only.

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QInputDialog;
class QWidget;

namespace prompts {

struct Question {
    QString title;
    QString label;
    QString initial; // the text the answer box starts with
};

using Hook = std::function<std::optional<QString>(const Question&)>;

// The text the user gave, or nothing when the user cancelled.
std::optional<QString> askText(QWidget* parent, const Question& question);

// The dialog that askText shows, not yet shown.
std::unique_ptr<QInputDialog> dialogFor(QWidget* parent, const Question& question);

Hook setHook(Hook value);

} // namespace prompts
