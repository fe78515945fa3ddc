#pragma once
// The selection window, shared by the four kinds of equipment. Its title names the kind: the
// description beside the inputs and the sizing run by "Подобрать" follow it. The computations,
// tables and texts live in the selection library; the window reads its controls, calls the
// library and shows what comes back.

#include "selection/EquipmentKinds.h"
#include "selection/SelectionRun.h"
#include "sheet/XLApp.h"
#include "shell/WorkWindow.h"

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QAction;
class QPlainTextEdit;
class QPushButton;

namespace selection {
class ChecksWindow;
}

class TSelectRtForm : public TWorkForm {
    Q_OBJECT
public:
    explicit TSelectRtForm(QWidget* parent = nullptr);

    void Button1Click(); // "Подобрать"
    void Button2Click(); // "Распечатать результат подбора"
    void N4Click();      // menu "Выход"

    // Converts a value typed in the unit chosen in a unit combo box (see units::Translate).
    double Translate(int unitIndex, int quantity, double value);

    // The sizing methods: each replaces the lines of Memo2 with the lines it wrote, also those
    // written before a failure, and returns its outcome; "Подобрать" reports the failure.
    SizingOutcome PodborRG(double supplyTemperature, double returnTemperature, double heatLoad,
                           double inletPressure, double outletPressure, double systemResistance);
    SizingOutcome PodborRp(double supplyTemperature, double returnTemperature, double heatLoad,
                           double inletPressure, double outletPressure, double systemResistance);
    SizingOutcome PodborKZR(double supplyTemperature, double returnTemperature, double heatLoad,
                            double inletPressure, double outletPressure, double systemResistance);
    SizingOutcome PodborKST(double supplyTemperature, double returnTemperature, double heatLoad,
                            double inletPressure, double outletPressure, double systemResistance);

    // The window's spreadsheet server component, used by the report.
    XLApp& xlApp() { return m_XLApp; }

protected:
    void FormShow() override;
    void FormClose() override;

private:
    void createInputPane();
    void createDescriptionPane();
    void createButtons();
    void createMenu();
    void setTabOrder();

    SelectionForm readForm() const;
    QStringList resultLines() const;
    void showLines(const QStringList& lines);
    SizingOutcome shown(const SizingOutcome& outcome);
    // The window's own steps for "Подобрать": its Translate and its sizing methods.
    selection::Methods methods();
    QPlainTextEdit* descriptionMemo(EquipmentKind kind) const;
    void hideDescriptions();

    QLineEdit* m_edit1;
    QLineEdit* m_edit2;
    QLineEdit* m_edit3;
    QLineEdit* m_edit4;
    QLineEdit* m_edit5;
    QLineEdit* m_edit6;
    QComboBox* m_comboBox1;
    QComboBox* m_comboBox2;
    QComboBox* m_comboBox3;
    QComboBox* m_comboBox4;
    QComboBox* m_comboBox5;
    QComboBox* m_comboBox6;
    QPlainTextEdit* m_memo1;
    QPlainTextEdit* m_memo2;
    QPlainTextEdit* m_memo3;
    QPlainTextEdit* m_memo4;
    QPlainTextEdit* m_memo5;
    QPushButton* m_button1;
    QPushButton* m_button2;
    QPushButton* m_bitBtn1;
    QAction* m_n4;
    selection::ChecksWindow* m_checksWindow; // "Расчёт" → "Проверки", follows each result
    XLApp m_XLApp;
};

extern TSelectRtForm* SelectRtForm;
