// tvktool xmltree and edit, run as a separate program.
#include "documents/table_file_reader.h"
#include "documents/table_file_writer.h"
#include "documents/workspace.h"
#include "support/file_bytes.h"
#include "support/temp_home.h"
#include "support/tvktool_run.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(TvkToolDesigner, XmltreePrintsCaptionsAndXpaths)
{
    TempHome home;
    const QString path = home.file("c.xml");
    ASSERT_TRUE(writeBytes(path, "<catalog><item id='7'><![CDATA[a\nb]]></item></catalog>"));
    const ToolRun run = tvktool({"xmltree", path});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, (path + "\t/\n"
                               "  catalog\t/catalog\n"
                               "    item\t/catalog/item\n"
                               "      @id=7\t/catalog/item/@id\n"
                               "      a\\nb\t/catalog/item/a\\nb\n")
                           .toUtf8());

    ASSERT_TRUE(writeBytes(path, "<catalog>"));
    const ToolRun bad = tvktool({"xmltree", path});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.startsWith("Error in XML file: " + path.toUtf8() + "\r\n\r\nSource Text: <catalog>"));
}

TEST(TvkToolDesigner, EditAppliesStepsAndWritesTheTable)
{
    TempHome home;
    TableDocument &doc = workspace().current();
    for (const char *column : {"a", "b", "c"}) {
        doc.tree.add("Table", column, column);
        doc.store.set(QString("Type-") + column, "Text");
    }
    doc.tablePath = home.file("in.tvk");
    ASSERT_TRUE(writeTableFile(home.file("in.tvk")));

    const ToolRun run = tvktool({"edit", home.file("in.tvk"), home.file("out.tvk")},
                                "select\tc\nmoveup\nrename\td\nselect\ta\ndelete\n"
                                "answer\tYes\ndelete\nrename\tTable\n");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "New column name:\n"
                       "Are you sure you want to delete this column?\n"
                       "Are you sure you want to delete this column?\n"
                       "Please select column in Table window and then try again.\n");
    resetWorkspace();
    workspace().slotUsed[0] = true;
    ASSERT_EQ(readTable(home.file("out.tvk")), TableReadOutcome::Complete);
    QStringList columns;
    for (const auto &column : workspace().current().tree.root()->children)
        columns << column->key;
    EXPECT_EQ(columns, (QStringList{"d", "b"}));
    EXPECT_EQ(workspace().current().store.value("Type-d"), "Text");

    EXPECT_EQ(tvktool({"edit", home.file("in.tvk"), home.file("out.tvk")}, "jump\n").exitCode, 2);
}

TEST(TvkToolDesigner, EditBuildsColumnsAndMapsXml)
{
    TempHome home;
    QDir(home.path()).mkpath("c");
    ASSERT_TRUE(writeBytes(home.file("c/t2.tvk"), "head\x05\x05\x05\x05p\x0e\x0f\x05\x05\x05"));
    workspace().current().tablePath = home.file("in.tvk");
    ASSERT_TRUE(writeTableFile(home.file("in.tvk")));

    // A refused step leaves no answer behind for a later one.
    const QByteArray steps = "addatt\tstale\tno\n"
                             "selectxml\t/catalog/book/title\n"
                             "addcolumn\tText\ttitle\tyes\n"
                             "addcolumn\tImage\tpic\tno\n"
                             "select\tpic-src\n"
                             "drop\t/catalog/book/cover\n"
                             "addatt\talt\tno\n"
                             "addatt\twidth\tyes\n"
                             "answer\tYes\n"
                             "delatt\n"
                             "answer\t" + home.file("c/t2.tvk").toUtf8() + "\n"
                             "addcolumn\tCall Table\tcall\tno\n"
                             "select\ttitle\n"
                             "drop\t|call\n"
                             "select\tcall-table\n"
                             "drop\t/catalog\n";
    const ToolRun run = tvktool({"edit", home.file("in.tvk"), home.file("out.tvk")}, steps);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "Please select one of the columns in Table window, and then click this "
                       "button.\n"
                       "Are you sure you want to delete this attribute?\n"
                       "Call Table - Select Table to Call\n"
                       "Can't map XML to table attribute of Call Table field.\n");
    resetWorkspace();
    workspace().slotUsed[0] = true;
    ASSERT_EQ(readTable(home.file("out.tvk")), TableReadOutcome::Complete);
    const TableDocument &doc = workspace().current();
    QStringList nodes;
    doc.tree.forEach([&nodes](const StructureTree::Node &node) { nodes << node.key; });
    EXPECT_EQ(nodes, (QStringList{"Table", "call", "call-table", "title", "title-value", "pic",
                                  "pic-src", "pic-alt"}));
    EXPECT_EQ(doc.store.value("Xpath-title@value"), "/catalog/book/title");
    EXPECT_EQ(doc.store.value("Xpath-pic@src"), "/catalog/book/cover");
    EXPECT_EQ(doc.store.value("Table-call@table"), "c/t2.tvk");
    EXPECT_FALSE(doc.store.contains("XSL Code-pic@width"));
    EXPECT_EQ(bytesOf(home.file("c/t2.txi")), QByteArray("p\x0e\x0f\r\n"));
}
