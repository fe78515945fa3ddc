#pragma once
// A status-bar panel: a label that keeps its full text and, when the panel is narrower than the
// text, shows it shortened with an ellipsis (the full text is then its tool tip).
// Depends on Qt Widgets only.

#include <QLabel>

namespace app {

class StatusPanel : public QLabel {
    Q_OBJECT
public:
    explicit StatusPanel(QWidget* parent = nullptr);

    void setFullText(const QString& text);
    const QString& fullText() const { return m_fullText; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void refresh();

    QString m_fullText;
};

} // namespace app
