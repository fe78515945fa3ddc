// The general error report: an error that no handler catches is shown with its own text, and
// the event loop goes on.

#include "shell/Messages.h"
#include "shell/VedanApplication.h"
#include "tests/support/QtPrinters.h"

#include <QEvent>
#include <QTimer>
#include <gtest/gtest.h>

#include <stdexcept>

using shell::VedanApplication;

namespace {

class Failing : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("Файл недоступен");
        return QObject::event(e);
    }
};

TEST(VedanApplication, UncaughtErrorIsReportedAndTheLoopGoesOn)
{
    int argc = 1;
    char name[] = "vedan";
    char* argv[] = {name, nullptr};
    VedanApplication app(argc, argv);

    QStringList shown;
    Messages::setHook([&](const Messages::Shown& s) { shown << s.text; });
    Failing failing;
    bool ranAfter = false;
    QTimer::singleShot(0, [&] { QCoreApplication::postEvent(&failing, new QEvent(QEvent::User)); });
    QTimer::singleShot(20, [&] {
        ranAfter = true;
        app.quit();
    });
    app.exec();
    Messages::setHook({});

    EXPECT_EQ(shown, QStringList{QStringLiteral("Файл недоступен")});
    EXPECT_TRUE(ranAfter);
}

} // namespace
