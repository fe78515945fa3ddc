#pragma once
// The main window: the product picture board, the menu bar, the status bar with its clock.
// Its commands open the work windows under the window protocol (disable the main window, set the
// work window's title where the command has one, show it modeless) or show the about message.
// Closing it ends the program. The picture board is laid out by the Designer form
// resources/forms/MainForm.ui (the pictures and captions, named Image1.., Label1..); the menu
// tree and the status bar are built here from their tables.
// Depends on Qt Widgets, its form, core, the shell and the windows of every subsystem.

#include "ui_MainForm.h"

#include <QMainWindow>
#include <QString>
#include <array>
#include <optional>

class QLabel;
class QMenu;
class QTimer;
class QShowEvent;

class TMainForm : public QMainWindow, private Ui::MainFormBoard {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* parent = nullptr);

    // The full text of a status-bar panel (0 clock, 1 date, 2 slogan, 3 web site).
    QString panelText(int index) const;

    // Handlers. Equipment selection: pictures and their menu twins.
    void Image5Click();
    void N12Click();
    void Image1Click();
    void N13Click();
    void Image4Click();
    void N14Click();
    void N27Click();
    void Image10Click();
    // Questionnaires.
    void N35Click();
    void N36Click();
    void N2Click();
    // Techno-economic assessment.
    void N44Click();
    // Help: contacts, plant information, about, the user's guide.
    void N10Click();
    void N5Click();
    void N11Click();
    void NGuideClick();
    // File: exit.
    void N9Click();

    void Timer1Timer();

signals:
    // The main window was closed: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void buildMenu();
    void showPictures();
    void fitCaptions(QWidget* board);
    void buildStatusBar();
    void setPanelText(int index, const QString& text);

    QTimer* Timer1 = nullptr;
    std::array<QLabel*, 4> m_panels{};
    bool m_placed = false;
};

extern TMainForm* MainForm;
