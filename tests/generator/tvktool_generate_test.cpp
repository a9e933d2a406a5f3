// tvktool generate over a table file written by the program.
#include "documents/table_file_writer.h"
#include "generator/xsl_generator.h"
#include "libxslt_runner.h"
#include "table_fixture.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun tvktoolGenerate(const QStringList &arguments, const QString &workingFolder = {})
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.start(QStringLiteral(TVKTOOL_PATH), QStringList{"generate"} + arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class TvktoolGenerate : public ::testing::Test {
protected:
    void SetUp() override
    {
        table.addColumn("name", "Text", "/rows/row/name");
        table.addColumn("link", "Web Link");
        table.set("Enable Debug-Table", "True");
        table.set("Row (Debug)-Table", "dbg");
        workspace().current().rowLimitIndex = 2;
        path = table.home.file("T.tvk");
        ASSERT_TRUE(writeTableFile(path));
    }
    TableFixture table;
    QString path;
};

} // namespace

TEST_F(TvktoolGenerate, PrintsTheStoredStylesheetWithTheFilesRowLimit)
{
    const ToolRun run = tvktoolGenerate({path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    generateXSLCode(false);
    EXPECT_EQ(run.out, workspace().current().xslGenerated + "\n");
    EXPECT_TRUE(run.out.contains("<!-- Show only first 10 rows -->"));
    EXPECT_TRUE(run.out.contains("<xsl:for-each select=\"self::node()\">"));
    EXPECT_TRUE(runLibxslt(run.out, "<rows><row><name>a</name></row></rows>").transformed);
}

TEST_F(TvktoolGenerate, RowIndexAndOutputRuns)
{
    const ToolRun first5 = tvktoolGenerate({path, "--rows-index", "1"});
    EXPECT_TRUE(first5.out.contains("<!-- Show only first 5 rows -->"));
    EXPECT_FALSE(tvktoolGenerate({path, "--rows-index", "0"}).out.contains("Show only"));
    const ToolRun output = tvktoolGenerate({"--production", path});
    EXPECT_EQ(output.exitCode, 0);
    EXPECT_FALSE(output.out.contains("Show only"));
    EXPECT_FALSE(output.out.contains("dbg"));
}

TEST_F(TvktoolGenerate, RelativeTablePathCountsFromTheWorkingFolder)
{
    table.set("Import XSLT Files-Table", table.home.file("lib/x.xsl"));
    ASSERT_TRUE(writeTableFile(path));
    const ToolRun absolute = tvktoolGenerate({path});
    ASSERT_EQ(absolute.exitCode, 0) << absolute.err.toStdString();
    EXPECT_TRUE(absolute.out.contains("<xsl:import href=\"lib/x.xsl\"/>"));
    const ToolRun relative = tvktoolGenerate({"T.tvk"}, table.home.path());
    EXPECT_EQ(relative.exitCode, 0) << relative.err.toStdString();
    EXPECT_EQ(relative.out, absolute.out);
}

TEST_F(TvktoolGenerate, RefusesBadArguments)
{
    EXPECT_EQ(tvktoolGenerate({path, "--rows-index", "5"}).exitCode, 2);
    EXPECT_EQ(tvktoolGenerate({path, "--rows-index"}).exitCode, 2);
    EXPECT_EQ(tvktoolGenerate({path, "--fast"}).exitCode, 2);
    EXPECT_EQ(tvktoolGenerate({table.home.file("missing.tvk")}).exitCode, 1);
}

TEST_F(TvktoolGenerate, UnwellFormedStylesheetIsPrintedAndReported)
{
    table.addColumn("code", "XSL Code");
    table.set("XSL Code-code@xslCode", "<b>open");
    ASSERT_TRUE(writeTableFile(path));
    const ToolRun run = tvktoolGenerate({path});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.startsWith("<xsl:stylesheet version='1.0'"));
    EXPECT_TRUE(run.err.contains("not well-formed")) << run.err.toStdString();
}
