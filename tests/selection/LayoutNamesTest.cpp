// The names of the window layouts' controls (Edit1, comboBox5, Memo2 …) stay in the windows and
// in the one edge that reads a window's boxes (selection/FormInput): the libraries and the
// command-line tool speak of what a value is, never of the box it was typed in. The
// questionnaire's library is left out: its controls are made from its tables, by name.

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

QString sourceRoot() { return qEnvironmentVariable("VEDAN_TESTS_DIR") + QStringLiteral("/.."); }

} // namespace

TEST(LayoutNames, OnlyTheWindowsAndTheFormEdgeNameControls)
{
    static const QRegularExpression control(
        QStringLiteral("\\b(edit|combobox|memo|button|bitbtn|label|image|timer)[0-9]+\\b"),
        QRegularExpression::CaseInsensitiveOption);
    const QStringList folders = {"core",   "sheet",  "water",     "selection", "assessment",
                                 "checks", "season", "calcsheet", "cli"};
    const QStringList allowed = {"selection/FormInput.h", "selection/FormInput.cpp"};
    int files = 0;
    for (const QString& folder : folders) {
        QDirIterator it(sourceRoot() + QLatin1Char('/') + folder, {"*.h", "*.cpp"}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString relative = path.mid(sourceRoot().size() + 1);
            if (allowed.contains(relative))
                continue;
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
            ++files;
            const QString text = QString::fromUtf8(file.readAll());
            const QRegularExpressionMatch found = control.match(text);
            EXPECT_FALSE(found.hasMatch())
                << relative.toStdString() << " names the control " << found.captured().toStdString()
                << " at line " << text.left(found.capturedStart()).count(QLatin1Char('\n')) + 1;
        }
    }
    EXPECT_GT(files, 50); // the tree was found
}
