#pragma once
// The seam for file open and save dialogs: a test answers them with a file name (or an empty
// text for a cancel) instead of a modal dialog. Depends on Qt Widgets only.

#include <QString>
#include <functional>

class QWidget;

namespace filedialogs {

enum class Mode { Open, Save };

struct Request {
    Mode mode;
    QString filter; // "Файл ТЭО|*.teo|Все файлы|*.*" style, as the window gives it
    QString defaultExtension; // "teo"
};

using Hook = std::function<QString(const Request&)>;

// Returns the chosen file, or an empty text when the user cancels. A save dialog does not ask
// before replacing a file. The dialog starts in startFolder(); a chosen file's folder becomes
// the start of the next dialog, whether a test's hook or the user answered.
QString choose(QWidget* parent, const Request& request);

// The folder the next dialog starts in: the folder of the file last chosen in this session if
// it still exists, otherwise the home folder.
QString startFolder();

Hook setHook(Hook value);

} // namespace filedialogs
