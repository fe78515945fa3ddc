#pragma once
// The user's guide in a window of the program: the generated HTML pages in a browser with back,
// forward, contents and a find bar, never following a link out of the guide. F1 in any window
// opens the guide at the chapter the window (or the widget with the focus) names, one event
// filter for the whole application. The guide is found in <prefix>/share/vedan/guide beside the
// program's folder, else in the build tree. Depends on Qt Widgets and core (core/Guide.h).

#include <QMainWindow>
#include <QUrl>

class QLabel;
class QLineEdit;
class QTextBrowser;
class QToolBar;

namespace helpwindow {

// The folder of the guide's pages; empty when there is none.
QString guideFolder();

// Opens the guide's window at the chapter ("checks") and the anchor in it, if any
// ("check-valve.cavitation"), and brings it forward.
void show(const QString& chapter, const QString& anchor = QString());

// The chapter and anchor that F1 opens for the widget and everything inside it, unless a widget
// nearer the focus names its own.
void setTopic(QWidget* widget, const QString& chapter, const QString& anchor = QString());

// Deletes the guide's window, if it was made; the next show() makes it anew.
void destroy();

// F1 anywhere in the application opens the topic of the focus widget or its nearest ancestor
// that has one, else the contents. Installed once; later calls do nothing.
void installF1();

} // namespace helpwindow

class HelpWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& folder);

    // The window of the application, made on first use.
    static HelpWindow* instance();

    void open(const QString& chapter, const QString& anchor);
    QTextBrowser* browser() const { return m_browser; }
    QWidget* findBar() const { return m_findBar; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openFind();
    void closeFind();
    void find(bool backward);
    void followLink(const QUrl& url);

    QString m_folder;
    QTextBrowser* m_browser;
    QWidget* m_findBar;
    QLineEdit* m_findText;
    QLabel* m_findState;
};
