#include "ui/shell/HelpWindow.h"

#include "core/Guide.h"
#include "ui/shell/Centring.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// The dynamic properties that carry a widget's topic.
constexpr char kChapterProperty[] = "guideChapter";
constexpr char kAnchorProperty[] = "guideAnchor";

const QString kTitle = QStringLiteral("Руководство пользователя");

QString index(const QString& folder)
{
    return QDir(folder).absoluteFilePath(QStringLiteral("index.html"));
}

QPointer<HelpWindow>& theWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}

// F1 on any widget: the topic of the focus widget or its nearest ancestor that names one.
class F1Filter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier)
            return false;
        const QWidget* from = QApplication::focusWidget();
        if (!from)
            from = static_cast<QWidget*>(watched);
        for (const QWidget* w = from; w; w = w->parentWidget()) {
            const QString chapter = w->property(kChapterProperty).toString();
            if (!chapter.isEmpty()) {
                helpwindow::show(chapter, w->property(kAnchorProperty).toString());
                return true;
            }
        }
        helpwindow::show(QStringLiteral("index"));
        return true;
    }
};

} // namespace

namespace helpwindow {

QString guideFolder()
{
    // Installed: <prefix>/bin/vedan and <prefix>/share/vedan/guide.
    const QDir program(QCoreApplication::applicationDirPath());
    const QString installed = program.absoluteFilePath(QStringLiteral("../share/vedan/guide"));
    if (QFileInfo(index(installed)).isFile())
        return QDir::cleanPath(installed);
#ifdef VEDAN_GUIDE_BUILD_DIR
    const QString built = QStringLiteral(VEDAN_GUIDE_BUILD_DIR);
    if (QFileInfo(index(built)).isFile())
        return QDir::cleanPath(built);
#endif
    return {};
}

void show(const QString& chapter, const QString& anchor)
{
    HelpWindow* window = HelpWindow::instance();
    window->open(chapter, anchor);
    centring::bringForward(window,
                           [window] { centring::placeOnOwnersScreen(window, QSize(860, 640)); });
}

void destroy() { delete theWindow().data(); }

void setTopic(QWidget* widget, const QString& chapter, const QString& anchor)
{
    widget->setProperty(kChapterProperty, chapter);
    widget->setProperty(kAnchorProperty, anchor);
}

void installF1()
{
    static QPointer<F1Filter> filter;
    if (!filter && qApp) {
        filter = new F1Filter(qApp);
        qApp->installEventFilter(filter);
    }
}

} // namespace helpwindow

