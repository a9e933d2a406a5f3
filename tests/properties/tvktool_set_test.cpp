#include "documents/table_file_reader.h"
#include "documents/table_file_writer.h"
#include "documents/workspace.h"
#include "support/temp_home.h"
#include "support/tvktool_run.h"

#include <gtest/gtest.h>

// tvktool edit's "set": the value typed into a row of the selected node's sheet and
// committed as the sheet losing the focus does.
TEST(TvkToolSet, PutsTheValueIntoTheRowAndCommitsIt)
{
    TempHome home;
    TableDocument &doc = workspace().current();
    doc.tree.add("Table", "a", "a");
    doc.store.set("Type-a", "Text");
    doc.xmlPath = home.file("rows.xml");
    doc.tablePath = home.file("in.tvk");
    ASSERT_TRUE(writeTableFile(home.file("in.tvk")));

    const ToolRun run = tvktool({"edit", home.file("in.tvk"), home.file("out.tvk")},
                                "select\ta\nset\tColor\t#FF0000\nset\tWidth\t 40px \n"
                                "set\tNo Such Row\tx\nselect\tTable\nset\tTable Type\tForm\n");
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    resetWorkspace();
    workspace().slotUsed[0] = true;
    ASSERT_EQ(readTable(home.file("out.tvk")), TableReadOutcome::Complete);
    const PropertyStore &store = workspace().current().store;
    EXPECT_EQ(store.value("Color-a"), "#FF0000");
    EXPECT_EQ(store.value("Width-a"), "40px");
    EXPECT_EQ(store.value("Table Type-Table"), "Form");
}
