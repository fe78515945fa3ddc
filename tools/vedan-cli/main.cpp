// vedan-cli: sizing, assessment, templates and questionnaires from the command line, through
// the same library code as the windows.

#include "tools/vedan-cli/CliIo.h"
#include "tools/vedan-cli/Commands.h"

#include <QCoreApplication>
#include <QStringList>
#include <functional>
#include <map>

namespace {

// An argument's bytes with those that are not UTF-8 shown as \xHH.
QString shownBytes(const QByteArray& bytes)
{
    QString shown;
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        shown += b >= 0x20 && b < 0x7F ? QString(QChar(b))
                                       : QStringLiteral("\\x%1").arg(b, 2, 16, QChar('0'));
    }
    return shown;
}

// File names reach the libraries as texts: a name that is not UTF-8 would be opened or written
// under another name, so it is refused before anything is read or written.
bool argumentsAreUtf8(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        if (QString::fromUtf8(bytes).toUtf8() != bytes) {
            cli::err(QStringLiteral("Имя «%1» не в кодировке UTF-8: такие имена файлов не "
                                    "поддерживаются, переименуйте файл")
                         .arg(shownBytes(bytes)));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (!argumentsAreUtf8(argc, argv))
        return 1;
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args.isEmpty())
        return cli::usage();

    static const std::map<QString, std::function<int(const QStringList&)>> commands = {
        {QStringLiteral("size"), runSize},
        {QStringLiteral("assess"), runAssess},
        {QStringLiteral("template"), runTemplate},
        {QStringLiteral("questionnaire"), runQuestionnaire},
    };
    const auto command = commands.find(args.front());
    if (command == commands.end())
        return cli::usage();
    args.removeFirst();
    return command->second(args);
}
