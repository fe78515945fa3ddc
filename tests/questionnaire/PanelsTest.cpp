// The panel tables hold together: unique object names across the window, every control placed
// on exactly one form line, every combo box opening with its prompt, captions told apart.
#include "questionnaire/Panels.h"
#include "questionnaire/Sheets.h"
#include "tests/support/QtPrinters.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace questionnaire;

TEST(QuestionnairePanels, EveryControlIsPlacedOnceUnderAUniqueName)
{
    QSet<QString> names;
    for (const PanelSpec& p : panels()) {
        SCOPED_TRACE(p.panelName.toStdString());
        QMap<QString, int> placed;
        for (const GroupSpec& g : p.groups)
            for (const FormLine& line : g.lines)
                for (const QString& name : line.controls)
                    ++placed[name];
        for (const ControlSpec& c : p.controls) {
            EXPECT_FALSE(names.contains(c.name)) << c.name.toStdString();
            names.insert(c.name);
            EXPECT_EQ(placed.value(c.name), 1) << c.name.toStdString();
            if (c.type == ControlType::Combo) {
                EXPECT_TRUE(c.items.value(0).startsWith("Выберите")) << c.name.toStdString();
                EXPECT_GE(c.items.size(), 2);
            }
        }
        EXPECT_EQ(placed.size(), p.controls.size())
            << "a form line names a control the panel lacks";
        EXPECT_EQ(kindForCaption(p.caption), p.kind);
    }
    EXPECT_EQ(kindForCaption(defaultCaption()), std::nullopt);
    EXPECT_EQ(kindForCaption("Опросный лист индивидуального теплового пункта"), std::nullopt);
}

// What each sheet reads exists on its own panel, with the kind of control it is read as.
TEST(QuestionnairePanels, SheetsReadOnlyTheirOwnPanel)
{
    for (const PanelSpec& p : panels()) {
        const SheetLayout& sheet = sheetLayout(p.kind);
        SCOPED_TRACE(sheet.sheetName.toStdString());
        auto expectType = [&](const QString& name, ControlType type) {
            const ControlSpec* c = p.control(name);
            ASSERT_NE(c, nullptr) << name.toStdString();
            EXPECT_EQ(c->type, type) << name.toStdString();
        };
        for (const SheetRow& row : sheet.rows) {
            for (const Source& s : {row.b, row.c}) {
                if (s.type == Source::Type::Item || s.type == Source::Type::ItemOrOther)
                    expectType(s.controls[0], ControlType::Combo);
                else if (s.given())
                    expectType(s.controls[0], ControlType::Edit);
                if (s.type == Source::Type::ItemOrOther || s.type == Source::Type::Joined)
                    expectType(s.controls.last(), ControlType::Edit);
            }
            if (!row.checkBox.isEmpty())
                expectType(row.checkBox, ControlType::Check);
        }
        expectType(sheet.memo, ControlType::Memo);
    }
}
