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

} // namespace messages
