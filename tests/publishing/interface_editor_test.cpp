// The Table Interface editor's model: row edits, the default interface, saving through
// the property sheet and closing.
#include "../properties/sheet_fixture.h"
#include "publishing/default_interface.h"
#include "publishing/interface_editor.h"
#include "support/recording_tips.h"
#include "support/scripted_ui.h"

namespace {

class InterfaceEditorTest : public SheetTest {
protected:
    InterfaceEditorTest()
    {
        select(StructureTree::tableKey);
        editor.addComp(QString());
    }
    QStringList names() const
    {
        QStringList list;
        for (const InterfaceItem &item : editor.rows)
            list << item.name;
        return list;
    }
    InterfaceEditor editor;
    ScopedScriptedUi ui;
    RecordingTips tips;
};

} // namespace

TEST_F(InterfaceEditorTest, RowEditsKeepLevelsAndOrder)
{
    editor.appendItem({"a", "A", "/a"});
    editor.appendItem({"b", "B", "/a/b"});
    editor.goRight(1);
    editor.goRight(1);
    editor.goLeft(0); // no level: unchanged
    EXPECT_EQ(names(), QStringList({"a", "........b"}));
    editor.replaceItem(1, {"c", "C", "/a/c"});
    EXPECT_EQ(editor.rows[1], InterfaceItem({"........c", "C", "/a/c"}));
    EXPECT_EQ(editor.moveUp(1), 0);
    EXPECT_EQ(editor.moveUp(0), 0);
    EXPECT_EQ(editor.moveDown(0), 1);
    EXPECT_EQ(names(), QStringList({"a", "........c"}));
    editor.deleteItem(0);
    EXPECT_EQ(names(), QStringList({"........c"}));
    EXPECT_TRUE(workspace().interfaceTranslation.contains("interface_xpath_for_c"));
}

TEST_F(InterfaceEditorTest, ClearAllAsksAndSavingEmptyStoresNothing)
{
    editor.appendItem({"a", "A", "/a"});
    ui->answers = {UiServices::Answer::No, UiServices::Answer::Yes};
    EXPECT_FALSE(editor.clearAll());
    EXPECT_TRUE(editor.clearAll());
    EXPECT_EQ(ui->questions, QStringList(2, "Are you sure you want to delete all Xpath Items?"));
    EXPECT_TRUE(editor.rows.isEmpty());
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(stored("Table Interface-Table"), "");
    EXPECT_EQ(row("Table Interface").value, "");
}

TEST_F(InterfaceEditorTest, SavingCommitsThroughTheSheetAndClosingAsksOnlyAfterChanges)
{
    editor.appendItem({"Table", "rows", "/rows/row"});
    EXPECT_TRUE(editor.save());
    EXPECT_EQ(stored("Table Interface-Table"), editor.getComps());
    EXPECT_EQ(row("Table Interface").value, "Interface");
    EXPECT_TRUE(doc().tableChanged);
    EXPECT_TRUE(editor.mayClose());
    editor.goRight(0);
    EXPECT_FALSE(editor.mayClose());
    EXPECT_EQ(ui->questions.last(),
              "Table Interface has changed. Are you sure you want to close without saving?");
}

TEST_F(InterfaceEditorTest, SavingRefusesTheFirstXpathThatIsNotSimple)
{
    const char *const invalid[] = {"/r/item[1]", "//a/@*", "$v/a", "child::a"};
    for (const char *xpath : invalid) {
        editor.addComp(QString());
        editor.appendItem({"ok", "", "/r/ok"});
        editor.appendItem({"bad", "", xpath});
        editor.appendItem({"worse", "", "/r[2]"});
        EXPECT_FALSE(editor.save());
        EXPECT_EQ(ui->messages.last(),
                  QString("Xpath ") + xpath
                      + " is not valid. Xpath must be without conditions, axis or variables (simple "
                        "Xpath that leads to element or attribute).");
    }
    EXPECT_EQ(stored("Table Interface-Table"), "");
}

TEST_F(InterfaceEditorTest, SuggestBuildsDefaultItemsOnceEachXpath)
{
    table.addColumn("a", "Text", "/rows/row/a/@id");
    table.addColumn("b", "Text", "/rows/row/b[1]");
    table.addColumn("c", "Text", "/rows/row/a/@id");
    QObject grid;
    grid.setObjectName("comps");
    EXPECT_TRUE(editor.suggest(&grid));
    EXPECT_EQ(names(), QStringList({"Table", "....a_element_0", "....a", "....b"}));
    EXPECT_EQ(editor.rows[1], InterfaceItem({"....a_element_0", "Column a_element_value", "/rows/row/a"}));
    EXPECT_EQ(editor.rows[3].xpath, "/rows/row/b");
    EXPECT_EQ(tips.balloons, QStringList({"Xpath Items @ comps"}));
    ui->answers = {UiServices::Answer::Cancel};
    EXPECT_FALSE(editor.suggest(&grid));
    EXPECT_EQ(ui->questions.last(), "Do you want to create default Xpath Items? Current items will be deleted.");
    EXPECT_EQ(editor.rows.size(), 4);
}

TEST(PureXpath, DropsPredicates)
{
    EXPECT_EQ(pureXpath("/a[@x='[']/b[2]/c"), "/a/b/c");
    EXPECT_EQ(pathWithoutAttribute("/a/b/@id"), "/a/b");
    EXPECT_EQ(pathWithoutAttribute("/a/b"), "/a/b");
}
