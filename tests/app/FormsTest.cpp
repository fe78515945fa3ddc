// The window forms as a developer edits them in Qt Designer: every control keeps a name of this
// program's kind (Edit1, ComboBox2, ...), by which the windows and their tests find it; the tab
// order names only controls of the form; and no form carries a font, since the windows' fonts
// are set in pixels by ui/shell/UiFonts and a form's fonts (in points) would override them.

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>
#include <gtest/gtest.h>

namespace {

struct Form {
    QStringList widgets;
    QStringList tabStops;
    QStringList fontsOn; // widgets with a font property
};

Form readForm(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    Form form;
    QStringList open; // the widgets being read, innermost last
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == u"widget")
            open << xml.attributes().value(QLatin1String("name")).toString();
        else if (xml.isEndElement() && xml.name() == u"widget")
            form.widgets << open.takeLast();
        else if (xml.isStartElement() && xml.name() == u"tabstop")
            form.tabStops << xml.readElementText();
        else if (xml.isStartElement() && xml.name() == u"property"
                 && xml.attributes().value(QLatin1String("name")) == u"font" && !open.isEmpty())
            form.fontsOn << open.last();
    }
    EXPECT_FALSE(xml.hasError()) << path.toStdString() << ": " << xml.errorString().toStdString();
    return form;
}

struct FormCase {
    const char* file;
    const char* root;
    int tabStops;
};

class FormsTest : public testing::TestWithParam<FormCase> {};

TEST_P(FormsTest, NamesTabOrderAndNoFonts)
{
    const FormCase c = GetParam();
    const Form form = readForm(
        (qEnvironmentVariable("VEDAN_TESTS_DIR") + QStringLiteral("/../resources/forms/%1"))
            .arg(QString::fromLatin1(c.file)));
    ASSERT_FALSE(form.widgets.isEmpty());
    EXPECT_EQ(form.widgets.last(), QString::fromLatin1(c.root)) << "the form's own widget";
    const QRegularExpression controlName(QStringLiteral("^[A-Z][A-Za-z]*[0-9]+$"));
    QSet<QString> seen;
    for (const QString& name : form.widgets.mid(0, form.widgets.size() - 1)) {
        EXPECT_TRUE(controlName.match(name).hasMatch()) << c.file << ": " << name.toStdString();
        EXPECT_FALSE(seen.contains(name)) << c.file << ": " << name.toStdString();
        seen.insert(name);
    }
    EXPECT_EQ(form.tabStops.size(), c.tabStops) << c.file;
    for (const QString& stop : form.tabStops)
        EXPECT_TRUE(seen.contains(stop)) << c.file << ": " << stop.toStdString();
    EXPECT_TRUE(form.fontsOn.isEmpty()) << c.file << ": " << form.fontsOn.join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Windows, FormsTest,
                         testing::Values(FormCase{"MainForm.ui", "board", 0},
                                         FormCase{"SelectRtForm.ui", "client", 20},
                                         FormCase{"TexOb.ui", "client", 0},
                                         FormCase{"Kontakt.ui", "client", 0},
                                         FormCase{"InfoForm.ui", "client", 0}),
                         [](const testing::TestParamInfo<FormCase>& info) {
                             const std::string file = info.param.file;
                             return file.substr(0, file.find('.'));
                         });

} // namespace
