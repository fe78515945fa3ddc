#pragma once
// The three questionnaire panels as data: every control with its object name, kind, default
// text or state and item list, and the group boxes and form lines that the window lays out.
// Window and command-line tool both start from these tables. Depends on Qt Core only.

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace questionnaire {

enum class Kind { Itp, Btp, Plate };

enum class ControlType { Edit, Combo, Check, Memo };

// The item "Другое" of the combo boxes that take a text of the user's own in an edit box.
constexpr int kOtherItem = 4;

struct ControlSpec {
    QString name;
    ControlType type;
    // Edit box and memo: default text (memo lines joined by '\n'); check box: its caption.
    QString text;
    // Combo box: the prompt at index 0, then the items.
    QStringList items;
    bool checked = false; // check box default
    bool enabled = true;  // initial enabled state
};

// One line of a group box: a label, then one or more controls; `separator` stands between the
// controls ("/" in the dimension lines). `sameRow` puts the line beside the previous one.
struct FormLine {
    QString label;
    QStringList controls;
    QString separator;
    bool sameRow = false;
};

struct GroupSpec {
    QString title;
    int column; // 0 left, 1 right
    QList<FormLine> lines;
};

struct PanelSpec {
    Kind kind;
    QString panelName;     // Panel1, Panel2, Panel3
    QString caption;       // the window caption that selects this panel
    QString requestButton; // Button1..3
    QString exitButton;    // BitBtn1..3
    QList<ControlSpec> controls;
    QList<GroupSpec> groups;

    const ControlSpec* control(const QString& name) const;
};

// What a panel's controls hold: texts of edit boxes and memos, chosen indexes of combo boxes,
// states of check boxes. A name missing from a map reads as empty / prompt / unticked.
struct PanelValues {
    QMap<QString, QString> texts;
    QMap<QString, int> choices;
    QMap<QString, bool> checks;
};

const QList<PanelSpec>& panels();
const PanelSpec& panel(Kind kind);
// The panel whose caption is exactly this text.
std::optional<Kind> kindForCaption(const QString& caption);
// The caption the window has before any command set one.
QString defaultCaption();
QString requestCaption(); // "Сформировать заявку"
// The labels of the customer block, the same on every panel and sheet: organisation, head,
// who filled in the form, telephone, object name, object address.
const QStringList& customerLabels();
// "СВЕДЕНИЯ О ЗАКАЗЧИКЕ", the heading of the customer block.
QString customerHeading();
QString exitCaption(); // "Выход"

// The values of a panel's controls as the window first shows them.
PanelValues defaults(Kind kind);

// The label of the panel's form line whose first control is `control`; empty when no labelled line
// starts with it. The sheets take their row texts from here where they say what the window says.
QString labelOf(const PanelSpec& panel, const QString& control);

// Text of the chosen item of a combo box (empty for an index out of range).
QString chosenItem(const PanelSpec& panel, const PanelValues& values, const QString& combo);

} // namespace questionnaire
