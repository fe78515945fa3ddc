#include "app/InfoZavod.h"

#include "core/PlantInfo.h"
#include "ui/shell/PictureBox.h"
#include "ui/shell/Pictures.h"
#include "ui/shell/UiFonts.h"

#include <QLabel>
#include <QPushButton>
#include <QStyle>

TInfoForm* InfoForm = nullptr;

namespace {

constexpr int kSloganPixels = 21;
// The slogan stays this far left of the history memo.
constexpr int kGap = 4;

} // namespace

TInfoForm::TInfoForm(QWidget* parent)
    : TWorkForm(QStringLiteral("InfoForm"), QStringLiteral("Информация о заводе"),
                Placement::MainWindowCentre, parent)
{
    setFont(uifonts::windowFont());
    setupUi(client());
    // A dialog border: the window cannot be resized.
    setResizable(false);

    Image1->setImageFile(QStringLiteral("plant.jpg")); // decoded when the window is first shown
    fitSlogan();
    // The history is laid out to fit its box; the form gives it a scroll bar only where a wider
    // stand-in face makes it longer.
    Memo1->setPlainText(plant::historyText().join(QLatin1Char('\n')));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    connect(BitBtn1, &QPushButton::clicked, this, &TInfoForm::BitBtn1Click);
}

// The slogan's lines take the slogan font, drawn narrower where a stand-in face would reach the
// history memo, and the size of their text.
void TInfoForm::fitSlogan()
{
    const QFont font = uifonts::sansSerif(kSloganPixels);
    for (QLabel* line : {Label1, Label2, Label3}) {
        line->setFont(uifonts::fittedTo(font, line->text(), Memo1->x() - kGap - line->x()));
        line->adjustSize();
    }
}

void TInfoForm::BitBtn1Click() { close(); }
