#pragma once
// The protocol of the work windows. A command of the main window disables the main window,
// sets the work window's title where it has one, and shows the work window modeless; the work
// window's FormClose, run however it is closed, enables the main window again. A work window is
// hidden by a close, never destroyed, so what the user typed stays in it.
// Depends on Qt Widgets, core and the rest of the shell.

#include "core/Failure.h"

#include <QMainWindow>
#include <optional>

class QCloseEvent;
class QShowEvent;

namespace windowprotocol {

// The application's main window, whose enabled state is the protocol's single flag.
void setMainWindow(QWidget* mainWindow);
QWidget* mainWindow();

// Disable the main window, set the title (when given), show the work window.
void openWorkWindow(QWidget* workWindow, const std::optional<QString>& caption = std::nullopt);

// Enable the main window again.
void workWindowClosed();

// The work window a command opened and that is still shown, or null.
QWidget* openWindow();
// Raises and activates that window (the disabled main window passes the user on to it).
void bringOpenWindowForward();

} // namespace windowprotocol

// Base of every work window: a fixed client area of the given size under an optional menu bar,
// a title bar with the close box only, and FormShow/FormClose handlers.
class TWorkForm : public QMainWindow {
    Q_OBJECT
public:
    enum class Placement { ScreenCentre, MainWindowCentre };

    TWorkForm(const QString& instanceName, const QString& title, int clientWidth, int clientHeight,
              Placement placement, QWidget* parent = nullptr);
    // A window whose client area is laid out by a Designer form: the window sets the form up on
    // client() and then fixes the client area at the form's size with setResizable.
    TWorkForm(const QString& instanceName, const QString& title, Placement placement,
              QWidget* parent = nullptr);

    // The client area: controls are placed on it at their positions.
    QWidget* client() const { return m_client; }

    // The one place where a window tells the user that an action failed: a plain message box
    // for input the user can mend, the general error report for everything else. A written file
    // that no program could open is told here too, once that is known (core/Desktop.h).
    static void report(const vedan::Failure& failure);
    // Reports the failure, if there is one; true when there was none.
    static bool reportIfFailed(const std::optional<vedan::Failure>& failure);

protected:
    // Runs however the window is closed; the default enables the main window again.
    virtual void FormClose();
    // Runs each time the window is shown.
    virtual void FormShow() {}

    // Whether the user may resize the window (the contacts window may). A fixed window keeps
    // the client area at its present size.
    void setResizable(bool resizable);

    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void place();

    QWidget* m_client;
    Placement m_placement;
};
