#pragma once
// The selection window, shared by the four kinds of equipment. Its title names the kind: the
// description beside the inputs and the sizing run by "Подобрать" follow it. The computations,
// tables and texts live in the selection library; the window reads its controls, calls the
// library and shows what comes back. Its controls are laid out by the Designer form
// resources/forms/SelectRtForm.ui; the members named after the controls come from that form.
// Depends on Qt Widgets, its form, the selection, checks and calcsheet libraries, sheet and the shell.

#include "checks/Checks.h"
#include "project/Project.h"
#include "selection/EquipmentKinds.h"
#include "selection/FormInput.h"
#include "sheet/XLApp.h"
#include "ui/shell/WorkWindow.h"
#include "ui_SelectRtForm.h"

#include <array>
#include <optional>

class QAction;
class QLabel;

namespace selection {
class ChecksWindow;
class ProjectMenu;
class SeasonWindow;
class SubstationWindow;
class VerdictButton;
} // namespace selection

class TSelectRtForm : public TWorkForm, private Ui::SelectRtFormClient {
    Q_OBJECT
public:
    explicit TSelectRtForm(QWidget* parent = nullptr);

    void Button1Click(); // "Подобрать", also Enter in an input box
    void Button2Click(); // "Распечатать результат подбора"
    void N4Click();      // menu "Выход"
    void N7Click();      // menu "Расчёт" → "Расчётный лист (PDF)"

    // Converts a value typed in the unit chosen in a unit combo box (see units::Translate).
    double Translate(int unitIndex, int quantity, double value);

    // The sizing methods: each replaces the lines of Memo2 with the lines it wrote, also those
    // written before a failure, and returns its outcome; "Подобрать" reports the failure.
    selection::SizingOutcome PodborRG(double supplyTemperature, double returnTemperature,
                                      double heatLoad, double inletPressure, double outletPressure,
                                      double systemResistance);
    selection::SizingOutcome PodborRp(double supplyTemperature, double returnTemperature,
                                      double heatLoad, double inletPressure, double outletPressure,
                                      double systemResistance);
    selection::SizingOutcome PodborKZR(double supplyTemperature, double returnTemperature,
                                       double heatLoad, double inletPressure, double outletPressure,
                                       double systemResistance);
    selection::SizingOutcome PodborKST(double supplyTemperature, double returnTemperature,
                                       double heatLoad, double inletPressure, double outletPressure,
                                       double systemResistance);

    // Opens the window on a project file given to the program, on the project's kind; false,
    // with the message shown and the window not opened, when the file cannot be read.
    bool openProjectFile(const QString& path);

    // The window's spreadsheet server component, used by the report.
    sheet::XLApp& xlApp() { return m_xlApp; }

protected:
    void FormShow() override;
    void FormClose() override;
    // A project with unsaved changes is asked about first; "Отмена" keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    void fillFromLibraries();
    void connectControls();
    void createMenu();
    void placeProjectLine();

    // The window's inputs as a project, and a project's inputs put in the window (on its kind).
    project::Project projectOfTheWindow() const;
    void showProject(const project::Project& project);

    selection::SelectionForm readForm() const;
    // Sizes from the boxes as "Подобрать" does (the result box, the checks window, the verdict,
    // a message when the run stops) and answers the run with its checks.
    struct SizedResult {
        selection::SelectionForm form;
        selection::SelectionRun run;
        std::vector<checks::Check> checks;
    };
    SizedResult sizeFromTheBoxes();
    QStringList resultLines() const;
    void showLines(const QStringList& lines);
    selection::SizingOutcome shown(const selection::SizingOutcome& outcome);
    // The window's own sizing for "Подобрать": its sizing methods, which show their lines.
    selection::SizingMethod sizingMethod();
    QPlainTextEdit* descriptionMemo(selection::EquipmentKind kind) const;
    void hideDescriptions();

    QAction* N4;
    QLabel* m_projectLine; // under the input heading: the project's name, "*" when changed
    selection::ProjectMenu* m_project;       // "Файл": open and save projects
    selection::ChecksWindow* m_checksWindow; // "Расчёт" → "Проверки", follows each result
    selection::SeasonWindow* m_seasonWindow; // "Расчёт" → "Отопительный сезон", follows each result
    selection::SubstationWindow* m_substationWindow; // "Расчёт" → "Тепловой пункт", follows each
                                                     // result
    selection::VerdictButton* m_verdict; // beside the menu: the verdict of each result
    sheet::XLApp m_xlApp;
};

extern TSelectRtForm* SelectRtForm;
