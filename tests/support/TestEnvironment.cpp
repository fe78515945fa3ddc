#include "tests/support/TestEnvironment.h"

#include "sheet/Opener.h"
#include "tests/support/SheetCalls.h"

#include <QtGlobal>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Variable {
    const char* name;
    const char* value;
    bool keepGiven; // a value that the caller of the test run gave is kept
};

// Generated from the one list in tests/CMakeLists.txt.
constexpr Variable variables[] = {
#include "TestEnvironment.inc"
};

QStringList& opened()
{
    static QStringList files;
    return files;
}

// The locale of the run, as the program takes it at start (the application object calls
// setlocale too): "C", or the users' ru_RU.UTF-8, which must then really be in force. A machine
// without it fails every test of the run instead of quietly testing the C locale again.
void pinLocale()
{
    const char* wanted = std::getenv("VEDAN_TEST_LOCALE");
    const char* name = wanted && *wanted ? wanted : "C";
    setenv("LC_ALL", name, 1);
    setenv("LANG", name, 1);
    unsetenv("LANGUAGE");
    const bool set = std::setlocale(LC_ALL, "") != nullptr;
    if (std::strcmp(name, "C") == 0)
        return;
    const lconv* conventions = std::localeconv();
    if (!set || std::strcmp(conventions->decimal_point, ",") != 0) {
        std::fprintf(stderr,
                     "The locale %s is not in force (decimal point \"%s\"); generate it with "
                     "tools/install-deps (locale-gen).\n",
                     name, set ? conventions->decimal_point : "?");
        std::_Exit(1);
    }
}

} // namespace

namespace testenv {

void pinEnvironment()
{
    for (const Variable& v : variables)
        setenv(v.name, v.value, v.keepGiven ? 0 : 1);
    pinLocale();
    sheet::replaceSystemOpener(
        [](const QString& file, const desktop::Failed&) { opened() << file; });
    sheettest::startRecording();
}

QStringList openedByStandIn() { return opened(); }

bool underUsersLocale() { return std::strcmp(std::localeconv()->decimal_point, ",") == 0; }

} // namespace testenv

// Before main, so that even the application object of a Qt Test program sees it.
static void pinBeforeMain() { testenv::pinEnvironment(); }
Q_CONSTRUCTOR_FUNCTION(pinBeforeMain)
