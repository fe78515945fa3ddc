#include "app/InfoZavod.h"

#include "app/InfoMemo.h"
#include "core/PlantInfo.h"
#include "shell/PictureBox.h"
#include "shell/Pictures.h"
#include "shell/UiFonts.h"

#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QStyle>

TInfoForm* InfoForm = nullptr;

namespace {

struct SloganLine {
    const char* name;
    int left, top;
    const char* caption;
};

const SloganLine kSlogan[] = {
    {"Label1", 16, 296, "Мы системно решаем вопросы экономного"},
    {"Label2", 56, 336, "теплоснабжения и диспчеризации"},
    {"Label3", 120, 376, "на Ваших объектах"},
};

constexpr int kSloganPixels = 21;
// The slogan stays left of the history memo.
constexpr int kMemoLeft = 424;
constexpr int kGap = 4;

} // namespace

TInfoForm::TInfoForm(QWidget* parent)
    : TWorkForm(QStringLiteral("InfoForm"), QStringLiteral("Информация о заводе"), 937, 441,
                Placement::MainWindowCentre, parent)
{
    setFont(uiFonts::windowFont());

    auto* photo = new PictureBox(client());
    photo->setObjectName(QStringLiteral("Image1"));
    photo->setGeometry(0, 0, 417, 281);
    photo->setProportional(true);
    photo->setStretch(true);
    photo->setImageFile(QStringLiteral("plant.jpg")); // decoded when the window is first shown

    buildSlogan();

    auto* history = new InfoMemo(QStringLiteral("Memo1"), QRect(424, 0, 513, 417),
                                 plant::historyText(), client());
    // The history is laid out to fit its box; a scroll bar appears only where a wider stand-in
    // face makes it longer.
    history->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    auto* close = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                                  QStringLiteral("Закрыть"), client());
    close->setObjectName(QStringLiteral("BitBtn1"));
    close->setGeometry(0, 424, 937, 17);
    connect(close, &QPushButton::clicked, this, &TInfoForm::BitBtn1Click);

    // A dialog border: the window cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TInfoForm::buildSlogan()
{
    const QFont font = uiFonts::sansSerif(kSloganPixels);
    for (const SloganLine& line : kSlogan) {
        auto* label = new QLabel(QString::fromUtf8(line.caption), client());
        label->setObjectName(QString::fromLatin1(line.name));
        label->setFont(uiFonts::fittedTo(font, label->text(), kMemoLeft - kGap - line.left));
        label->move(line.left, line.top);
        label->adjustSize();
    }
}

void TInfoForm::BitBtn1Click() { close(); }
