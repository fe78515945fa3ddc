#pragma once
// What the button "Подобрать" does with the window's texts: checks the unit choices, converts
// the edit texts with the regional decimal separator and the chosen units into SizingInputs, and
// runs the sizing method of the kind named by the title. This is the one place that keeps the
// order of those steps: the window runs it with its own Translate and sizing methods, the
// command-line tool with the library's, so both write the same lines and show the same messages.
// Depends on Qt Core and the sizing library only.

#include "core/Failure.h"
#include "selection/EquipmentKinds.h"
#include "selection/SizingInputs.h"
#include "selection/SizingOutcome.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <variant>

namespace selection {

// The window's inputs as the user left them.
struct SelectionForm {
    QString title;
    QString edit1;     // inlet pressure
    QString edit2;     // outlet pressure
    QString edit3;     // supply temperature
    QString edit4;     // return temperature
    QString edit5;     // heat load
    QString edit6;     // system resistance
    int comboBox1 = 0; // resistance unit
    int comboBox2 = 0; // inlet pressure unit
    int comboBox3 = 0; // outlet pressure unit
    int comboBox4 = 0; // load unit
    int comboBox5 = 0; // regulator series
    int comboBox6 = 0; // setting range
};

// The lines for the result box and, when the run stopped, the failure to report; with them, for
// the engineering checks, the kind sized, the converted inputs, and the working values and
// offers the sizing reached (none when the inputs did not convert or the title names no kind).
struct SelectionRun {
    QStringList lines;
    std::optional<vedan::Failure> failure;
    std::optional<EquipmentKind> kind;
    std::optional<SizingInputs> inputs;
    selection::SizingValues values;
    std::vector<selection::Offer> offers;

    // The text of the message box the run calls for, if any.
    std::optional<QString> message() const;
};

// The steps "Подобрать" calls: the unit conversion and the sizing method of a kind. The
// regulator's method reads the series and setting range from the form.
struct Methods {
    std::function<double(int unitIndex, int quantity, double value)> translate;
    std::function<SizingOutcome(EquipmentKind, const SizingInputs&, const SelectionForm&)> size;
};

// The library's own conversion and sizing methods.
const Methods& libraryMethods();

// The message of the first unit combo box left at its prompt, if any.
std::optional<QString> checkUnits(const SelectionForm& form);

// Converted inputs, or the message that stopped the conversion.
std::variant<SizingInputs, QString> convertInputs(const SelectionForm& form,
                                                  const Methods& methods = libraryMethods());

// The whole of "Подобрать". A title that names no kind sizes nothing.
SelectionRun runSelection(const SelectionForm& form, const Methods& methods = libraryMethods());

// The first box, in the order the selection reads them, whose text is not a number: 1 for
// Edit1 … 6 for Edit6; none when every box reads.
std::optional<int> firstUnreadableEdit(const SelectionForm& form);

} // namespace selection
