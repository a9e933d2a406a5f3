// The side files written at a render, over a table the generator builds.
#include "documents/text_files.h"
#include "generator/side_files.h"
#include "generator/xsl_generator.h"
#include "support/scripted_ui.h"
#include "table_fixture.h"

#include <QDir>
#include <gtest/gtest.h>

TEST(SideFilesOfARender, XslFileHoldsTheOutputStylesheet)
{
    ScopedScriptedUi scripted;
    TableFixture table("Orders", "/orders/o");
    table.addColumn("name", "Text", "name");
    table.set("Enable Debug-Table", "True");
    TableDocument &doc = workspace().current();
    doc.rowLimitIndex = 4;

    generateXSLCode(false);
    const QString preview = doc.xslGenerated;
    ASSERT_TRUE(preview.contains("first 50"));
    QString output;
    {
        ProductionRunGuard guard;
        generateXSLCode(true);
        output = doc.xslGenerated;
    }
    ASSERT_NE(output, preview);
    doc.xslGenerated = preview;

    getXSLFile();
    EXPECT_EQ(readFile(table.home.file("Orders.xsl")), output);
    EXPECT_EQ(readFile(table.home.file("Orders.txp")), "/orders/o");
    EXPECT_EQ(doc.xslGenerated, preview);
    EXPECT_FALSE(workspace().productionRun);
    EXPECT_FALSE(doc.tableChanged);
    EXPECT_TRUE(scripted->messages.isEmpty());
}

TEST(SideFilesOfARender, TableWithoutFileWritesNone)
{
    TableFixture table("Orders", "/orders/o");
    workspace().current().tablePath.clear();
    workspace().current().xslGenerated = "<preview/>";
    getXSLFile();
    EXPECT_EQ(QDir(table.home.path()).entryList(QDir::Files), QStringList{"trusted-folders"});
    EXPECT_EQ(workspace().current().xslGenerated, "<preview/>");
}
