#include "ui/shell/Messages.h"

#include "core/PlantInfo.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

messages::Hook& hook()
{
    static messages::Hook value;
    return value;
}

messages::QuestionHook& questionHook()
{
    static messages::QuestionHook value;
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

Answer askYesNoCancel(const QString& text)
{
    const Shown shown{text, plant::programTitle(), Kind::Plain};
    if (questionHook())
        return questionHook()(shown);
    QMessageBox box(QMessageBox::Question, shown.title, shown.text, QMessageBox::NoButton);
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == yes)
        return Answer::Yes;
    return box.clickedButton() == no ? Answer::No : Answer::Cancel;
}

QuestionHook setQuestionHook(QuestionHook value)
{
    QuestionHook previous = std::move(questionHook());
    questionHook() = std::move(value);
    return previous;
}

Hook setHook(Hook value)
{
    Hook previous = std::move(hook());
    hook() = std::move(value);
    return previous;
}

} // namespace messages
