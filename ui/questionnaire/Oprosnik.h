#pragma once
// The questionnaire window: three panels, one per questionnaire, built from the panel tables
// of the questionnaire library when the window is first shown; the caption chooses the panel
// each time the window is shown.
// The request buttons hand the panel's values to the library's sheet-building sequence.
// Depends on Qt Widgets, the questionnaire library, sheet and the shell.

#include "questionnaire/Panels.h"
#include "sheet/XLApp.h"
#include "ui/shell/WorkWindow.h"

#include <QHash>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

class TOprList : public TWorkForm {
    Q_OBJECT
public:
    explicit TOprList(QWidget* parent = nullptr);

    // The window's own spreadsheet server component.
    sheet::XLApp& xlApp() { return m_xlApp; }

    // What the controls of a panel hold now; a memo's text holds its lines as it displays them.
    questionnaire::PanelValues readPanel(questionnaire::Kind kind) const;

    // Handlers.
    void CheckBox1Click();
    void ComboBox17Change();
    void ComboBox19Change();
    void Button1Click();
    void Button2Click();
    void Button3Click();

protected:
    void FormShow() override;

private:
    void buildPanels();
    QWidget* buildPanel(const questionnaire::PanelSpec& spec);
    QGroupBox* buildGroup(const questionnaire::PanelSpec& spec,
                          const questionnaire::GroupSpec& group, int width);
    QWidget* buildControl(const questionnaire::ControlSpec& spec, QWidget* parent);
    QWidget* buildButtons(const questionnaire::PanelSpec& spec);
    void request(questionnaire::Kind kind);
    void enableOther(const QString& combo, const QString& edit);
    template <typename T> T* control(const QString& name) const;

    sheet::XLApp m_xlApp;
    QHash<QString, QWidget*> m_controls;
    QHash<int, QWidget*> m_panels; // by questionnaire kind
};

extern TOprList* OprList;
