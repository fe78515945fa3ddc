#include "tests/support/TestEnvironment.h"

#include "sheet/XLApp.h"

#include <QtGlobal>
#include <cstdlib>

using sheet::XLApp;

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

} // namespace

namespace testenv {

void pinEnvironment()
{
    for (const Variable& v : variables)
        setenv(v.name, v.value, v.keepGiven ? 0 : 1);
    XLApp::replaceSystemOpener([](const QString& file) {
        opened() << file;
        return true;
    });
    XLApp::setRecordingByDefault(true);
}

QStringList openedByStandIn() { return opened(); }

} // namespace testenv

// Before main, so that even the application object of a Qt Test program sees it.
static void pinBeforeMain() { testenv::pinEnvironment(); }
Q_CONSTRUCTOR_FUNCTION(pinBeforeMain)
