#pragma once
// The techno-economic assessment window: reads the building's inputs into the record of
// assessment inputs, runs the assessment into its report memo, saves and loads the inputs as a
// template file and exports the report to a worksheet. The computations, the report texts, the
// file format and the sheet layout live in the assessment library. Its controls are laid out by
// the Designer form resources/forms/TexOb.ui; the members named after the controls come from it.
// Depends on Qt Widgets, its form, the assessment library, core, sheet and the shell.

#include "assessment/AssessmentInputs.h"
#include "assessment/Savings.h"
#include "sheet/XLApp.h"
#include "ui/shell/WorkWindow.h"
#include "ui_TexOb.h"

#include <QStringList>
#include <initializer_list>
#include <utility>

class QLineEdit;

class TTexOb : public TWorkForm, private Ui::TexObClient {
    Q_OBJECT
public:
    explicit TTexOb(QWidget* parent = nullptr);

    // Reads what the current system choice needs into the record; false (the user has been
    // told) when a value does not convert.
    bool ReadData();
    // The heating and hot-water sections: append their lines to the report and return the heat
    // saved a year in Gcal, or the arithmetic fault that stopped them after the lines written
    // before it.
    vedan::Outcome<double> TeoOt();
    vedan::Outcome<double> TeoGvs();

    void ComboBox3Change();
    void Button2Click(); // "Рассчитать ТЭО"
    void Button1Click(); // "Экспорт в Excel"
    void N2Click();      // "Сохранить заготовку"
    void N3Click();      // "Загрузить заготовку"
    void N5Click();      // "Выход"

    const assessment::AssessmentInputs& inputs() const { return m_inputs; }
    // The report as the memo shows it: each wrapped piece of a long line is a line of its own.
    QStringList displayedLines() const;
    sheet::XLApp& xlApp() { return m_xlApp; }

protected:
    void FormClose() override;

private:
    void fillFromLibraries();
    void connectControls();
    void buildMenu();
    void setAreaEnabled(int area, bool enabled);
    assessment::SystemChoice choice() const;
    void clearReport();
    void writeLines(const QStringList& lines);
    bool readDecimal(QLineEdit* box, double& field);
    // Reads the boxes in order into their fields; the first that fails ends it.
    using NumberBox = std::pair<QLineEdit*, double assessment::AssessmentInputs::*>;
    bool readDecimals(std::initializer_list<NumberBox> boxes);
    bool readHeating();
    bool readHotWater();
    bool readBoxes();
    vedan::Status readData();
    vedan::Status checkUnitsAndRead(assessment::SystemChoice chosen);
    vedan::Outcome<double> written(const assessment::ReportPart& part);
    void fillFromRecord();
    vedan::Status runChoice(assessment::SystemChoice chosen);

    assessment::AssessmentInputs m_inputs;
    sheet::XLApp m_xlApp;
    bool m_reportStarted = false;      // whether the memo holds a line, even an empty one
    QLineEdit* m_unreadable = nullptr; // the box a read stopped at
};

extern TTexOb* TexOb;
