#include "WorkWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>

namespace {

QPointer<QWidget>& mainWindowRef()
{
    static QPointer<QWidget> value;
    return value;
}

} // namespace

namespace WindowProtocol {

void setMainWindow(QWidget* window) { mainWindowRef() = window; }
QWidget* mainWindow() { return mainWindowRef(); }

void openWorkWindow(QWidget* workWindow, const std::optional<QString>& caption)
{
    if (QWidget* main = mainWindow())
        main->setEnabled(false);
    if (caption)
        workWindow->setWindowTitle(*caption);
    workWindow->show();
    workWindow->raise();
    workWindow->activateWindow();
}

void workWindowClosed()
{
    if (QWidget* main = mainWindow())
        main->setEnabled(true);
}

} // namespace WindowProtocol

TWorkForm::TWorkForm(const QString& instanceName, const QString& title, int clientWidth,
                     int clientHeight, Placement placement, QWidget* parent)
    : QMainWindow(parent), m_client(new QWidget(this)), m_placement(placement)
{
    setObjectName(instanceName);
    setWindowTitle(title);
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setFixedSize(clientWidth, clientHeight);
    setCentralWidget(m_client);
    setResizable(false);
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

void TWorkForm::FormClose()
{
    WindowProtocol::workWindowClosed();
}

void TWorkForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept(); // hidden, not destroyed: the window has no WA_DeleteOnClose
}

void TWorkForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_placed) {
        place();
        m_placed = true;
    }
    if (!event->spontaneous())
        FormShow();
}

void TWorkForm::place()
{
    QRect area;
    QWidget* main = WindowProtocol::mainWindow();
    if (m_placement == Placement::MainWindowCentre && main)
        area = main->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid())
        move(area.center() - QPoint(width() / 2, height() / 2));
}
