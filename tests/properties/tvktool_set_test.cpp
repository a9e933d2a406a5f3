#include "documents/table_file_reader.h"
#include "documents/table_file_writer.h"
#include "documents/workspace.h"
#include "support/temp_home.h"
#include "support/tvktool_run.h"

#include <gtest/gtest.h>

namespace {

// The sheet steps of tvktool edit run on a table with column a and an XML document; the
// table they write is read back.
class TvkToolSheet : public ::testing::Test {
protected:
    TvkToolSheet()
    {
        TableDocument &doc = workspace().current();
        doc.tree.add("Table", "a", "a");
        doc.store.set("Type-a", "Text");
        doc.store.set("CSS Style-Table", "width:1px");
        doc.xmlPath = home.file("rows.xml");
        doc.tablePath = home.file("in.tvk");
    }
    ToolRun edit(const QByteArray &steps)
    {
        EXPECT_TRUE(writeTableFile(home.file("in.tvk")));
        return tvktool({"edit", home.file("in.tvk"), home.file("out.tvk")}, steps);
    }
    const PropertyStore &written()
    {
        resetWorkspace();
        workspace().slotUsed[0] = true;
        EXPECT_EQ(readTable(home.file("out.tvk")), TableReadOutcome::Complete);
        return workspace().current().store;
    }
    TempHome home;
};

} // namespace

// "set": the value typed into a row of the selected node's sheet and committed as the
// sheet losing the focus does.
TEST_F(TvkToolSheet, SetPutsTheValueIntoTheRowAndCommitsIt)
{
    const ToolRun run = edit("select\ta\nset\tColor\t#FF0000\nset\tWidth\t 40px \n"
                             "set\tNo Such Row\tx\nset\tHorizontal Alignment\tsideways\n"
                             "set\tHorizontal Alignment\tcenter\nselect\tTable\n"
                             "set\tTable Type\tForm\nset\tnode-set Call\tmy:set\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "tvktool edit: the sheet takes no No Such Row\tx\n"
                       "tvktool edit: the sheet takes no Horizontal Alignment\tsideways\n");
    const PropertyStore &store = written();
    EXPECT_EQ(store.value("Color-a"), "#FF0000");
    EXPECT_EQ(store.value("Width-a"), "40px");
    EXPECT_EQ(store.value("Table Type-Table"), "Form");
    EXPECT_EQ(store.value("Horizontal Alignment-a"), "center");
    EXPECT_EQ(store.value("node-set Call-Table"), "my:set") << "a free list takes any text";
}

// "editor" opens a row's code editor as its "..." does and prints the code, "code" types
// into it, "savecode" is its Save & Close. A refusal names the field; an Xpath is checked as
// the attribute that holds it reads it.
TEST_F(TvkToolSheet, CodeEditorsOpenTakeCodeAndSave)
{
    const ToolRun run = edit("code\tx\nselect\tTable\neditor\tTable Scripts\n"
                             "code\tf();\\ng();\nsavecode\neditor\tTable Scripts\n"
                             "editor\tCSS Style\ncode\t<b>\nsavecode\nsavecode\n"
                             "editor\tColor\nsavecode\n"
                             "editor\tExclude Row If\ncode\tname < 3 or name = \"it's\"\nsavecode\n"
                             "select\ta\neditor\tExclude Column If\ncode\t. =\nsavecode\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, "\nf();\ng();\nwidth:1px\n\n\n");
    const QStringList said = QString::fromUtf8(run.err).split('\n', Qt::SkipEmptyParts);
    const QString refused = "Syntax error in the XSL code in \"CSS Style\" of Table, line 1: "
                            "Nothing closes the element \"b\" begun on line 1.";
    const QString asked = "Code has changed since last save. Do you want to save it?";
    EXPECT_EQ(said, (QStringList{"tvktool edit: no code editor is open", refused, asked, refused,
                                 asked, "tvktool edit: no code editor opens from Color",
                                 "tvktool edit: no code editor is open",
                                 "Syntax error in the Xpath in \"Exclude Column If\" of column \"a\": "
                                 "Invalid expression",
                                 asked}));
    const PropertyStore &store = written();
    EXPECT_EQ(store.value("Table Scripts-Table"), "f();\ng();");
    EXPECT_EQ(store.value("CSS Style-Table"), "width:1px");
    EXPECT_EQ(store.value("Exclude Row If-Table"), "name < 3 or name = \"it's\"");
}
