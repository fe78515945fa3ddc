#pragma once
// The plant-information window: a photograph of the plant, the slogan under it, the plant's
// history beside it and a close button along the bottom, laid out by the Designer form
// resources/forms/InfoForm.ui.
// Depends on Qt Widgets, its form, the plant's data (core) and the shell.

#include "ui/shell/WorkWindow.h"
#include "ui_InfoForm.h"

class TInfoForm : public TWorkForm, private Ui::InfoFormClient {
    Q_OBJECT
public:
    explicit TInfoForm(QWidget* parent = nullptr);

    // Handlers.
    void BitBtn1Click();

private:
    void fitSlogan();
};

extern TInfoForm* InfoForm;
