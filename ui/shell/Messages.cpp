#include "ui/shell/Messages.h"

#include "core/PlantInfo.h"

#include <QApplication>
#include <QMessageBox>

namespace {

messages::Hook& hook()
{
    static messages::Hook value;
    return value;
}

void present(const messages::Shown& shown)
{
    if (hook()) {
        hook()(shown);
        return;
    }
    QMessageBox box(shown.kind == messages::Kind::Error ? QMessageBox::Critical
                                                        : QMessageBox::NoIcon,
                    shown.title, shown.text, QMessageBox::Ok);
    // A message may name a file the user has to find: its text can be selected and copied.
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

} // namespace

namespace messages {

void show(const QString& text, const QString& title)
{
    present({text, title.isNull() ? plant::programTitle() : title, Kind::Plain});
}

void showError(const QString& text) { present({text, plant::programTitle(), Kind::Error}); }

void showError(const std::exception& error) { showError(QString::fromUtf8(error.what())); }

Hook setHook(Hook value)
{
    Hook previous = std::move(hook());
    hook() = std::move(value);
    return previous;
}

} // namespace messages
