// Click-to-select and the outline request, over the model with recorded windows.
#include "generator/preview_highlight.h"
#include "generator/xsl_find.h"
#include "support/recording_tips.h"
#include "support/recording_views.h"
#include "table_fixture.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(PreviewHighlight, CellIdNamesItsColumn)
{
    const struct {
        const char *id;
        const char *table;
        const char *column;
    } cases[] = {
        {"r_1_3_Orders_price", "Orders", "price"},
        {"r_1_12_Orders_unit_price", "Orders", "unit_price"},
        {"r_1_3_my_orders_price", "my_orders", "price"},
        {"r_1_3_Orders", "Orders", ""},           // a row
        {"t_1_Orders", "Orders", ""},             // the table
        {"r_1_3_Other_price", "Orders", ""},      // another table's cell
        {"r_1_2_3_Called_price", "Orders", ""},   // a called table's cell
        {"r_1_x_Orders_price", "Orders", ""},
        {"", "Orders", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(columnOfCellId(c.id, c.table), c.column) << c.id;
}

namespace {

class ClickToSelect : public ::testing::Test {
protected:
    TableFixture table{"my_orders", "/orders/o"};
    RecordingViews views;

    void SetUp() override
    {
        views.attach(workspace().currentViews());
        table.addColumn("unit_price", "Text", "/orders/o/p");
        table.addColumn("name", "Call Table");
        table.set("Left Border-name", "1px solid red");
        table.set("Border-name", "2px dotted blue");
    }
};

} // namespace

TEST_F(ClickToSelect, ClickedCellSelectsItsColumnRefillsTheSheetAndOutlines)
{
    // A span in the cell has an id of the user's own; the cell's id comes next.
    EXPECT_EQ(selectClickedColumn({"", "mine", "r_1_4_my_orders_unit_price", "t_1_my_orders"}),
              "unit_price");
    EXPECT_EQ(workspace().current().selectedNodeKey, "unit_price");
    EXPECT_EQ(views.calls, QStringList({"rep.selectNode unit_price", "rep.fillProps",
                                        "result.highlightCell unit_price"}));
    ASSERT_EQ(views.highlights.size(), 1);
    EXPECT_EQ(views.highlights[0].tableName, "my_orders");
    EXPECT_EQ(views.highlights[0].previousId, "");
}

TEST_F(ClickToSelect, CalledTablesCellSelectsTheCallingColumn)
{
    EXPECT_EQ(selectClickedColumn({"r_1_2_Called_x", "r_1_2_my_orders_name"}), "name");
}

// Clicks outside the table's cells change nothing; its cells of no column (a column
// deleted since the render) show the current selection again.
TEST_F(ClickToSelect, ClicksOutsideColumnsCellsKeepTheSelection)
{
    workspace().current().selectedNodeKey = "name";
    const QStringList shownAgain{"rep.fillProps", "result.highlightCell name"};
    const struct {
        QStringList ids;
        QStringList calls;
    } cases[] = {
        {{}, {}},
        {{"", ""}, {}},
        {{"r_1_3_my_orders", "t_1_my_orders", ""}, {}},
        {{"mine", "", "r_1_4_my_orders_unit_price"}, {}},
        {{"r_1_2_Called_x", "r_1_4_other_table_x"}, {}},
        {{"r_1_4_my_orders_missing"}, shownAgain},
        {{"r_1_2_Called_x", "r_1_4_my_orders_gone", "t_1_my_orders", ""}, shownAgain},
    };
    for (const auto &c : cases) {
        views.calls.clear();
        EXPECT_EQ(selectClickedColumn(c.ids), "") << c.ids.join(',').toStdString();
        EXPECT_EQ(views.calls, c.calls) << c.ids.join(',').toStdString();
        EXPECT_EQ(workspace().current().selectedNodeKey, "name");
    }
}

TEST_F(ClickToSelect, OutlineRequestCarriesThePreviousCellsBorders)
{
    recordHighlight("name", "r_1_1_my_orders_name");
    workspace().current().selectedNodeKey = "unit_price-value"; // an attribute: its column
    highlightInPreview();
    ASSERT_EQ(views.highlights.size(), 1);
    const PreviewHighlight &request = views.highlights[0];
    EXPECT_EQ(request.column, "unit_price");
    EXPECT_EQ(request.previousId, "r_1_1_my_orders_name");
    EXPECT_EQ(request.previousBorders[0], "1px solid red");
    EXPECT_EQ(request.previousBorders[1], "");
    EXPECT_EQ(request.previousBorders[4], "2px dotted blue");

    workspace().current().selectedNodeKey = "Table";
    highlightInPreview();
    EXPECT_EQ(views.highlights.size(), 1) << "the table has no cell";
}

// The code is selected each time; each of the two tips points at the caret only once.
TEST_F(ClickToSelect, StylesheetViewFindsTheSelectedCodeAndTipsAtTheCaret)
{
    QDir().mkpath(table.home.file("tables"));
    RecordingTips tips;
    highlightInXslCode();
    for (const char *key : {"name-table", "unit_price", "Table", "Table"}) {
        workspace().current().selectedNodeKey = key;
        highlightInXslCode();
    }
    EXPECT_EQ(views.calls, QStringList({"xslCode.findText <!-- Column name as: ",
                                        "xslCode.findText <!-- Column unit_price as: ",
                                        "xslCode.findText <!-- Table code -->",
                                        "xslCode.findText <!-- Table code -->"}));
    EXPECT_EQ(tips.balloons, QStringList({"XSL Code highlighted @ 4.xsl (0,0)",
                                          "XSL Code highlighted @ 4.xsl (0,0)"}));
    EXPECT_TRUE(tips.texts.value(1).startsWith("XSL code for table (main loop) is highlighted."));
}

TEST(XslFind, NextOccurrenceAfterTheSelectionIgnoringCase)
{
    const QString text = "a template, another Template.";
    const auto first = findAfter(text, "TEMPLATE", {});
    ASSERT_TRUE(first);
    EXPECT_EQ(first->start, 2);
    EXPECT_EQ(first->length, 8);
    const auto second = findAfter(text, "template", *first);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->start, 20);
    EXPECT_FALSE(findAfter(text, "template", *second)); // no wrap
    EXPECT_FALSE(findAfter(text, "", {}));
}
