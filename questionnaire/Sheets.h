#pragma once
// The questionnaire worksheets: the row kinds, the three sheet layouts as data, the
// completeness check and the one sequence of spreadsheet operations that writes any of them.
// Depends on Qt Core, the spreadsheet layer and the plant's contact data; no Widgets.

#include "core/Failure.h"
#include "questionnaire/Panels.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTime>
#include <optional>

namespace sheet {
class XLApp;
}

namespace questionnaire {

enum class RowKind { Title, Date, Section, WideValue, Value, LongLabel, FullWidth, Memo, Footer };

// How a row kind is merged and aligned. Merged ranges and the aligned range are given by their
// columns, right-hand column first; mergeFrom is empty where the kind merges nothing.
struct RowKindLayout {
    RowKind kind;
    QString mergeFrom; // "C" or "B" (right-hand corner)
    QString mergeTo;   // "A" or "B"
    int alignment;     // xlLeft or xlCenter, always over A:C
};
const RowKindLayout& rowKindLayout(RowKind kind);

// Where a cell's value comes from.
struct Source {
    enum class Type { None, Text, Item, ItemOrOther, Joined };
    Type type = Type::None;
    QStringList controls; // Text, Item: one; ItemOrOther: combo, edit; Joined: edits
    QString prefix;       // Joined: text before the first value

    bool given() const { return type != Type::None; }
};

struct SheetRow {
    int row;
    RowKind kind;
    QString label; // the text in A (title, section, label, sentence)
    Source b;
    Source c;
    // Rows that follow a check box: unticked they take this kind and text and write no value.
    QString checkBox = {};
    RowKind uncheckedKind = RowKind::FullWidth;
    QString uncheckedLabel = {};
};

struct SheetLayout {
    Kind kind;
    QStringList requiredChoices; // combo boxes that must not be at their prompt
    QString sheetName;
    QList<SheetRow> rows;
    QString memo;
    int firstMemoRow;
    int footerOffset; // footer row = firstMemoRow + memo lines + footerOffset
};
const SheetLayout& sheetLayout(Kind kind);

// "Выбраны не все пункты!"
QString incompleteMessage();
// The closing instruction with the plant's fax number and e-mail address.
QString footerText();
// "Дата заполнения <date> время заполнения <time>".
QString dateText(const QDate& date, const QTime& time);

// The lines of a memo text; a final empty line is not counted.
QStringList memoLines(const QString& text);

// The combo box of the layout that is still at its prompt, if any.
std::optional<QString> firstUnchosen(const SheetLayout& layout, const PanelValues& values);

// The text written for a value source.
QString sourceText(const Source& source, const PanelSpec& panel, const PanelValues& values);

// Checks completeness, then writes the sheet through the component, operation by operation.
// An incomplete questionnaire contacts nothing and fails as input ("Выбраны не все пункты!").
// A refused operation ends the sequence there.
vedan::Status buildSheet(sheet::XLApp& xl, Kind kind, const PanelValues& values, const QDate& date,
                         const QTime& time);
// The same with the current date, then the current time.
vedan::Status buildSheet(sheet::XLApp& xl, Kind kind, const PanelValues& values);

} // namespace questionnaire
