// Starting the program where no window can be shown: a word to the user and status 1 instead of
// Qt's platform plugin error; where a display-less platform is asked for, the program starts.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include "tests/support/QtPrinters.h"
#include "tests/support/ReadyNotice.h"

namespace {

struct Case {
    const char* what;
    QStringList environment; // NAME=VALUE added to an environment without any display
    QStringList arguments;
    bool refused;
};

QProcessEnvironment withoutDisplay(const QStringList& additions)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    for (const QString& pair : additions)
        env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
    return env;
}

} // namespace

TEST(Start, WithoutADisplayTheProgramSaysSoOrStartsOnADisplayLessPlatform)
{
    const Case cases[] = {
        {"nothing names a display", {}, {}, true},
        {"empty display variables", {"DISPLAY=", "WAYLAND_DISPLAY="}, {}, true},
        {"xcb asked for without DISPLAY", {"QT_QPA_PLATFORM=xcb"}, {}, true},
        {"wayland asked for without WAYLAND_DISPLAY", {"QT_QPA_PLATFORM=wayland"}, {}, true},
        {"xcb on the command line", {}, {"-platform", "xcb"}, true},
        {"the command line wins over the environment",
         {"QT_QPA_PLATFORM=offscreen"},
         {"--platform", "xcb"},
         true},
        {"offscreen", {"QT_QPA_PLATFORM=offscreen"}, {}, false},
        {"offscreen on the command line", {}, {"-platform", "offscreen"}, false},
        {"offscreen with its options",
         {"QT_QPA_PLATFORM=offscreen:fontengine=freetype"},
         {},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QProcess vedan;
        const ReadyNotice ready;
        vedan.setProcessEnvironment(
            withoutDisplay(c.environment + QStringList{ready.environmentEntry()}));
        vedan.start(QStringLiteral(VEDAN_APP_PATH), c.arguments);
        ASSERT_TRUE(vedan.waitForStarted(10000));
        if (c.refused) {
            ASSERT_TRUE(vedan.waitForFinished(20000));
            const QString err = QString::fromUtf8(vedan.readAllStandardError());
            EXPECT_EQ(vedan.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(vedan.exitCode(), 1);
            EXPECT_TRUE(err.contains(QStringLiteral("графический сеанс"))) << err.toStdString();
            EXPECT_TRUE(err.contains(QStringLiteral("vedan-cli"))) << err.toStdString();
            EXPECT_FALSE(err.contains(QStringLiteral("qt.qpa"))) << err.toStdString();
        } else {
            // The program reports its event loop running: the main window is open on the
            // asked-for platform.
            EXPECT_TRUE(ready.waitReady(30000)) << vedan.readAllStandardError().toStdString();
            EXPECT_EQ(vedan.state(), QProcess::Running);
            vedan.kill();
            vedan.waitForFinished(10000);
        }
    }
}
