#pragma once
// The menu "Файл" of the selection window: a project (project/Project.h) opened, saved and saved
// under another name, the project's name with a mark for unsaved changes in a line of the window,
// and the question before a project with unsaved changes is set aside. The window gives the two
// ends: its inputs as a project, and a project's inputs put in its boxes. Files are chosen in the
// program's file dialogs and saved by its safe save; a project that cannot be read changes
// nothing in the window. Depends on Qt Widgets, the project library and the shell.

#include "project/Project.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QLabel;
class QMainWindow;
class QMenu;

namespace selection {

class ProjectMenu : public QObject {
    Q_OBJECT
public:
    struct WindowEnds {
        std::function<project::Project()> collect;         // the window's inputs
        std::function<void(const project::Project&)> show; // a project's inputs into the window
    };
    ProjectMenu(QMainWindow* window, QLabel* line, WindowEnds ends);

    QMenu* menu() const { return m_menu; }

    void open();   // "Открыть проект…"
    bool save();   // "Сохранить проект"; false when nothing was saved
    bool saveAs(); // "Сохранить проект как…"
    // Opens the file without a dialog; false, with the message shown, when it cannot be read.
    bool openFile(const QString& path);
    // The project read from the file at `path` is the window's now: its inputs are shown.
    void adopt(const QString& path, const project::Project& project);

    // The window's inputs were changed by the user.
    void changed();
    // Whether the project may be set aside (the window closed, another project opened): without
    // unsaved changes at once, otherwise as the user answers "Сохранить изменения в проекте
    // «…»?" — "Да" saves first, "Отмена" keeps it.
    bool maySetAside();

    bool isModified() const { return m_modified; }
    std::optional<QString> path() const { return m_path; }

private:
    bool saveTo(const QString& path);
    void showLine();

    QMainWindow* m_window;
    QLabel* m_line;
    WindowEnds m_ends;
    QMenu* m_menu;
    std::optional<QString> m_path; // of the project opened or saved last
    project::Project m_last;       // as read or written: the keys this version does not know
    bool m_modified = false;
};

} // namespace selection
