// Developer preview: the selection window alone, opened for the kind named on the command line,
// optionally with every unit chosen and a selection run, so that it can be looked at, and with
// the checks window open beside it (and every check expanded), the season window or the
// substation window (on a scheme named by its identifier, "valve-regulator").
// Usage: selection-preview [TITLE] [--run SERIES RANGE [INLET OUTLET SUPPLY RETURN LOAD
//        RESISTANCE]] [--checks [--expand]] [--season T] [--substation [SCHEME]]

#include "substation/Presentation.h"
#include "ui/selection/Gidroelevator.h"
#include "ui/shell/Messages.h"

#include <QAction>
#include <QLineEdit>
#include <QTreeWidget>

#include <QApplication>
#include <QComboBox>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString title = args.value(1, QStringLiteral("Регулирующий гидроэлеватор"));

    QWidget mainWindow; // stands in for the main window, never shown
    windowprotocol::setMainWindow(&mainWindow);
    SelectRtForm = new TSelectRtForm;
    windowprotocol::openWorkWindow(SelectRtForm, title);
    app.setQuitOnLastWindowClosed(true);

    // The season window's design outdoor temperature, before the run that it follows.
    if (const qsizetype season = args.indexOf(QStringLiteral("--season")); season > 0) {
        auto* outdoor = SelectRtForm->findChild<QLineEdit*>(QStringLiteral("OutdoorDesign"));
        outdoor->setText(args.value(season + 1, QStringLiteral("-25")));
    }
    if (args.value(2) == QStringLiteral("--run")) {
        messages::setHook([](const messages::Shown&) {});
        const auto pick = [](const char* name, int index) {
            SelectRtForm->findChild<QComboBox*>(QString::fromLatin1(name))->setCurrentIndex(index);
        };
        pick("ComboBox1", 1);
        pick("ComboBox2", 3);
        pick("ComboBox3", 3);
        pick("ComboBox4", 2);
        pick("ComboBox5", args.value(3, QStringLiteral("0")).toInt());
        pick("ComboBox6", args.value(4, QStringLiteral("0")).toInt());
        const char* const edits[] = {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6"};
        for (int i = 0; i < 6 && args.size() > 5 + i && !args[5 + i].startsWith(QLatin1Char('-'));
             ++i)
            SelectRtForm->findChild<QLineEdit*>(QString::fromLatin1(edits[i]))
                ->setText(args[5 + i]);
        SelectRtForm->Button1Click();
    }
    if (args.contains(QStringLiteral("--checks"))) {
        SelectRtForm->findChild<QAction*>(QStringLiteral("N6"))->trigger();
        if (args.contains(QStringLiteral("--expand")))
            SelectRtForm->findChild<QTreeWidget*>(QStringLiteral("ChecksTree"))->expandAll();
    }
    if (args.contains(QStringLiteral("--season")))
        SelectRtForm->findChild<QAction*>(QStringLiteral("N8"))->trigger();
    if (const qsizetype at = args.indexOf(QStringLiteral("--substation")); at > 0) {
        if (const std::optional<substation::Scheme> scheme =
                substation::schemeOfId(args.value(at + 1))) {
            auto* box = SelectRtForm->findChild<QComboBox*>(QStringLiteral("Scheme"));
            box->setCurrentText(substation::schemeTitle(*scheme));
        }
        SelectRtForm->findChild<QAction*>(QStringLiteral("N9"))->trigger();
    }
    const int status = app.exec();
    delete SelectRtForm;
    return status;
}
