#include "shell/Prompts.h"

#include <QInputDialog>
#include <utility>

namespace {

Prompts::Hook& hook()
{
    static Prompts::Hook value;
    return value;
}

} // namespace

namespace Prompts {

std::optional<QString> askText(QWidget* parent, const Question& question)
{
    if (hook())
        return hook()(question);
    bool accepted = false;
    const QString text = QInputDialog::getText(parent, question.title, question.label,
                                               QLineEdit::Normal, question.initial, &accepted);
    if (!accepted)
        return std::nullopt;
    return text;
}

Hook setHook(Hook value) { return std::exchange(hook(), std::move(value)); }

} // namespace Prompts
