#include "shell/FileDialogs.h"

#include <QFileDialog>
#include <QStringList>

namespace {

FileDialogs::Hook& hook()
{
    static FileDialogs::Hook value;
    return value;
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

} // namespace

namespace FileDialogs {

QString choose(QWidget* parent, const Request& request)
{
    if (hook())
        return hook()(request);
    QFileDialog dialog(parent);
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
    return dialog.selectedFiles().front();
}

Hook setHook(Hook value)
{
    Hook previous = std::move(hook());
    hook() = std::move(value);
    return previous;
}

} // namespace FileDialogs
