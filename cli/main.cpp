// vedan-cli: sizing, assessment, templates and questionnaires from the command line, through
// the same library code as the windows.

#include "cli/CliIo.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"
#include "core/Staging.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Without a session's runtime folder Qt's graphical start-up warns on standard error; the
// command-line tool needs none, and its standard error belongs to the program's messages.
void quietStart(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    qt_message_output(type, context, message);
}

// The calculation sheet is drawn with Qt's PDF writer, which needs the graphical subsystem;
// it runs on the offscreen platform, so no display is needed.
std::unique_ptr<QCoreApplication> makeApplication(int& argc, char** argv)
{
    bool pdf = false;
    for (int i = 1; i < argc; ++i)
        pdf = pdf || QByteArray(argv[i]) == "--pdf" || QByteArray(argv[i]).startsWith("--pdf=");
    if (!pdf)
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietStart);
    return std::make_unique<QGuiApplication>(argc, argv);
}

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

// The option whose value the argument at `i` is ("--object X" or "--object=X"), or empty.
QString optionOfValue(int i, char** argv)
{
    const QByteArray argument(argv[i]);
    if (argument.startsWith("--") && argument.contains('='))
        return QString::fromLatin1(argument.left(argument.indexOf('=')));
    const QByteArray before = i > 1 ? QByteArray(argv[i - 1]) : QByteArray();
    if (before.startsWith("--") && !before.contains('='))
        return QString::fromLatin1(before);
    return {};
}

// File names reach the libraries as texts: a name that is not UTF-8 would be opened or written
// under another name, so it is refused before anything is read or written; so is a text option
// (--object) that is not UTF-8, with a message of its own.
bool argumentsAreUtf8(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        if (QString::fromUtf8(bytes).toUtf8() == bytes)
            continue;
        const QString option = optionOfValue(i, argv);
        if (!option.isEmpty() && !cli::takesFile(option))
            cli::err(QStringLiteral("Значение «%1» параметра %2 не в кодировке UTF-8: введите "
                                    "текст в кодировке UTF-8")
                         .arg(shownBytes(bytes), option));
        else
            cli::err(QStringLiteral("Имя «%1» не в кодировке UTF-8: такие имена файлов не "
                                    "поддерживаются, переименуйте файл")
                         .arg(shownBytes(bytes)));
        return false;
    }
    return true;
}

// A standard stream that the caller closed is held by a descriptor on which every write fails,
// so that no file the tool opens takes its number and receives what was meant for the stream.
void holdClosedStandardStreams()
{
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int held = ::open("/dev/null", fd == STDIN_FILENO ? O_WRONLY : O_RDONLY);
        if (held >= 0 && held != fd) {
            ::dup2(held, fd);
            ::close(held);
        }
    }
}

int runTool(int argc, char** argv);

} // namespace

int main(int argc, char** argv)
{
    holdClosedStandardStreams();
    staging::removeOnTerminatingSignals();
    // Past the file-size limit (ulimit -f) a write then fails with EFBIG and goes through the
    // failure path (message, status 1, the old file kept, the staging folder removed) instead
    // of the signal ending the tool half-way.
    std::signal(SIGXFSZ, SIG_IGN);
    // What was printed must have reached standard output: a full disk, a closed output or a
    // broken device is an error, as in the GNU tools, never a quiet success.
    return cli::checkedOutput(runTool(argc, argv));
}

namespace {

int runTool(int argc, char** argv)
{
    if (!argumentsAreUtf8(argc, argv))
        return 1;
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();

    static const std::map<QString, std::function<int(const QStringList&)>> commands = {
        {QStringLiteral("size"), cli::runSize},
        {QStringLiteral("season"), cli::runSeason},
        {QStringLiteral("assess"), cli::runAssess},
        {QStringLiteral("template"), cli::runTemplate},
        {QStringLiteral("questionnaire"), cli::runQuestionnaire},
        {QStringLiteral("substation"), cli::runSubstation},
        {QStringLiteral("project"), cli::runProject},
    };
    // The tool's own options come before the command word; what follows it is the command's.
    const qsizetype word = [&args] {
        for (qsizetype i = 0; i < args.size(); ++i)
            if (!args[i].startsWith(QLatin1Char('-')))
                return i;
        return args.size();
    }();
    QCommandLineParser parser;
    if (const std::optional<int> status =
            cli::parseCommand(parser, cli::toolSpec(), args.mid(0, word)))
        return *status;
    if (parser.isSet(QStringLiteral("version"))) {
        cli::out(cli::versionText());
        return 0;
    }
    if (word == args.size())
        return cli::usage(word == 0 ? QString() : QStringLiteral("не указана команда"));
    const auto command = commands.find(args[word]);
    if (command == commands.end())
        return cli::usage(QStringLiteral("неизвестная команда «%1»").arg(args[word]));
    // A command that takes --project reads it first, as the options it stands for.
    for (const cli::CommandSpec* spec : cli::commandSpecs()) {
        if (spec->name != args[word])
            continue;
        const vedan::Outcome<QStringList> expanded = cli::withProject(*spec, args.mid(word + 1));
        if (expanded.failure)
            return expanded.failure->isInputFault() ? cli::usage(expanded.failure->message)
                                                    : (cli::failed(expanded.failure), 1);
        return command->second(expanded.value);
    }
    return command->second(args.mid(word + 1));
}

} // namespace
