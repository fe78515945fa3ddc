// vedan-cli: sizing, assessment, templates and questionnaires from the command line, through
// the same library code as the windows.

#include "tools/vedan-cli/CliIo.h"
#include "tools/vedan-cli/Commands.h"

#include <QCoreApplication>
#include <QStringList>
#include <functional>
#include <map>

int main(int argc, char** argv)
{
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
