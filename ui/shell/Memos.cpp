#include "ui/shell/Memos.h"

#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

namespace memos {

void tabMovesFocus(QWidget* window)
{
    for (QPlainTextEdit* memo : window->findChildren<QPlainTextEdit*>())
        memo->setTabChangesFocus(true);
    for (QTextEdit* memo : window->findChildren<QTextEdit*>())
        memo->setTabChangesFocus(true);
}

void wrapToWidth(QPlainTextEdit* memo)
{
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

QStringList displayedLines(const QPlainTextEdit* memo)
{
    QStringList lines;
    QTextDocument* document = memo->document();
    if (document->isEmpty())
        return lines;
    auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document->documentLayout());
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (layout)
            layout->ensureBlockLayout(block);
        const QTextLayout* text = block.layout();
        const QString whole = block.text();
        if (!text || text->lineCount() <= 1) {
            lines << whole;
            continue;
        }
        for (int i = 0; i < text->lineCount(); ++i) {
            const QTextLine line = text->lineAt(i);
            lines << whole.mid(line.textStart(), line.textLength());
        }
    }
    return lines;
}

} // namespace memos
