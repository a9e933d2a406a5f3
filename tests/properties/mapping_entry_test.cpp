#include "properties/mapping_entry.h"
#include "sheet_fixture.h"
#include "support/fake_main_window.h"
#include "support/scripted_ui.h"

namespace {

const QString undefinedQuestion =
    "This attribute is currently undefined\r\n\r\nTo write XSL code for it, click OK.\r\n\r\n"
    "To map XML to it, click Cancel and drag and drop XML to it";

class MappingEntry : public SheetTest {
protected:
    MappingEntry()
    {
        table.addColumn("c1", "Text", "/r/v");
        table.addColumn("link", "Web Link", "/r/a");
        table.set("XSL Calculated-link@href", "True");
        table.addColumn("img", "Image");
    }
    FakeMainWindow main;
    ScopedScriptedUi ui;
};

} // namespace

TEST_F(MappingEntry, FromAColumnToItsRequiredAttributesEditor)
{
    struct Case {
        const char *column;
        const char *attribute;
        const char *row;
    };
    const Case cases[] = {{"c1", "c1-value", "Xpath"}, {"link", "link-href", "XSL Code"}};
    for (const Case &c : cases) {
        select(c.column);
        windows.calls.clear();
        editMapping();
        EXPECT_EQ(doc().selectedNodeKey, c.attribute);
        EXPECT_EQ(sheet().currentElement, c.attribute);
        EXPECT_EQ(windows.calls.last(), QString("allProp.button ") + c.row) << c.column;
    }
    EXPECT_TRUE(main.isWindowVisible(0, SlotWindow::Prop));
    EXPECT_TRUE(ui->questions.isEmpty());
}

TEST_F(MappingEntry, AnUndefinedAttributeAsksFirst)
{
    select("img-src");
    ui->answers = {UiServices::Answer::Cancel};
    windows.calls.clear();
    editMapping();
    EXPECT_EQ(ui->questions, QStringList{undefinedQuestion});
    EXPECT_EQ(stored("XSL Calculated-img@src"), "False"); // the fill's default only
    EXPECT_FALSE(doc().tableChanged);
    EXPECT_FALSE(windows.calls.join(' ').contains("allProp.button"));

    ui->answers = {UiServices::Answer::Ok};
    editMapping();
    EXPECT_EQ(stored("XSL Calculated-img@src"), "True");
    EXPECT_TRUE(doc().tableChanged);
    EXPECT_EQ(selectedRow(), "XSL Code");
    EXPECT_EQ(windows.calls.last(), "allProp.button XSL Code");
}

TEST_F(MappingEntry, SelectXWithACaptionSelectsThatRow)
{
    select("Table");
    windows.calls.clear();
    EXPECT_TRUE(selectX("Exclude Row If"));
    EXPECT_EQ(selectedRow(), "Exclude Row If");
    EXPECT_EQ(windows.calls, QStringList{"allProp.selectRow Exclude Row If"});
    EXPECT_TRUE(selectX(""));
    EXPECT_EQ(selectedRow(), "Exclude Row If"); // the table keeps its selected row
}
