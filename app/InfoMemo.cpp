#include "app/InfoMemo.h"

namespace app {

InfoMemo::InfoMemo(const QString& name, const QRect& geometry, const QStringList& lines,
                   QWidget* parent)
    : QPlainTextEdit(parent)
{
    setObjectName(name);
    setGeometry(geometry);
    setReadOnly(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setPlainText(lines.join(QLatin1Char('\n')));
}

} // namespace app
