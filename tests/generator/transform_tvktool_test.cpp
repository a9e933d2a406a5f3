// tvktool transform over a saved table file.
#include "documents/table_file_writer.h"
#include "documents/text_files.h"
#include "call_table_fixture.h"
#include "support/parsed_html.h"
#include "table_fixture.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun tvktool(const QStringList &arguments, const QString &workingFolder = {})
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.start(QStringLiteral(TVKTOOL_PATH), QStringList{"transform"} + arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

// A saved one-column table over twelve rows.
class TvktoolTransform : public ::testing::Test {
protected:
    TableFixture table{"Orders", "/orders/o"};
    QString tablePath;

    void SetUp() override
    {
        QString xml = "<orders>";
        for (int i = 1; i <= 12; ++i)
            xml += QString("<o><name>n%1</name></o>").arg(i);
        workspace().current().xmlPath = table.home.file("orders.xml");
        writeFile(workspace().current().xmlPath, xml + "</orders>", true);
        table.addColumn("name", "Text", "/orders/o/name");
        save();
    }
    void save()
    {
        tablePath = workspace().current().tablePath;
        ASSERT_TRUE(writeTableFile(tablePath));
    }
};

} // namespace

TEST_F(TvktoolTransform, PrintsThePageWithTheRowLimitAsAsked)
{
    const ToolRun all = tvktool({tablePath});
    EXPECT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_EQ(all.out.count("<td"), 12);
    EXPECT_TRUE(all.out.contains("n12"));

    EXPECT_EQ(tvktool({tablePath, "--rows-index", "1"}).out.count("<td"), 5);
    EXPECT_EQ(tvktool({tablePath, "--rows-index", "4", "--production"}).out.count("<td"), 12);
    EXPECT_EQ(tvktool({tablePath, "--rows-index", "9"}).exitCode, 2);
    EXPECT_EQ(tvktool({"--production"}).exitCode, 2);
}

TEST_F(TvktoolTransform, RunsThePlugInOfTheTable)
{
    const ToolRun builtIn = tvktool({tablePath});
    table.set("Use Plug In XSLT-Table", "True");
    table.set("XSLT Command Line-Table", "xsltproc xslFileName xmlFileName");
    save();
    const ToolRun plugIn = tvktool({tablePath});
    EXPECT_EQ(plugIn.exitCode, 0) << plugIn.err.toStdString();
    EXPECT_EQ(parsedHtml(plugIn.out).toStdString(), parsedHtml(builtIn.out).toStdString());

    table.set("XSLT Command Line-Table", "/no/such/xsltproc xslFileName xmlFileName");
    save();
    const ToolRun missing = tvktool({tablePath});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "Failed to create process, check the path of the command line.\n");

    table.set("XSLT Command Line-Table", "sh -c \"echo page; echo bad >&2; exit 3\"");
    save();
    for (const QStringList &run :
         {QStringList{tablePath}, QStringList{tablePath, "--production"}}) {
        const ToolRun failing = tvktool(run);
        EXPECT_EQ(failing.exitCode, 1);
        EXPECT_EQ(failing.out, "");
        EXPECT_EQ(failing.err, "The plug-in XSLT processor ended with exit status 3.\nbad\n");
    }
}

TEST_F(TvktoolTransform, FailureGoesToStderr)
{
    writeFile(workspace().current().xmlPath, "<orders><o></orders>", true);
    const ToolRun broken = tvktool({tablePath});
    EXPECT_EQ(broken.exitCode, 1);
    EXPECT_EQ(broken.out, "");
    EXPECT_TRUE(broken.err.startsWith("Error in XML document: ")) << broken.err.toStdString();
}

// Without --production the tool renders as the preview does; an output run writes nothing.
TEST_F(TvktoolTransform, PreviewRunWritesTheSideFilesAndThePage)
{
    const QString page = table.home.file("pages/browser-1.html");
    ASSERT_EQ(tvktool({tablePath, "--production"}).exitCode, 0);
    EXPECT_FALSE(normalFileExists(page));
    EXPECT_FALSE(normalFileExists(table.home.file("Orders.txp")));

    const ToolRun preview = tvktool({tablePath, "--rows-index", "1"});
    ASSERT_EQ(preview.exitCode, 0) << preview.err.toStdString();
    EXPECT_EQ(readFile(page), preview.out);
    EXPECT_EQ(readFile(table.home.file("Orders.txp")), "/orders/o");
    // The ".xsl" side file is what calling tables import: all rows.
    EXPECT_FALSE(readFile(table.home.file("Orders.xsl")).contains("first 5"));

    // A data folder that does not exist yet is made, as the program makes it at its start.
    qputenv("TARVIK_HOME", table.home.file("new/data").toUtf8());
    const ToolRun fresh = tvktool({tablePath});
    EXPECT_EQ(fresh.err, "");
    EXPECT_EQ(readFile(table.home.file("new/data/pages/browser-1.html")), fresh.out);
}

