#pragma once
// The heating season of the selection window's last result (season/Season.h), in a window of its
// own beside the selection window (or, on a small screen, clear of its result box): the
// schedule's inputs, the two charts (Qt Charts) of the heating schedule and of what the device
// does, with the points where a check fails or warns marked on the curve it concerns, and the
// table of the points under a splitter. It follows every "Подобрать" and is emptied when the
// selection window is shown again; its inputs and its split stay for the session. Esc closes it.
// Depends on Qt Widgets and Qt Charts, the season library and the calculation sheet's data.

#include "calcsheet/CalculationSheet.h"
#include "season/Season.h"
#include "selection/FormFields.h"
#include "ui/selection/CompanionWindow.h"
#include "ui/selection/NamedBoxes.h"

#include <optional>

class QChartView;
class QLabel;
class QLineEdit;
class QSplitter;
class QTableWidget;

namespace selection {

class SeasonWindow : public CompanionWindow {
    Q_OBJECT
public:
    explicit SeasonWindow(QWidget* owner);

    // The season of a selection's result; a result that ended in a message empties the window.
    void follow(const SelectionRun& run);
    // No result: the inputs stay, the table and the charts are emptied.
    void clear();

    // The season as the window shows it, for the calculation sheet: none without a result or
    // without a design outdoor temperature, or when the inputs are refused.
    std::optional<calcsheet::SeasonSheet> sheet() const;

    // The schedule's boxes by the names of the season's options ("outdoor-design" …), each
    // number with a decimal point; an empty box is left out.
    Fields inputs() const;
    // Puts the fields in their boxes, a box without one back to its default, and recomputes.
    void setInputs(const Fields& fields);

signals:
    // The user changed an input.
    void inputsEdited();

private:
    void recompute();
    void showPoints();
    std::optional<season::Schedule> schedule(QString* problem) const;

    // Each number box with the name of its option and what it starts with.
    std::vector<NamedBox> namedBoxes() const;

    QLineEdit* m_outdoor;
    QLineEdit* m_indoor;
    QLineEdit* m_cut;
    QLineEdit* m_end;
    QLineEdit* m_step;
    QLabel* m_status;
    QChartView* m_scheduleView;
    QChartView* m_deviceView;
    QTableWidget* m_table;
    QSplitter* m_split;

    std::optional<SizedSelection> m_design;
    std::optional<calcsheet::SeasonSheet> m_sheet;
};

} // namespace selection
