#pragma once
// The one way an operation of the program fails. Every library function that a window or the
// command-line tool calls answers with what it did, together with a Failure when something
// stopped it: the kind of failure and the Russian message the user reads, naming the file and
// the reason where a file is involved. Exceptions stay inside a library: the checked arithmetic
// throws MathError and the spreadsheet operations throw SheetError, and the library's own entry
// point turns them into a Failure. A window reports a Failure in one place (TWorkForm::report);
// the command-line tool prints its message and exits with status 1.
// Depends on Qt Core and the checked arithmetic only.

#include "core/Checked.h"

#include <QString>
#include <optional>
#include <utility>

namespace vedan {

struct Failure {
    enum class Kind {
        Input,      // a value or choice the user gave is refused; the action stops (plain box)
        Arithmetic, // a floating-point fault of a computation (error box)
        File,       // a file could not be read or written (error box)
        Sheet,      // the spreadsheet refused an operation (error box)
    };

    Kind kind;
    QString message;
    std::optional<MathFault> fault = std::nullopt; // which fault, where arithmetic stopped it

    // A plain box for what the user can mend in the window; an error box for everything else.
    bool isInputFault() const { return kind == Kind::Input; }
    bool operator==(const Failure&) const = default;

    static Failure input(const QString& message) { return {Kind::Input, message}; }
    static Failure file(const QString& message) { return {Kind::File, message}; }
    static Failure sheet(const QString& message) { return {Kind::Sheet, message}; }
    // An arithmetic fault in the Russian words of the general error report.
    static Failure arithmetic(MathFault fault)
    {
        return {Kind::Arithmetic, QString::fromStdString(MathError::russianText(fault)), fault};
    }
};

// What an operation did, and the failure that stopped it if any. Where an operation can stop
// half-way, `value` holds what it produced before the failure (the lines written so far).
template <typename T> struct Outcome {
    T value{};
    std::optional<Failure> failure;

    bool ok() const { return !failure; }
};

// An outcome refused for the user's input: no value, and the input failure with its message.
template <typename T> Outcome<T> refusedInput(const QString& message)
{
    return {T{}, Failure::input(message)};
}

// An operation that produces nothing but may fail.
using Status = std::optional<Failure>;

} // namespace vedan
