#include "ui/shell/FileDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QStringList>
#include <QTreeView>

namespace {

filedialogs::Hook& hook()
{
    static filedialogs::Hook value;
    return value;
}

QString& lastFolder()
{
    static QString folder;
    return folder;
}

QString remembered(const QString& chosen)
{
    if (!chosen.isEmpty())
        lastFolder() = QFileInfo(chosen).absolutePath();
    return chosen;
}

// "Name|pattern|Name|pattern" into Qt's "Name (pattern);;Name (pattern)".
QString qtFilter(const QString& filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + QStringLiteral(" (") + parts[i + 1] + u')';
    return entries.join(QStringLiteral(";;"));
}

// Wide enough for the names and for every column of the detailed list in Russian.
constexpr int kDialogWidth = 760;
constexpr int kDialogHeight = 440;

// The detailed list gives its size, type and date columns the width of their contents; the name
// column takes the rest.
void showWholeColumns(QFileDialog& dialog)
{
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view)
        return;
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int column = 1; column < header->count(); ++column)
        header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}

} // namespace

namespace filedialogs {

QString startFolder()
{
    if (!lastFolder().isEmpty() && QFileInfo(lastFolder()).isDir())
        return lastFolder();
    return QDir::homePath();
}

QString choose(QWidget* parent, const Request& request)
{
    if (hook())
        return remembered(hook()(request));
    QFileDialog dialog(parent, QString(), startFolder());
    // Qt's own dialog, in Russian with the program; a desktop's dialog would keep settings of
    // its own.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setViewMode(QFileDialog::Detail);
    showWholeColumns(dialog);
    dialog.resize(dialog.size().expandedTo(QSize(kDialogWidth, kDialogHeight)));
    dialog.setNameFilter(qtFilter(request.filter));
    dialog.setDefaultSuffix(request.defaultExtension);
    if (request.mode == Mode::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return remembered(dialog.selectedFiles().front());
}

Hook setHook(Hook value)
{
    Hook previous = std::move(hook());
    hook() = std::move(value);
    return previous;
}

} // namespace filedialogs
