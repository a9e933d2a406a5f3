#include "documents/text_files.h"
#include "sheet_fixture.h"

#include <QDir>

namespace {

class FillProps : public SheetTest {
protected:
    FillProps() : SheetTest(QString()) {}
};

} // namespace

TEST_F(FillProps, TableRootOfAnEmptyStoreGetsItsChoiceDefaultsWithoutAChange)
{
    select("Table");
    const QStringList keys{"Headers Visible-Table",      "Table Type-Table",
                           "Enable getElementById-Table", "Enable Debug-Table",
                           "Use Plug In XSLT-Table",     "node-set Call-Table"};
    QStringList stored;
    for (const auto &entry : doc().store.entries())
        stored << entry.key + "=" + entry.text;
    EXPECT_EQ(stored, QStringList({"Properties=Properties", "Headers Visible-Table=False",
                                   "Table Type-Table=Display", "Enable getElementById-Table=True",
                                   "Enable Debug-Table=True", "Use Plug In XSLT-Table=False",
                                   "node-set Call-Table=msxsl:node-set"}));
    for (const QString &key : keys)
        EXPECT_EQ(row(key.chopped(6)).value, this->stored(key));
    EXPECT_FALSE(doc().tableChanged);
    EXPECT_EQ(sheet().caption, "Properties [Table]");
    EXPECT_EQ(sheet().currentElement, "Table");
    EXPECT_EQ(selectedRow(), "Xpath");
    EXPECT_EQ(windows.calls.last(), "allProp.showSheet");
}

TEST_F(FillProps, ColumnAndAttributeDefaultsGoUnderTheirOwnKeys)
{
    table.addColumn("c1", "Text", "/r/v");
    select("c1");
    const QStringList defaults{"Order Case=upper-first",    "Order Method=none",
                               "Order Data Type=text",      "Horizontal Alignment=None",
                               "Vertical Alignment=None",   "Break After=False",
                               "Row Span=1",                "Column Span=1",
                               "Enable Debug=True",         "Show Empty Cells=True",
                               "Hide Header=False"};
    for (const QString &entry : defaults)
        EXPECT_EQ(stored(entry.section('=', 0, 0) + "-c1"), entry.section('=', 1))
            << entry.toStdString();
    EXPECT_EQ(row("Hidden").value, ""); // no default: the catalogue's "No" is replaced
    EXPECT_EQ(row("Type").value, "Text");
    EXPECT_EQ(row("Mapping").value, "/r/v");
    EXPECT_EQ(selectedRow(), "Type");

    table.addColumn("call", "Call Table");
    table.addAttribute("call", "inputXML");
    select("call-inputXML");
    EXPECT_EQ(stored("XML Fragment-call@inputXML"), "False");
    EXPECT_EQ(stored("XSL Calculated-call@inputXML"), "False");
    EXPECT_EQ(row("Type").value, "Attribute");
    EXPECT_EQ(sheet().caption, "Properties [inputXML]");
    EXPECT_FALSE(doc().tableChanged);
}

TEST_F(FillProps, RowsShowTheStoredValueFlatOrShortHoldersKeepItWhole)
{
    struct Case {
        const char *node;
        const char *key;
        QString stored;
        const char *row;
        QString shown;
        std::optional<Holder> holder = std::nullopt;
    };
    const QString parameters = QString("p1\x0e" "1\x0f" "p2\x0e\x0f");
    const Case cases[] = {
        {"Table", "Exclude Row If-Table", "a\r\nb\tc", "Exclude Row If", "abc"},
        {"Table", "Import XSLT Files-Table", "a.xsl b.xsl", "Import XSLT Files", "a.xsl b.xsl"},
        {"Table", "Table Scripts-Table", "var x;\r\n", "Table Scripts", "var x;\r\n", Holder::txsl},
        {"Table", "Row (Debug)-Table", "<d/>\r\n", "Row (Debug)", "<d/>",
         Holder::debugTable_newColumn},
        {"Table", "CSS Style-Table", "a:b;\r\n", "CSS Style", "a:b;\r\n", Holder::tcss},
        {"Table", "XSLT Input Parameters-Table", parameters, "XSLT Input Parameters",
         "Parameters", Holder::txinp},
        {"Table", "Table Interface-Table", "i\x0e\x0e/x\x0f\x10", "Table Interface", "Interface",
         Holder::tcomp},
        {"c1", "Max Characters-c1", "40", "Max Characters", "40"},
        {"c1", "Column (Debug)-c1", "x\r\ny", "Column (Debug)", "xy",
         Holder::debugTable_newAttribute},
        {"c1-value", "XSL Code-c1@value", "<x/>\r\n", "XSL Code", "<x/>\r\n", Holder::txsl},
    };
    table.addColumn("c1", "Text");
    for (const Case &c : cases) {
        table.set(c.key, c.stored);
        select(c.node);
        EXPECT_EQ(row(c.row).value, c.shown) << c.key;
        if (c.holder) {
            EXPECT_EQ(sheet().holder(*c.holder), c.stored) << c.key;
        }
    }
    EXPECT_EQ(sheet().holder(Holder::txinp), parameters); // kept from the table's sheet
    table.set("XSLT Input Parameters-Table", "");
    select("Table");
    EXPECT_EQ(row("XSLT Input Parameters").value, "");
}

TEST_F(FillProps, ColumnMappingSaysWhereTheValueComesFrom)
{
    table.addColumn("link", "Web Link", "/r/a");
    select("link");
    EXPECT_EQ(row("Mapping").value, "/r/a");
    table.set("XSL Calculated-link@href", "True");
    select("link");
    EXPECT_EQ(row("Mapping").value, "XSL Calculated");
    table.addColumn("call", "Call Table");
    select("call");
    EXPECT_EQ(row("Mapping").value, "Table");
    table.set("XSL Calculated-call@table", "true");
    select("call");
    EXPECT_EQ(row("Mapping").value, "Table");
}

TEST_F(FillProps, CalledTableWithAnInterfaceGetsTheMappingRows)
{
    table.addColumn("call", "Call Table");
    table.set("Table-call@table", "lib/list.tvk");
    select("call-table");
    EXPECT_FALSE(sheet().layout.findItem("Call Interface"));

    QDir(table.home.path()).mkdir("lib");
    writeFile(table.home.file("lib/list.tic"), " \r\n\t", true);
    select("call-table");
    EXPECT_FALSE(sheet().layout.findItem("Call Interface")); // only white space

    writeFile(table.home.file("lib/list.tic"), QString("item\x0e\x0e/a\x0f\x10"), true);
    select("call-table");
    EXPECT_EQ(row("Map Interface").value, "Interface");
    EXPECT_EQ(row("Interface Used").value, "False");
    EXPECT_EQ(stored("Interface Used-call@table"), "False");
    EXPECT_EQ(row("Table").value, "lib/list.tvk");
}

TEST_F(FillProps, NoSelectedNodeShowsNoNode)
{
    select("Table");
    doc().selectedNodeKey.clear();
    fillProps();
    EXPECT_EQ(sheet().currentElement, "");
    EXPECT_EQ(sheet().caption, "Properties");
    EXPECT_FALSE(sheet().layout.findItem("Xpath"));
    EXPECT_TRUE(sheet().layout.verbs.empty());
    EXPECT_EQ(windows.calls.last(), "allProp.showSheet");
}
