#include "app/Kontakts.h"

#include "app/InfoMemo.h"
#include "core/PlantInfo.h"
#include "shell/UiFonts.h"

using app::InfoMemo;

TKontakt* Kontakt = nullptr;

namespace {

// The window is 756 x 480 with its frame; under a title bar and a thin border that leaves this
// client area.
constexpr int kClientWidth = 740;
constexpr int kClientHeight = 441;

} // namespace

TKontakt::TKontakt(QWidget* parent)
    : TWorkForm(QStringLiteral("Kontakt"), QStringLiteral("Контакты"), kClientWidth, kClientHeight,
                Placement::MainWindowCentre, parent)
{
    setFont(uiFonts::windowFont());
    Memo1 = new InfoMemo(QStringLiteral("Memo1"), QRect(0, 0, 369, 441), plant::contactsText(),
                         client());
    Memo2 = new InfoMemo(QStringLiteral("Memo2"), QRect(376, 0, 361, 441),
                         plant::representativesText(), client());
    setResizable(true);
    resize(kClientWidth, kClientHeight);
}

QSize TKontakt::sizeHint() const { return {kClientWidth, kClientHeight}; }
