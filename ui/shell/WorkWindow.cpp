#include "ui/shell/WorkWindow.h"

#include "core/Desktop.h"
#include "ui/shell/Centring.h"
#include "ui/shell/Memos.h"
#include "ui/shell/Messages.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QPointer>
#include <QPushButton>
#include <QShowEvent>

namespace {

QPointer<QWidget>& mainWindowRef()
{
    static QPointer<QWidget> value;
    return value;
}

QPointer<QWidget>& openedRef()
{
    static QPointer<QWidget> value;
    return value;
}

} // namespace

namespace windowprotocol {

void setMainWindow(QWidget* window) { mainWindowRef() = window; }
QWidget* mainWindow() { return mainWindowRef(); }

void openWorkWindow(QWidget* workWindow, const std::optional<QString>& caption)
{
    if (QWidget* main = mainWindow())
        main->setEnabled(false);
    if (caption)
        workWindow->setWindowTitle(*caption);
    openedRef() = workWindow;
    workWindow->show();
    workWindow->raise();
    workWindow->activateWindow();
}

void workWindowClosed()
{
    if (QWidget* main = mainWindow())
        main->setEnabled(true);
}

QWidget* openWindow()
{
    QWidget* window = openedRef();
    return window && window->isVisible() ? window : nullptr;
}

void bringOpenWindowForward()
{
    if (QWidget* window = openWindow()) {
        window->raise();
        window->activateWindow();
    }
}

} // namespace windowprotocol

TWorkForm::TWorkForm(const QString& instanceName, const QString& title, int clientWidth,
                     int clientHeight, Placement placement, QWidget* parent)
    : TWorkForm(instanceName, title, placement, parent)
{
    m_client->setFixedSize(clientWidth, clientHeight);
    setResizable(false);
}

TWorkForm::TWorkForm(const QString& instanceName, const QString& title, Placement placement,
                     QWidget* parent)
    : QMainWindow(parent), m_client(new QWidget(this)), m_placement(placement)
{
    setObjectName(instanceName);
    setWindowTitle(title);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);
    // A file that a window's command wrote and that no program could open is told when that is
    // known, after the command has returned, as the window tells its own failures.
    static const bool reportsOpenings = (desktop::setReport(&TWorkForm::report), true);
    Q_UNUSED(reportsOpenings)
}

void TWorkForm::setResizable(bool resizable)
{
    if (resizable) {
        m_client->setMinimumSize(0, 0);
        m_client->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        const QSize size = m_client->size();
        m_client->setFixedSize(size);
    }
    // A fixed window keeps the size of its client area and menu bar; the user cannot drag it.
    layout()->setSizeConstraint(resizable ? QLayout::SetDefaultConstraint : QLayout::SetFixedSize);
}

void TWorkForm::FormClose() { windowprotocol::workWindowClosed(); }

void TWorkForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept(); // hidden, not destroyed: the window has no WA_DeleteOnClose
}

void TWorkForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // Every opening by a command places the window afresh: the main window may have been moved
    // since the last one. A show by the window system (a restore) leaves it where it is.
    if (!event->spontaneous()) {
        place();
        FormShow();
        memos::tabMovesFocus(this); // also the boxes that FormShow may have built
        // Enter presses the focused button, as on the desktop these users come from (Qt's buttons
        // take Enter only where they may be a default button).
        for (QPushButton* button : findChildren<QPushButton*>())
            button->setAutoDefault(true);
    }
}

void TWorkForm::keyPressEvent(QKeyEvent* event)
{
    // Esc closes the window through its normal close protocol, as its exit command does.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TWorkForm::place()
{
    QWidget* main = windowprotocol::mainWindow();
    const bool onMain = m_placement == Placement::MainWindowCentre && main;
    centring::centreOn(this, onMain ? main->frameGeometry() : centring::screenArea());
}

void TWorkForm::report(const vedan::Failure& failure)
{
    if (failure.isInputFault())
        messages::show(failure.message);
    else
        messages::showError(failure.message);
}

bool TWorkForm::reportIfFailed(const std::optional<vedan::Failure>& failure)
{
    if (!failure)
        return true;
    report(*failure);
    return false;
}
