#pragma once
// The one edge between the selection window's boxes and the selection library: the texts of the
// edit boxes and the items of the combo boxes as the user left them become a SizingRequest, with
// the window's messages in the window's order (the unit choices, then the numbers), and what the
// button "Подобрать" does with them. The window reads its controls into a SelectionForm; the
// command-line tool fills one from its options.
// Depends on Qt Core and the selection library only.

#include "core/Failure.h"
#include "selection/EquipmentKinds.h"
#include "selection/SelectionRun.h"
#include "selection/SizedSelection.h"
#include "selection/SizingRequest.h"

#include <QString>
#include <QStringList>
#include <optional>

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

// The form's boxes and choices by what they hold, for a form filled without the window.
enum class FormText {
    InletPressure,
    OutletPressure,
    SupplyTemperature,
    ReturnTemperature,
    HeatLoad,
    SystemResistance
};
enum class FormChoice { ResistanceUnit, InletUnit, OutletUnit, LoadUnit, Series, SettingRange };
QString& textOf(SelectionForm& form, FormText box);
int& itemOf(SelectionForm& form, FormChoice choice);
const QString& textOf(const SelectionForm& form, FormText box);
int itemOf(const SelectionForm& form, FormChoice choice);

// The message of the first unit combo box left at its prompt, if any.
std::optional<QString> checkUnits(const SelectionForm& form);

// The converted design conditions, or the input failure with the message that stopped the
// conversion (the bad-number message, or the arithmetic message when a unit overflows).
vedan::Outcome<DesignConditions> convertInputs(const SelectionForm& form);

// The first box, in the order the selection reads them, whose text is not a number: 1 for
// Edit1 … 6 for Edit6; none when every box reads.
std::optional<int> firstUnreadableEdit(const SelectionForm& form);

// The boxes as typed and the unit choices as shown, whether or not they read.
TypedTexts typedTexts(const SelectionForm& form);

// The request of the form for a kind, or the input failure of the first unit not chosen or the
// first box that does not read.
vedan::Outcome<SizingRequest> requestOf(const SelectionForm& form, EquipmentKind kind);

// The whole of "Подобрать" with a sizing method (the library's by default). A title that names
// no kind sizes nothing.
SelectionRun runSelection(const SelectionForm& form, const SizingMethod& method = sizeWithLibrary);

} // namespace selection
