#pragma once
// The commands and options of vedan-cli as data: what QCommandLineParser is given, and the
// Russian help and usage texts written from the same table. Depends on Qt Core only.

#include "core/Failure.h"

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace cli {

struct OptionSpec {
    QStringList names;   // without dashes; a one-letter name is a short option
    QString valueName;   // empty: a switch
    QString description; // Russian
};

struct CommandSpec {
    QString name;     // "size"; empty for the tool itself
    QString synopsis; // after "vedan-cli ", one or more lines
    QString summary;  // one Russian sentence
    std::vector<OptionSpec> options;
    QString brief = {}; // the command's line in the tool's list of commands
};

// Every command, in the order of the tool's help and usage.
const std::vector<const CommandSpec*>& commandSpecs();
// Whether the option ("--out") takes a file name: its value is named ФАЙЛ in some command.
bool takesFile(const QString& option);

const CommandSpec& toolSpec();
const CommandSpec& sizeSpec();
const CommandSpec& seasonSpec();
const CommandSpec& substationSpec();
const CommandSpec& assessSpec();
const CommandSpec& templateSpec();
const CommandSpec& questionnaireSpec();
const CommandSpec& projectSpec();

// The arguments of a command that takes --project FILE, with the project's fields added as the
// options the command knows and does not give, and the project's kind (or scheme) where the
// arguments name none. Other arguments come back as they are. The failure of a project that
// cannot be read names the file.
vedan::Outcome<QStringList> withProject(const CommandSpec& spec, const QStringList& args);

// Where the user's guide is once installed: ".../share/vedan/guide/index.html".
QString guideIndex();

// "-h, --help" or "--inlet ТЕКСТ": the option's names with their dashes and its value's name.
QString optionTitle(const OptionSpec& option);
// The synopsis lines: each usage begins "vedan-cli ", continuation lines are indented.
QStringList synopsisLines(const CommandSpec& spec, const QString& indent);

// "vedan-cli 2.03"
QString versionText();
// The help of a command (or of the tool), for standard output.
QString helpText(const CommandSpec& spec);
// The short usage of every command, for standard error after a wrong option.
QString usageText();

// Parses the arguments after the command word. Returns the exit status when the command ends
// here: 0 after printing the help (-h, --help), 2 after a wrong option (usage printed).
// Option values are taken as they come, so "--resistance -1" gives -1.
std::optional<int> parseCommand(QCommandLineParser& parser, const CommandSpec& spec,
                                const QStringList& args);

// The value of an option that may be given at most once; nullopt when it is repeated.
std::optional<QString> single(const QCommandLineParser& parser, const QString& name);

// A number option and where its value goes: left as it is when the option is not given.
struct NumberOption {
    const char* name;
    std::optional<double>* target;
};

// Reads each number option, with a comma or a point; the usage problem of the first that is
// repeated or not a number, if any.
std::optional<QString> readNumbers(const QCommandLineParser& parser,
                                   std::initializer_list<NumberOption> options);

} // namespace cli
