#pragma once
// The main window: the product picture board, the menu bar, the status bar with its clock.

#include <QMainWindow>

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

signals:
    // The main window was closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

extern TMainForm* MainForm;
