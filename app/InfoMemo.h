#pragma once
// A read-only memo of the information windows: fixed text, word-wrapped, with a vertical scroll
// bar.

#include <QPlainTextEdit>
#include <QStringList>

namespace app {

class InfoMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    InfoMemo(const QString& name, const QRect& geometry, const QStringList& lines, QWidget* parent);
};

} // namespace app
