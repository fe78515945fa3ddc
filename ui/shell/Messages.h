#pragma once
// The one seam through which the program shows message boxes. A test installs a hook and
// reads the exact texts without a modal box blocking it. Depends on Qt Widgets and core.

#include <QString>
#include <exception>
#include <functional>

namespace messages {

enum class Kind { Plain, Error };

struct Shown {
    QString text;
    QString title;
    Kind kind;
};

using Hook = std::function<void(const Shown&)>;

// A modal box with one OK button, centred on the screen, titled with the program's title
// unless another title is given.
void show(const QString& text, const QString& title = QString());

// The general error report: an error that no handler of the program catches, shown with
// its own text.
void showError(const QString& text);
void showError(const std::exception& error);

// Replaces the real boxes (an empty hook restores them). Returns the previous hook.
Hook setHook(Hook value);

// A question with the buttons "Да", "Нет" and "Отмена" ("Да" the default, Esc "Отмена"),
// titled with the program's title.
enum class Answer { Yes, No, Cancel };
Answer askYesNoCancel(const QString& text);

// Answers the questions instead of the real box (an empty hook restores it); the previous hook.
using QuestionHook = std::function<Answer(const Shown&)>;
QuestionHook setQuestionHook(QuestionHook value);

} // namespace messages
