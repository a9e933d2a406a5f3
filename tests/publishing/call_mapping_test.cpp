// The Call Interface mapping of a "Call Table" column: its rows, saving and clearing, and
// tvktool's edit steps that set an interface and map it on a calling table.
#include "../generator/call_table_fixture.h"
#include "../generator/libxslt_runner.h"
#include "documents/interface_text.h"
#include "documents/table_file_reader.h"
#include "publishing/call_mapping.h"
#include "support/recording_tips.h"
#include "support/scripted_ui.h"
#include "support/tvktool_run.h"

#include <gtest/gtest.h>

namespace {

const QList<InterfaceItem> items{{"Table", "the rows", "/list/item"},
                                 {"....c", "first", "/list/item/c"},
                                 {"........c", "nested c", "/list/item/c/c"}};

class CallMapping : public ::testing::Test {
protected:
    CallMapping()
    {
        QDir().mkpath(f.dir("tables"));
        QDir().mkpath(f.dir("lib"));
        writeFile(f.dir("lib") + "Called.tic", packInterfaceText(items, "body"), true);
        f.addCall("call", "../lib/Called.tvk");
        workspace().current().selectedNodeKey = "call-table";
        workspace().current().tableChanged = false;
    }
    QStringList names(const QList<CallMappingRow> &rows)
    {
        QStringList list;
        for (const CallMappingRow &row : rows)
            list << row.name + "=" + row.xpath;
        return list;
    }
    CallTableFixture f;
    ScopedScriptedUi ui;
    RecordingTips tips;
};

} // namespace

TEST_F(CallMapping, RowsCarryTheCurrentMappingsAndKeepTheDescriptions)
{
    f.caller.set("Call Xpath-call@table-c", "/rows/row/item/c");
    const QList<CallMappingRow> rows = callInterfaceRows();
    EXPECT_EQ(names(rows), QStringList({"Table=", "....c=/rows/row/item/c", "........c=/rows/row/item/c"}));
    EXPECT_EQ(callItemDescription(1), "the rows");
    EXPECT_EQ(callItemDescription(3), "nested c");
    EXPECT_FALSE(workspace().current().tableChanged);
    f.caller.set("Table-call@table", "../lib/Missing.tvk");
    EXPECT_TRUE(callInterfaceRows().isEmpty());
    EXPECT_FALSE(saveCallMapping({}, true));
    EXPECT_EQ(getKey("Interface Used-call@table"), "");
}

TEST_F(CallMapping, SavingStoresEveryRowAndTipsOnlyWhenMappedButUnused)
{
    f.caller.set("Interface Used-call@table", "False");
    QList<CallMappingRow> rows = callInterfaceRows();
    EXPECT_TRUE(saveCallMapping(rows, false));
    EXPECT_TRUE(tips.balloons.isEmpty());
    EXPECT_TRUE(workspace().current().store.contains("Call Xpath-call@table-Table"));
    rows[1].xpath = "/rows/row/item/d";
    rows[2].xpath = "/rows/row/item/c";
    EXPECT_TRUE(saveCallMapping(rows, false));
    // The two c items share one key: the later row's Xpath stays.
    EXPECT_EQ(getKey("Call Xpath-call@table-c"), "/rows/row/item/c");
    EXPECT_EQ(tips.balloons, QStringList({"Enabling Call Interface @ 1.template"}));
    EXPECT_TRUE(workspace().current().tableChanged);
}

TEST_F(CallMapping, DeleteAllTakesEffectOnlyWhenSaved)
{
    f.caller.set("Interface Used-call@table", "True");
    f.caller.set("Call Xpath-call@table-Table", "/rows/row/item");
    ui->answers = {UiServices::Answer::No, UiServices::Answer::Yes};
    EXPECT_FALSE(askClearMappings());
    EXPECT_TRUE(askClearMappings());
    EXPECT_EQ(ui->questions.last(), "Are you sure you want to delete all Xpath Item Mappings?");
    // The dialog cancelled after its rows were cleared: nothing stored.
    EXPECT_EQ(getKey("Interface Used-call@table"), "True");
    QList<CallMappingRow> rows = callInterfaceRows();
    for (CallMappingRow &row : rows)
        row.xpath.clear();
    EXPECT_TRUE(saveCallMapping(rows, true));
    EXPECT_EQ(getKey("Interface Used-call@table"), "False");
    EXPECT_EQ(getKey("Call Xpath-call@table-Table"), "");
}

TEST(TvktoolInterfaceSteps, SetAnInterfaceMapItAndRenderTheCallingTable)
{
    CallTableFixture f;
    f.writeCalled("lib");
    const QString called = f.dir("lib") + "Called.tvk";
    const QByteArray interface = "select\tTable\ninterface\tTable\\x0erows\\x0e/list/item\\x0f"
                                 "....c\\x0ec\\x0e/list/item/c\\x0f....d\\x0ed\\x0e/list/item/d\\x0f\n";
    ToolRun run = tvktool({"edit", called, called}, interface);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    ASSERT_EQ(tvktool({"transform", called}).exitCode, 0) << "the preview writes the side files";
    const QString tic = readFile(f.dir("lib") + "Called.tic");
    EXPECT_EQ(readInterfaceText(tic).items.size(), 3);
    EXPECT_TRUE(readInterfaceText(tic).body.contains("$interface_xpath_for_d")) << tic.toStdString();

    f.addCall("call", "../lib/Called.tvk");
    f.caller.set("Interface Used-call@table", "True");
    const QString caller = workspace().current().tablePath;
    ASSERT_TRUE(writeTableFile(caller));
    run = tvktool({"edit", caller, caller},
                  "select\tcall-table\nmapcall\tTable\t/rows/row/item\nmapcall\tc\t/rows/row/item/d\n"
                  "mapcall\td\t/rows/row/item/c\n");
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    run = tvktool({"transform", caller, "--production"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const HtmlPage page(QString::fromUtf8(run.out));
    EXPECT_EQ(page.count("//td[@id='r_r_1_1_Caller_call_1_1_Called_c'][.='n1']"), 1) << run.out.toStdString();
    EXPECT_EQ(page.count("//td[@id='r_r_1_1_Caller_call_1_2_Called_d'][.='m2']"), 1);
    EXPECT_EQ(tvktool({"generate", caller}).exitCode, 0);
}