HelpWindow::HelpWindow(const QString& folder) : m_folder(folder)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new QTextBrowser(central);
    m_browser->setObjectName(QStringLiteral("GuideBrowser"));
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    m_browser->setSearchPaths({folder});
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);
    layout->addWidget(m_browser);

    m_findBar = new QWidget(central);
    m_findBar->setObjectName(QStringLiteral("FindBar"));
    auto* bar = new QHBoxLayout(m_findBar);
    bar->setContentsMargins(4, 2, 4, 2);
    auto* label = new QLabel(QStringLiteral("&Найти:"), m_findBar);
    m_findText = new QLineEdit(m_findBar);
    m_findText->setObjectName(QStringLiteral("FindText"));
    m_findText->installEventFilter(this);
    label->setBuddy(m_findText);
    m_findState = new QLabel(m_findBar);
    m_findState->setObjectName(QStringLiteral("FindState"));
    bar->addWidget(label);
    bar->addWidget(m_findText, 1);
    bar->addWidget(m_findState);
    layout->addWidget(m_findBar);
    m_findBar->hide();
    setCentralWidget(central);

    QToolBar* tools = addToolBar(QStringLiteral("Навигация"));
    tools->setObjectName(QStringLiteral("GuideTools"));
    tools->setMovable(false);
    tools->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const struct {
        const char* name;
        const char* text;
        const char* keys;
        void (HelpWindow::*run)();
    } commands[] = {
        {"GuideBack", "← Назад", "GuideBack", nullptr},
        {"GuideForward", "Вперёд →", "GuideForward", nullptr},
        {"GuideHome", "Содержание", "GuideHome", nullptr},
        {"GuideFind", "Найти", "GuideFind", &HelpWindow::openFind},
    };
    for (const auto& c : commands) {
        QAction* action = tools->addAction(QString::fromUtf8(c.text));
        action->setObjectName(QString::fromLatin1(c.name));
        action->setShortcut(QKeySequence(guide::keysOf(c.keys)));
        action->setShortcutContext(Qt::WindowShortcut);
        action->setToolTip(QString::fromUtf8(c.text) + QStringLiteral(" (")
                           + action->shortcut().toString(QKeySequence::NativeText)
                           + QLatin1Char(')'));
        if (c.run)
            connect(action, &QAction::triggered, this, c.run);
    }
    QAction* back = findChild<QAction*>(QStringLiteral("GuideBack"));
    QAction* forward = findChild<QAction*>(QStringLiteral("GuideForward"));
    connect(back, &QAction::triggered, m_browser, &QTextBrowser::backward);
    connect(forward, &QAction::triggered, m_browser, &QTextBrowser::forward);
    connect(findChild<QAction*>(QStringLiteral("GuideHome")), &QAction::triggered, this,
            [this] { open(QStringLiteral("index"), QString()); });
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    for (const char* name : {"GuideFindNext", "GuideFindPrevious"}) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(QKeySequence(guide::keysOf(name)));
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        const bool backward = name == std::string_view("GuideFindPrevious");
        connect(action, &QAction::triggered, this, [this, backward] { find(backward); });
    }
    connect(m_browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = m_browser->documentTitle();
        setWindowTitle(title.isEmpty() ? kTitle : kTitle + QStringLiteral(" — ") + title);
    });
    helpwindow::setTopic(this, QStringLiteral("index"));

    if (folder.isEmpty())
        m_browser->setHtml(
            QStringLiteral("<h1>") + kTitle
            + QStringLiteral("</h1><p>Руководство не найдено: нет папки share/vedan/guide "
                             "рядом с папкой программы (")
            + QCoreApplication::applicationDirPath().toHtmlEscaped()
            + QStringLiteral("). Переустановите программу.</p>"));
}

HelpWindow* HelpWindow::instance()
{
    QPointer<HelpWindow>& window = theWindow();
    if (!window)
        window = new HelpWindow(helpwindow::guideFolder());
    return window;
}

void HelpWindow::open(const QString& chapter, const QString& anchor)
{
    if (m_folder.isEmpty())
        return;
    const QString name = guide::isChapter(chapter) ? chapter : QStringLiteral("index");
    QUrl url = QUrl::fromLocalFile(QDir(m_folder).absoluteFilePath(name + QStringLiteral(".html")));
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    m_browser->setSource(url);
}

void HelpWindow::followLink(const QUrl& url)
{
    // Only the guide's own pages: a link that leaves the guide's folder is not followed.
    const QUrl target = m_browser->source().resolved(url);
    if (!target.isLocalFile())
        return;
    const QString file = QFileInfo(target.toLocalFile()).canonicalFilePath();
    if (file.isEmpty() || QFileInfo(file).absolutePath() != QFileInfo(m_folder).canonicalFilePath())
        return;
    m_browser->setSource(target);
}

void HelpWindow::openFind()
{
    m_findBar->show();
    m_findText->setFocus();
    m_findText->selectAll();
}

void HelpWindow::closeFind()
{
    m_findBar->hide();
    m_findState->clear();
    m_browser->setFocus();
}

void HelpWindow::find(bool backward)
{
    if (m_findText->text().isEmpty()) {
        openFind();
        return;
    }
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    bool found = m_browser->find(m_findText->text(), flags);
    if (!found) {
        // Once past the end (or the start) the search starts over from the other end.
        QTextCursor cursor = m_browser->textCursor();
        cursor.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
        m_browser->setTextCursor(cursor);
        found = m_browser->find(m_findText->text(), flags);
    }
    m_findState->setText(found ? QString() : QStringLiteral("не найдено"));
}

void HelpWindow::keyPressEvent(QKeyEvent* event)
{
    // Esc closes the find bar first, then the window.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_findBar->isVisible())
            closeFind();
        else
            close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_findText && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers().testFlag(Qt::ShiftModifier));
            return true;
        }
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            closeFind();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
