#include "ui/shell/Prompts.h"

#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <utility>

namespace {

// An answer box for an object's name and address: sixty average characters (правило практики).
constexpr int kAnswerCharacters = 60;
// The room that the window system takes beside the title in the title bar, for the window's
// icon and its buttons, in the bold face that title bars commonly use (правило практики).
constexpr int kTitleBarDecorations = 160;

prompts::Hook& hook()
{
    static prompts::Hook value;
    return value;
}

} // namespace

namespace prompts {

std::unique_ptr<QInputDialog> dialogFor(QWidget* parent, const Question& question)
{
    auto dialog = std::make_unique<QInputDialog>(parent);
    dialog->setInputMode(QInputDialog::TextInput);
    dialog->setWindowTitle(question.title);
    dialog->setLabelText(question.label);
    dialog->setTextValue(question.initial);
    if (auto* answer = dialog->findChild<QLineEdit*>())
        answer->setMinimumWidth(answer->fontMetrics().averageCharWidth() * kAnswerCharacters);
    QFont titleFont = dialog->font();
    titleFont.setBold(true);
    const int title = QFontMetrics(titleFont).horizontalAdvance(question.title);
    dialog->setMinimumWidth(title + kTitleBarDecorations);
    return dialog;
}

std::optional<QString> askText(QWidget* parent, const Question& question)
{
    if (hook())
        return hook()(question);
    const std::unique_ptr<QInputDialog> dialog = dialogFor(parent, question);
    if (dialog->exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog->textValue();
}

Hook setHook(Hook value) { return std::exchange(hook(), std::move(value)); }

} // namespace prompts
