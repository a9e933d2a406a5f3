// tvktool driven as a separate program, as integration tests and terminals use it.
#include "documents/table_file_writer.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "../documents/sample_table.h"
#include "support/file_bytes.h"
#include "support/temp_home.h"
#include "support/tvktool_run.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

TEST(TvkTool, RoundtripOfAWrittenTableIsByteIdentical)
{
    TempHome home;
    const QString in = home.file("people.tvk");
    buildSampleTable(in);
    Workspace &ws = workspace();
    ws.current().geometryOf(SlotWindow::Prop).height = 6000;
    ws.current().geometryOf(SlotWindow::Rep).width = 2500;
    ASSERT_TRUE(writeTableFile(in));
    for (const QString &extension : QStringList{".xmf", ".xsl", ".tic"})
        QFile::remove(home.file("people" + extension));

    const ToolRun run = tvktool({"roundtrip", in, home.file("copy.tvk")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(bytesOf(home.file("copy.tvk")), bytesOf(in));

    ws.current().xmlPath.clear();
    ws.current().store.set("Eliminate", QString::fromUtf8("\xc3\xbc \xe2\x82\xac\t\r\n"));
    ASSERT_TRUE(writeTableFile(in));
    EXPECT_EQ(tvktool({"roundtrip", in, home.file("copy.tvk")}).exitCode, 0);
    EXPECT_EQ(bytesOf(home.file("copy.tvk")), bytesOf(in));
}

TEST(TvkTool, DumpPrintsTheDocument)
{
    TempHome home;
    buildSampleTable(home.file("people.tvk"));
    workspace().current().store.set("Odd", QString("a\\b\tc\x01"));
    ASSERT_TRUE(writeTableFile(home.file("people.tvk")));

    const ToolRun run = tvktool({"dump", home.file("people.tvk")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out, QByteArray("xmlPath\t/data/people.xml\n"
                                  "prop\tProperties\tProperties\n"
                                  "prop\tXpath-Table\t/people/person\n"
                                  "prop\tType-name\tText (HTML segment)\n"
                                  "prop\tCSS-Table\ttd {\\r\\n color: red }\n"
                                  "prop\tOdd\ta\\\\b\\tc\\x01\n"
                                  "node\tTable\tname\tname\n"
                                  "node\tname\tname-value\tvalue\n"
                                  "node\tname\tname-style\tstyle\n"
                                  "node\tTable\tage\tage\n"
                                  "xslFileName\tpeople.xsl\n"
                                  "xslFileDir\t/out/\n"
                                  "side\t.xmf\t16\n"
                                  "side\t.xsl\t6\n"
                                  "side\t.txp\t0\n"
                                  "side\t.txi\t0\n"
                                  "side\t.xmp\t15\n"
                                  "side\t.tic\t4\n"));
}

TEST(TvkTool, InvalidFileOrCommandFails)
{
    TempHome home;
    QFile bad(home.file("bad.tvk"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("no sections\r\n");
    bad.close();

    for (const QString &command : QStringList{"dump", "roundtrip"}) {
        const ToolRun run = tvktool({command, home.file("bad.tvk"), home.file("out.tvk")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, ("Table file " + home.file("bad.tvk") +
                            ": this doesn't appear to be valid table file. Please select another "
                            "file.\n")
                               .toUtf8());
    }
    EXPECT_FALSE(QFile::exists(home.file("out.tvk")));
    EXPECT_EQ(tvktool({}).exitCode, 2);
    EXPECT_EQ(tvktool({"dump"}).exitCode, 2);
    EXPECT_EQ(tvktool({"nonsense", "x"}).exitCode, 2);
}

// A crafted table names a file outside its folder as its XSL output: saving writes the
// table file, and the stylesheet only when the question is answered Yes.
TEST(TvkTool, SaveWritesACraftedOutputPathOnlyWhenAllowed)
{
    TempHome home;
    QDir().mkpath(home.file("tables"));
    QDir().mkpath(home.file(".ssh"));
    const QString keys = home.file(".ssh/authorized_keys");
    const QString table = home.file("tables/people.tvk");
    const QString question = "This table writes its stylesheet to " + keys + ". Write it there?";
    const struct {
        QStringList answers;
        bool replaced;
    } cases[] = {{{}, false}, {{"--answer", "No"}, false}, {{"--answer", "Yes"}, true}};
    for (const auto &c : cases) {
        buildSampleTable(table);
        workspace().current().xslFileDir = home.file(".ssh") + "/";
        workspace().current().xslFileName = "authorized_keys";
        ASSERT_TRUE(writeTableFile(table));
        QFile::remove(table.chopped(4) + ".xsl");
        writeFile(keys, "ssh-ed25519 AAAA me", true);

        const ToolRun run = tvktool(QStringList{"save", table} + c.answers);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_TRUE(QString::fromUtf8(run.err).contains(question)) << run.err.toStdString();
        EXPECT_EQ(readFile(keys).contains("xsl:stylesheet"), c.replaced);
        EXPECT_EQ(readFile(keys) == "ssh-ed25519 AAAA me", !c.replaced);
    }

    // Its default output beside the table is written without a question.
    buildSampleTable(table);
    workspace().current().xslFileDir = home.file("tables") + "/";
    ASSERT_TRUE(writeTableFile(table));
    const ToolRun run = tvktool({"save", table});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(readFile(home.file("tables/people.xsl")).contains("xsl:stylesheet"));
    EXPECT_EQ(tvktool({"save", table, "--answer", "Maybe"}).exitCode, 2);
}

TEST(TvkTool, SheetListsTheNodesPropertySheet)
{
    TempHome home;
    buildSampleTable(home.file("people.tvk"));
    workspace().current().store.set("Xpath-name@style", "/p/s\r\n[1]");
    ASSERT_TRUE(writeTableFile(home.file("people.tvk")));

    const ToolRun run = tvktool({"sheet", home.file("people.tvk"), "name-style"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QByteArray("verb\t103\tDelete Attribute\n"
                                  "verb\t117\tSave XSL\n"
                                  "verb\t113\tShow XSL\n"
                                  "Type\tAttribute\ttyped\tro\t\n"
                                  "Xpath\t/p/s\\r\\n[1]\tbutton\t-\t\n"
                                  "XSL\t\tnone\tro\t\n"
                                  "  XSL Calculated\tFalse\tlist\t-\tFalse|True\n"
                                  "  XSL Code\t\tbutton\t-\t\n"));
    EXPECT_EQ(tvktool({"sheet", home.file("people.tvk"), "nobody"}).exitCode, 1);
}
