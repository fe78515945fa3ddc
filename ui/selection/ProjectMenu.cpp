#include "ui/selection/ProjectMenu.h"

#include "core/Guide.h"
#include "ui/shell/FileDialogs.h"
#include "ui/shell/Messages.h"
#include "ui/shell/WorkWindow.h"

#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <functional>

namespace selection {

namespace {

const QString kFilter = QStringLiteral("Проект|*.vedan|Все файлы|*.*");

QString withExtension(const QString& path)
{
    return path.endsWith(QLatin1String(project::kExtension), Qt::CaseInsensitive)
               ? path
               : path + QLatin1String(project::kExtension);
}

} // namespace

ProjectMenu::ProjectMenu(QMainWindow* window, QLabel* line, WindowEnds ends)
    : QObject(window), m_window(window), m_line(line), m_ends(std::move(ends))
{
    m_menu = new QMenu(QStringLiteral("&Файл"), window);
    m_menu->setObjectName(QStringLiteral("FileMenu"));
    // Each item under the name of its shortcut in the program's table of keys.
    const struct {
        const char* name;
        const char* text;
        std::function<void()> run;
    } items[] = {
        {"OpenProject", "Открыть проект…", [this] { open(); }},
        {"SaveProject", "Сохранить проект", [this] { save(); }},
        {"SaveProjectAs", "Сохранить проект как…", [this] { saveAs(); }},
    };
    for (const auto& item : items) {
        QAction* action = m_menu->addAction(QString::fromUtf8(item.text));
        action->setObjectName(QString::fromLatin1(item.name));
        action->setShortcut(QKeySequence(guide::keysOf(item.name)));
        action->setShortcutContext(Qt::WindowShortcut);
        m_window->addAction(action);
        connect(action, &QAction::triggered, this, item.run);
    }
    m_line->setObjectName(QStringLiteral("ProjectLine"));
    showLine();
}

void ProjectMenu::open()
{
    if (!maySetAside())
        return;
    const QString chosen =
        filedialogs::choose(m_window, {filedialogs::Mode::Open, kFilter, QStringLiteral("vedan")});
    if (!chosen.isEmpty())
        openFile(chosen);
}

bool ProjectMenu::openFile(const QString& path)
{
    const vedan::Outcome<project::Project> read = project::readProject(path);
    if (read.failure) {
        TWorkForm::report(*read.failure);
        return false;
    }
    adopt(path, read.value);
    return true;
}

void ProjectMenu::adopt(const QString& path, const project::Project& project)
{
    m_ends.show(project);
    m_last = project;
    m_path = path;
    m_modified = false;
    showLine();
}

bool ProjectMenu::save() { return m_path ? saveTo(*m_path) : saveAs(); }

bool ProjectMenu::saveAs()
{
    const QString chosen =
        filedialogs::choose(m_window, {filedialogs::Mode::Save, kFilter, QStringLiteral("vedan")});
    return !chosen.isEmpty() && saveTo(withExtension(chosen));
}

bool ProjectMenu::saveTo(const QString& path)
{
    project::Project p = m_ends.collect();
    p.document = m_last.document;
    if (p.object.isEmpty())
        p.object = m_last.object;
    if (p.note.isEmpty())
        p.note = m_last.note;
    if (const vedan::Status failure = project::writeProject(path, p, project::programVersion())) {
        TWorkForm::report(*failure);
        return false;
    }
    m_last = p;
    m_path = path;
    m_modified = false;
    showLine();
    return true;
}

void ProjectMenu::changed()
{
    if (m_modified)
        return;
    m_modified = true;
    showLine();
}

bool ProjectMenu::maySetAside()
{
    // Only a project the user opened or saved is asked about: a window never saved as a project
    // closes as it always has.
    if (!m_modified || !m_path)
        return true;
    switch (messages::askYesNoCancel(
        QStringLiteral("Сохранить изменения в проекте «%1»?").arg(QFileInfo(*m_path).fileName()))) {
    case messages::Answer::Yes: return save();
    case messages::Answer::No: return true;
    case messages::Answer::Cancel: break;
    }
    return false;
}

void ProjectMenu::showLine()
{
    if (!m_path) {
        m_line->clear();
        m_line->setToolTip(QString());
        return;
    }
    m_line->setText(
        QStringLiteral("Проект: %1%2")
            .arg(QFileInfo(*m_path).fileName(), m_modified ? QStringLiteral(" *") : QString()));
    m_line->setToolTip(*m_path);
}

} // namespace selection
