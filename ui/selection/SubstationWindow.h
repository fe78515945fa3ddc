#pragma once
// The heating substation of the selection window's last result (substation/Substation.h), in a
// window of its own beside the selection window: the scheme and the budget's options, the
// elements along the flow with their heads, drops, Kv, models and bores, and on two pages the
// piezometric line (Qt Charts) from the supply inlet to the return with each element's drop and
// the regulator's set point, and the budget's checks. It follows every "Подобрать" and is emptied when the selection
// window is shown again; its inputs stay for the session, the scheme until the kind of equipment
// changes. Esc closes it.
// Depends on Qt Widgets and Qt Charts, the substation library and the calculation sheet's data.

#include "calcsheet/CalculationSheet.h"
#include "selection/FormFields.h"
#include "selection/SelectionRun.h"
#include "substation/Substation.h"
#include "ui/selection/CompanionWindow.h"
#include "ui/selection/NamedBoxes.h"

#include <optional>

class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTableWidget;

namespace selection {

class ChecksTree;

class SubstationWindow : public CompanionWindow {
    Q_OBJECT
public:
    explicit SubstationWindow(QWidget* owner);

    // The kind of equipment of the selection window: another kind than the last one puts the
    // scheme back to the kind's own.
    void followKind(EquipmentKind kind);
    // The budget on a selection's request; a result that ended in a message empties the window.
    void follow(const SelectionRun& run);
    // No result: the inputs stay, the table, the checks and the chart are emptied.
    void clear();

    // The budget as the window shows it, for the calculation sheet: none while the window is
    // hidden, without a result, or when the inputs are refused.
    std::optional<calcsheet::SubstationSheet> sheet() const;

    // The inputs by the names of the substation's options: "scheme" by its identifier, the
    // numbers with a decimal point ("other-losses" …), "range" 1–3.
    Fields inputs() const;
    // Puts the fields in the inputs, an input without one back to its default (the scheme: the
    // kind's own); the kind is taken as the selection's, so that the scheme stays, and the window
    // recomputes.
    void setInputs(EquipmentKind kind, const Fields& fields);

signals:
    // The user changed an input.
    void inputsEdited();

private:
    void schemeChosen();
    void recompute();
    void showBudget();
    void fitTable(int rows);
    std::optional<substation::Options> options(QString* problem) const;

    // Each number box with the name of its option and what it starts with.
    std::vector<NamedBox> namedBoxes() const;

    QComboBox* m_scheme;
    QLineEdit* m_otherLosses;
    QLineEdit* m_authority;
    QComboBox* m_range;
    QLineEdit* m_maxHead;
    QLineEdit* m_minBore;
    QLabel* m_status;
    QTableWidget* m_table;
    QTabWidget* m_pages;
    QChartView* m_chartView;
    ChecksTree* m_checks;

    std::optional<EquipmentKind> m_kind;
    std::optional<SizingRequest> m_request;
    std::optional<calcsheet::SubstationSheet> m_sheet;
};

} // namespace selection
