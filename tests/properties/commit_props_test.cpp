#include "documents/text_files.h"
#include "sheet_fixture.h"

namespace {

class CommitProps : public SheetTest {
protected:
    CommitProps()
    {
        table.addColumn("img", "Image", "/r/i");
        table.addColumn("call", "Call Table");
    }
    int previews() { return int(windows.calls.count("result.runit_Click")); }
};

} // namespace

TEST_F(CommitProps, StoresTheTrimmedValueOnceAndAsksForAPreview)
{
    select("Table");
    type("Page Title", "  My title \t\r\n");
    updateProps();
    EXPECT_EQ(stored("Page Title-Table"), "My title");
    EXPECT_TRUE(doc().tableChanged);
    EXPECT_EQ(previews(), 1);

    doc().tableChanged = false;
    type("Page Title", "My title");
    updateProps();
    type("Page Title", "\tMy title  ");
    updateProps();
    EXPECT_FALSE(doc().tableChanged);
    EXPECT_EQ(previews(), 1);

    doc().autoReload = 0;
    type("Page Title", "Other");
    updateProps();
    EXPECT_EQ(stored("Page Title-Table"), "Other");
    EXPECT_EQ(previews(), 1);
}

TEST_F(CommitProps, AttributeRowsUseColumnAndAttributeInTheirKey)
{
    select("img-src");
    type("XSL Calculated", "True");
    updateProps();
    EXPECT_EQ(stored("XSL Calculated-img@src"), "True");
    select("img");
    type("Border", "1px solid red");
    updateProps();
    EXPECT_EQ(stored("Border-img"), "1px solid red");
}

TEST_F(CommitProps, HolderRowsCommitTheHoldersText)
{
    select("Table");
    const QString parameters = QString("p1\x0e" "a\x0f");
    type("XSLT Input Parameters", parameters);
    EXPECT_EQ(sheet().holder(Holder::txinp), parameters);
    EXPECT_EQ(row("XSLT Input Parameters").value, ""); // shows "Parameters" once refilled
    updateProps();
    EXPECT_EQ(stored("XSLT Input Parameters-Table"), parameters);
    select("Table");
    EXPECT_EQ(row("XSLT Input Parameters").value, "Parameters");

    type("CSS Style", "color: red;\r\n");
    updateProps();
    EXPECT_EQ(stored("CSS Style-Table"), "color: red;");

    type("Table Scripts", "var a;"); // filled into a holder, committed from its row
    updateProps();
    EXPECT_EQ(stored("Table Scripts-Table"), "var a;");
    EXPECT_FALSE(putIntoRow("Hide Header", "True"));
}

// Mended: rows that hold no property, read-only rows and groups were committed, marking the
// table changed and storing junk keys.
TEST_F(CommitProps, RowsWithoutAPropertyAreNeverCommitted)
{
    struct Case {
        const char *node;
        const char *row;
    };
    const Case cases[] = {{"img", "Mapping"},        {"call-table", "Map Interface"},
                          {"Table", "Table"},        {"Table", "Appearance"},
                          {"img-src", "Type"},       {"img", "Individual Borders"}};
    table.set("Table-call@table", "x.tvk");
    writeFile(table.home.file("x.tic"), "i\x0e\x0e/a\x0f", true);
    for (const Case &c : cases) {
        select(c.node);
        type(c.row, "typed");
        updateProps();
        commitOnFocusLoss();
    }
    EXPECT_FALSE(doc().tableChanged);
    for (const auto &entry : doc().store.entries())
        EXPECT_NE(entry.text, "typed") << entry.key.toStdString();
    EXPECT_FALSE(doc().store.contains("Mapping-img"));
}

// Mended: separators of the table file and of the packed lists inside a value corrupted
// them.
TEST_F(CommitProps, RecordSeparatorsAreStrippedAtCommit)
{
    select("Table");
    type("Page Title", QString("a\x02" "b\x03" "c\x04" "d\x05" "e\x0e" "f\x0f" "g\x10" "h\x01"));
    updateProps();
    EXPECT_EQ(stored("Page Title-Table"), QString("abcdefgh\x01"));

    type("XSLT Input Parameters", QString("p\x0e" "1\x02\x0f"));
    updateProps();
    EXPECT_EQ(stored("XSLT Input Parameters-Table"), QString("p\x0e" "1\x0f"));
}

// Mended: a commit other than the focus loss (a typed value, a picker, the parameter
// dialog) went to the node selected in the tree, not to the node the sheet shows.
TEST_F(CommitProps, CommitsGoToTheNodeTheSheetShows)
{
    for (void (*commit)() : {updateProps, commitOnFocusLoss}) {
        select("img");
        type("Width", "30%");
        doc().selectedNodeKey = "Table"; // the tree's selection has moved on
        commit();
        EXPECT_EQ(stored("Width-img"), "30%");
        EXPECT_EQ(stored("Width-Table"), "");
        EXPECT_EQ(doc().selectedNodeKey, "Table");
        table.set("Width-img", "");
    }
}

TEST_F(CommitProps, FocusLossCommitsNothingWhileLoadingWithoutXmlOrWithoutNode)
{
    select("img");
    type("Width", "30%");
    sheetView.setLoading(true);
    commitOnFocusLoss();
    sheetView.setLoading(false);
    doc().xmlPath.clear();
    commitOnFocusLoss();
    doc().xmlPath = "/data/rows.xml";
    sheet().currentElement.clear();
    commitOnFocusLoss();
    EXPECT_EQ(stored("Width-img"), "");
    EXPECT_FALSE(doc().tableChanged);
}

// Mended: when the node the sheet shows was deleted or renamed, the focus loss committed
// its row against whatever node was selected then.
TEST_F(CommitProps, CommitAfterTheShownNodeIsGoneCommitsNothing)
{
    select("img");
    type("Width", "30%");
    doc().tree.remove("img");
    doc().selectedNodeKey = "call";
    updateProps();
    commitOnFocusLoss();
    EXPECT_EQ(stored("Width-call"), "");
    EXPECT_FALSE(doc().tableChanged);
}

// Mended: the search went one group deep, so deeper rows could never be selected.
TEST_F(CommitProps, SelectPropertySearchesTheWholeSheet)
{
    select("Table");
    windows.calls.clear();
    EXPECT_TRUE(selectProperty("Import XSLT Files"));
    EXPECT_TRUE(selectProperty("XSLT Command Line"));
    EXPECT_EQ(selectedRow(), "XSLT Command Line");
    EXPECT_FALSE(selectProperty("Hide Header"));
    EXPECT_EQ(selectedRow(), "XSLT Command Line");
    EXPECT_EQ(windows.calls, QStringList({"allProp.selectRow Import XSLT Files",
                                          "allProp.selectRow XSLT Command Line"}));
    select("img");
    EXPECT_TRUE(selectProperty("Right Border"));
}
