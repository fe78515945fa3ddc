#pragma once
// The plant's names and contact data, kept in this one place so that the status bar, the
// questionnaire footers and the information windows all show the same values.
// The numbers and addresses are fictional (reserved telephone ranges, example domains).
// Depends on Qt Core only.

#include <QString>
#include <QStringList>

namespace plant {

// "Программа подбора оборудования произодства ОАО "Завод Ведан"": the main window's title,
// also the caption of the program's plain message boxes.
QString programTitle();
QString shortName();  // Завод Ведан
QString fullName();   // the full company name with its form, ОАО "Завод Ведан"
QString webAddress(); // shown after "Сайт Компании:  " in the status bar
QString faxNumber();  // questionnaire footer
QString email();      // questionnaire footer

// Texts of the information windows.
QStringList contactsText();        // departments, one heading and contact lines each
QStringList representativesText(); // the representative offices
QStringList historyText();         // plant history and profile, paragraphs

} // namespace plant