// The example tables name their XML documents by bare names, found beside each table
// whatever the working folder.
TEST(TvktoolTransformExamples, RenderFromAnyWorkingFolder)
{
    TempHome home;
    QDir().mkpath(home.file("examples"));
    const QDir examples(TARVIK_SOURCE_DIR "/resources/examples");
    for (const QString &name : examples.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(examples.filePath(name), home.file("examples/" + name)));
    const struct {
        QString table;
        QString workingFolder;
        QString shown;
    } runs[] = {{"examples/demo_orders.tvk", home.path(), QString::fromUtf8("Harbourside Café")},
                {home.file("examples/demo_books.tvk"), "/", "The Silent Harbour"}};
    for (const auto &run : runs) {
        const ToolRun result = tvktool({run.table}, run.workingFolder);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_TRUE(result.out.contains(run.shown)) << result.out.toStdString();
    }
}

// Named on the command line, a table runs trusted; --restricted holds its stylesheet to its
// folder and leaves its plug-in unrun.
TEST_F(TvktoolTransform, RestrictedRunReadsNoFileOutsideTheTablesFolder)
{
    const QTemporaryDir outside;
    writeFile(outside.filePath("notes.xml"), "<notes>secret-notes</notes>", true);
    table.addColumn("code", "XSL Code");
    table.set("XSL Code-code@xslCode",
              "<xsl:value-of select=\"document('" + outside.filePath("notes.xml") + "')\"/>");
    save();
    EXPECT_TRUE(tvktool({tablePath}).out.contains("secret-notes"));
    const ToolRun restricted = tvktool({tablePath, "--restricted"});
    EXPECT_TRUE(restricted.out.contains("n12")) << restricted.err.toStdString();
    EXPECT_FALSE(restricted.out.contains("secret-notes"));
    table.set("Use Plug In XSLT-Table", "True");
    table.set("XSLT Command Line-Table", "xsltproc xslFileName xmlFileName");
    save();
    const ToolRun plugIn = tvktool({tablePath, "--restricted"});
    EXPECT_EQ(plugIn.exitCode, 1);
    EXPECT_TRUE(plugIn.err.contains("is not shown: its plug-in XSLT processor xsltproc xslFileName "
                                    "xmlFileName was not run.")) << plugIn.err.toStdString();
}

// A restricted run reads the folders of the tables its table really calls, links resolved,
// and no other: not one a callee names for a table that is not there or a file that is no
// table, nor one reached through a linked folder that holds no such table, nor that of a
// table named by a column the callee does not have.
TEST(TvktoolRestrictedCalls, OpenOnlyTheFoldersOfTablesReallyCalled)
{
    CallTableFixture f;
    const QTemporaryDir outside;
    writeFile(outside.filePath("notes.xml"), "<notes>secret-notes</notes>", true);
    ASSERT_TRUE(QFile::link(outside.path(), f.callerDir() + "linked"));
    f.caller.addColumn("code", "XSL Code");
    f.caller.set("XSL Code-code@xslCode",
                 "<xsl:value-of select=\"document('" + outside.filePath("notes.xml") + "')\"/>");
    f.addCall("call", "Helper.tvk");
    const QString callerPath = workspace().current().tablePath;
    const auto restrictedRun = [&] {
        EXPECT_TRUE(writeTableFile(callerPath));
        return tvktool({callerPath, "--restricted"});
    };
    f.writeCalled("caller/linked", {}, "Real");
    for (const QString &named : {outside.filePath("x.tvk"), outside.filePath("notes.xml"),
                                 QString("linked/x.tvk"), QString("linked/Real.tvk")}) {
        f.writeCalled("caller", {{"Type-zz", "Call Table"}, {"Table-zz@table", named}}, "Helper");
        const ToolRun run = restrictedRun();
        EXPECT_TRUE(run.out.contains("r1")) << named.toStdString() << run.err.toStdString();
        EXPECT_FALSE(run.out.contains("secret-notes")) << named.toStdString();
    }
    f.addCall("far", "linked/Real.tvk");
    EXPECT_TRUE(restrictedRun().out.contains("secret-notes")) << "a table really called";
}
