#pragma once
// The number boxes of a companion window (the season's, the substation's) by the names of the
// command-line options they stand for, as a project keeps them. Depends on Qt Widgets and the
// selection's form fields.

#include "selection/FormFields.h"

#include <QString>
#include <vector>

class QLineEdit;

namespace selection {

// A box, the name of its option and the text it starts with.
struct NamedBox {
    const char* option;
    QLineEdit* box;
    QString byDefault;
};

// The boxes' numbers with a decimal point, by their names; an empty box is left out.
Fields fieldsOfBoxes(const std::vector<NamedBox>& boxes);
// Each box with its field's number (the regional separator), a box without a field with its
// default.
void putInBoxes(const std::vector<NamedBox>& boxes, const Fields& fields);

} // namespace selection
