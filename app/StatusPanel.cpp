#include "app/StatusPanel.h"

#include <QFontMetrics>

namespace app {

StatusPanel::StatusPanel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
}

void StatusPanel::setFullText(const QString& text)
{
    m_fullText = text;
    refresh();
}

void StatusPanel::resizeEvent(QResizeEvent* event)
{
    QLabel::resizeEvent(event);
    refresh();
}

void StatusPanel::refresh()
{
    const int room = contentsRect().width() - 2 * margin() - 2;
    const QString shown = fontMetrics().elidedText(m_fullText, Qt::ElideRight, qMax(room, 0));
    setText(shown);
    setToolTip(shown == m_fullText ? QString() : m_fullText);
}

} // namespace app
