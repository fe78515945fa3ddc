#pragma once
// The selection window's inputs by name, as the command line's options and project files give
// them: "kind", the boxes' numbers ("inlet", "load" …) and the choices' tokens ("inlet-unit"
// "kgf", "series" "1" …). Depends on Qt Core and the selection's form.

#include "core/Failure.h"
#include "selection/FormInput.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

namespace selection {

// A field's name and its value as given.
using Fields = std::vector<std::pair<QString, QString>>;

// "kind", then the names of the inputs, in the order of the window's rows.
const QStringList& formFieldNames();

// The window's form for the fields, or the input failure with the Russian description of the bad
// field. A text field left out is an empty edit box; a choice left out stays at its prompt. A
// number given with a decimal comma or point goes into its box with the regional separator,
// which the form reads.
vedan::Outcome<SelectionForm> formOfFields(const Fields& fields);

// The fields of a form, in the order of formFieldNames(): the kind's token where the title names
// one, each box's number with a decimal point (a text that does not read as typed), each choice's
// token; an empty box and a choice at its prompt are left out.
Fields fieldsOfForm(const SelectionForm& form);

// A number typed in a box (regional separator, "−" for minus) as a field keeps it, with a decimal
// point; a text that does not read, as typed.
QString numberField(const QString& typed);
// A field's number as a box shows it, with the regional separator.
QString boxText(const QString& field);

} // namespace selection
