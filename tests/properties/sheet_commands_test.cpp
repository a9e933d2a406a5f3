#include "properties/sheet_commands.h"
#include "sheet_fixture.h"
#include "support/fake_main_window.h"
#include "support/scripted_ui.h"

namespace {

class SheetCommands : public SheetTest {
protected:
    SheetCommands()
    {
        table.addColumn("c1", "Text", "/rows/row/v");
        table.addCodeAttribute("c1", "calc", "<b/>");
        workspace().mainWindow = &main;
    }
    // The "..." button of the row on the node's sheet.
    void press(const QString &node, const QString &caption)
    {
        select(node);
        ASSERT_TRUE(selectSheetRow(caption)) << caption.toStdString();
        windows.calls.clear();
        inplaceButtonDown();
    }
    FakeMainWindow main;
    ScopedScriptedUi ui;
};

} // namespace

TEST_F(SheetCommands, EachButtonOpensItsEditorWithItsCaptionAndKind)
{
    table.set("Xpath-c1@value", "/rows/row/v\r\n[1]");
    struct Case {
        const char *node;
        const char *row;
        const char *opened;
    };
    const Case cases[] = {
        {"Table", "Exclude Row If", "xslEdit eliminate [Exclude Instance of [Row] If] "},
        {"c1", "Exclude Column If", "xslEdit eliminate [Exclude Instance of [c1] If] "},
        {"c1-value", "Xpath", "xslEdit xpath [Xpath Code [c1-value]] /rows/row/v\r\n[1]"},
        {"c1-calc", "XSL Code", "xslEdit xsl [XSL Code [c1-calc]] <b/>"},
        {"Table", "Row (Debug)",
         "xslEdit debugTable_newColumn [Debug Print : Evaluate XSL code for each Table Row "
         "[XSL Code]] "},
        {"c1", "Column (Debug)",
         "xslEdit debugTable_newAttribute [Debug Print : Evaluate XSL code for Attributes "
         "[XSL Code]] "},
        {"Table", "Table Scripts", "xslEdit scripts [Web Scripts] "},
        {"c1", "CSS Style", "xslEdit css [CSS Code [c1]] "},
        {"Table", "Border", "pix "},
        {"c1", "Border", "pix "},
        {"Table", "Cell Spacing", "justpix Select cell spacing "},
        {"Table", "Cell Padding", "justpix Select cell padding "},
        {"Table", "Headers Padding", "justpix Select padding value "},
        {"c1", "Padding", "justpix Select padding value "},
        {"Table", "XSLT Input Parameters", "inputParams "},
    };
    // A caption without a place for the node's key is taken as it stands, with no warning.
    static QStringList warnings;
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext &, const QString &text) { warnings << text; });
    for (const Case &c : cases) {
        press(c.node, c.row);
        EXPECT_EQ(windows.calls.value(0).toStdString(), c.opened) << c.row;
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
    // The Xpath row now shows its code on one line; the editor got both lines.
    press("c1-value", "Xpath");
    EXPECT_EQ(row("Xpath").value, "/rows/row/v[1]");
}

TEST_F(SheetCommands, APickedValueIsCommittedACancelledOneChangesNothing)
{
    sheetView.pickerAnswer = "2px dotted #FF0000";
    press("c1", "Border");
    EXPECT_EQ(stored("Border-c1"), "2px dotted #FF0000");
    EXPECT_TRUE(windows.calls.contains("result.runit_Click"));

    ui->colorAnswers = {""};
    press("c1", "Color");
    EXPECT_EQ(stored("Color-c1"), "");
    ui->colorAnswers = {"#00FF00"};
    press("c1", "Color");
    EXPECT_EQ(stored("Color-c1"), "#00FF00");
    EXPECT_EQ(row("Color").value, "#00FF00");
}

TEST_F(SheetCommands, TheColourDialogStartsFromAColourValueOnly)
{
    const std::pair<const char *, const char *> cases[] = {
        {"#00ff00", "#00FF00"}, {"#ABCDEF", "#ABCDEF"}, {"red", ""}, {"", ""}};
    for (const auto &[value, preset] : cases) {
        ui->colorPresets.clear();
        EXPECT_EQ(getColor(value), "");
        EXPECT_EQ(ui->colorPresets.value(0), preset) << value;
    }
}

TEST_F(SheetCommands, VerbsRunTheirCommands)
{
    select("c1");
    const std::pair<int, const char *> cases[] = {
        {100, "rep.addit_Click"},       {101, "rep.badd_Click"},   {102, "rep.removeit_Click"},
        {103, "rep.bdel_Click"},        {104, "rep.ren_Click"},    {110, "result.rbrowser_Click"},
        {111, "parser.cmdBrowse_Click"}, {118, ""},                {106, ""}};
    for (const auto &[id, call] : cases) {
        windows.calls.clear();
        verbClick(id);
        EXPECT_EQ(windows.calls.value(0), call) << id;
    }
    verbClick(109);
    EXPECT_EQ(workspace().newColumnType, "Call Table");
    verbClick(116);
    EXPECT_EQ(workspace().newColumnType, "XSL Code");
    windows.calls.clear();
    verbClick(120);
    EXPECT_EQ(windows.calls.value(0), "inputParams ");
    verbClick(113);
    verbClick(117);
    EXPECT_EQ(main.commands, (QStringList{"shgenXSL_Click", "saveX_Click 0"}));
    // The mapping links open the mapping row's editor.
    for (const auto &[node, id, row] : {std::tuple{"Table", 112, "Xpath"}, {"c1", 105, "Xpath"},
                                        {"c1-calc", 107, "XSL Code"}}) {
        select(node);
        windows.calls.clear();
        verbClick(id);
        EXPECT_EQ(windows.calls.filter("allProp.button").value(0),
                  QString("allProp.button ") + row) << id;
    }
}

TEST_F(SheetCommands, CssStyleOnAnAttributeOpensItsColumnsEditor)
{
    select("c1-calc");
    windows.calls.clear();
    goCss();
    EXPECT_EQ(sheet().currentElement, "c1");
    EXPECT_EQ(windows.calls.filter("xslEdit").value(0), "xslEdit css [CSS Code [c1]] ");
}

TEST_F(SheetCommands, TheCalledTableIsStoredRelativeToTheTable)
{
    table.addColumn("call", "Call Table");
    ui->fileAnswers = {table.home.path() + "/sub/other.tvk"};
    press("call-table", "Table");
    EXPECT_EQ(stored("Table-call@table"), "sub/other.tvk");
    EXPECT_EQ(ui->fileDialogs.value(0).title, "Call Table - Select Table to Call");
}
