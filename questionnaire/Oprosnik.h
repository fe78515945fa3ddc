#pragma once
// The questionnaire window, shared by three questionnaires.

#include "WorkWindow.h"

class TOprList : public TWorkForm {
    Q_OBJECT
public:
    explicit TOprList(QWidget* parent = nullptr);
};

extern TOprList* OprList;
