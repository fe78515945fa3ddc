#pragma once
// What the button "Подобрать" does with the window's texts: checks the unit choices, converts
// the edit texts with the regional decimal separator and the chosen units into SizingInputs, and
// runs the sizing method of the kind named by the title. The window and the command-line tool
// both run it, so that they write the same lines and show the same messages.
// Depends on Qt Core and the sizing library only.

#include "selection/SizingInputs.h"
#include "selection/SizingOutcome.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <variant>

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

// The lines for the result box and, when the run stopped, the message to show.
struct SelectionRun {
    QStringList lines;
    std::optional<QString> message;
};

namespace selection {

QString conversionErrorMessage();
QString mathErrorMessage();
QString choicesMissingMessage();

// The message of the first unit combo box left at its prompt, if any.
std::optional<QString> checkUnits(const SelectionForm& form);

// Converted inputs, or the message that stopped the conversion.
std::variant<SizingInputs, QString> convertInputs(const SelectionForm& form);

// The message a sizing outcome calls for, if any.
std::optional<QString> messageOf(const SizingOutcome& outcome);

// The whole of "Подобрать".
SelectionRun runSelection(const SelectionForm& form);

} // namespace selection
