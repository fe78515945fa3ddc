#include "app/Kontakts.h"

#include "core/PlantInfo.h"
#include "ui/shell/UiFonts.h"

TKontakt* Kontakt = nullptr;

TKontakt::TKontakt(QWidget* parent)
    : TWorkForm(QStringLiteral("Kontakt"), QStringLiteral("Контакты"), Placement::MainWindowCentre,
                parent)
{
    setFont(uifonts::windowFont());
    setupUi(client());
    m_formSize = client()->size();
    // The texts are the plant's data, kept with its other contact details.
    Memo1->setPlainText(plant::contactsText().join(QLatin1Char('\n')));
    Memo2->setPlainText(plant::representativesText().join(QLatin1Char('\n')));
    setResizable(true);
    resize(m_formSize);
}

QSize TKontakt::sizeHint() const { return m_formSize; }
