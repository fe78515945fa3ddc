#include "ui/selection/ChecksWindow.h"

#include "core/Guide.h"
#include "ui/selection/ChecksTree.h"
#include "ui/shell/Centring.h"
#include "ui/shell/HelpWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QVBoxLayout>

#include <algorithm>

namespace selection {

namespace {

// "Проверки: не пройдены (2)": the worst status and how many checks have it.
QString verdictText(checks::Status verdict, int count)
{
    switch (verdict) {
    case checks::Status::Failed: return QStringLiteral("Проверки: не пройдены (%1)").arg(count);
    case checks::Status::Warning:
        return QStringLiteral("Проверки: есть предупреждения (%1)").arg(count);
    case checks::Status::NotApplicable: return QStringLiteral("Проверки: неприменимы");
    default: return QStringLiteral("Проверки: пройдены");
    }
}

QString summaryOf(const QString& caption, const std::vector<checks::Check>& found)
{
    if (found.empty())
        return QStringLiteral("Проверок нет. Они появляются после подбора (кнопка «Подобрать»); "
                              "подбор, закончившийся сообщением, проверок не дает.");
    QStringList counts;
    for (const StatusLook& look : statusLooks()) {
        const auto n = std::count_if(found.begin(), found.end(), [&](const checks::Check& c) {
            return c.status == look.status;
        });
        counts << checks::statusText(look.status) + QStringLiteral(": ") + QString::number(n);
    }
    return caption + QStringLiteral(". Проверок ") + QString::number(found.size())
           + QStringLiteral(" (") + counts.join(QStringLiteral(", ")) + QStringLiteral(").");
}

} // namespace

ChecksWindow::ChecksWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("ChecksForm"));
    setWindowTitle(QStringLiteral("Проверки"));
    helpwindow::setTopic(this, QString::fromLatin1(guide::kChecksChapter));
    resize(900, 520);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("Summary"));
    m_summary->setWordWrap(true);

    m_tree = new ChecksTree(this);
    m_tree->setObjectName(QStringLiteral("ChecksTree"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_tree);
    follow(QString(), {});
}

void ChecksWindow::follow(const QString& caption, const std::vector<checks::Check>& found)
{
    m_summary->setText(summaryOf(caption, found));
    m_tree->showChecks(found);
}

void ChecksWindow::bringForward()
{
    centring::bringForward(this, [this] { centring::placeOnOwnersScreen(this, QSize(900, 520)); });
}

void ChecksWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

VerdictButton::VerdictButton(QMenuBar* bar) : QToolButton(bar), m_bar(bar)
{
    setObjectName(QStringLiteral("verdictButton"));
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setIconSize(QSize(16, 16));
    // The bar keeps the height of its commands whatever its corner shows, and the button is no
    // taller, so that the client area under the bar never moves.
    const int height = bar->sizeHint().height();
    bar->setFixedHeight(height);
    setMaximumHeight(height);
    hide();
    bar->setCornerWidget(this, Qt::TopRightCorner);
}

void VerdictButton::follow(const std::vector<checks::Check>& found)
{
    if (found.empty()) {
        hide();
        return;
    }
    const checks::Status verdict = checks::verdict(found);
    const int count = static_cast<int>(std::count_if(
        found.begin(), found.end(), [&](const checks::Check& c) { return c.status == verdict; }));
    setText(verdictText(verdict, count));
    setIcon(statusIcon(verdict));
    setToolTip(QStringLiteral("Открыть окно проверок"));
    // A failed check cannot be missed: its colour on its tint, in bold.
    const StatusLook& look = statusLook(verdict);
    setStyleSheet(
        verdict == checks::Status::Failed
            ? QStringLiteral("QToolButton { color: %1; background: %2; font-weight: bold; "
                             "padding: 0 4px; }")
                  .arg(look.colour.name(), look.tint.name())
            : QStringLiteral("QToolButton { padding: 0 4px; }"));
    show();
    // The menu bar lays out its corner only when the corner is set, shown or hidden: set again,
    // the button gets the width of its new text and font, never the last one's.
    m_bar->setCornerWidget(this, Qt::TopRightCorner);
}

} // namespace selection
