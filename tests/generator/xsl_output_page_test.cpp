#include "documents/text_files.h"
#include "documents/workspace.h"
#include "generator/xsl_output_page.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

namespace {

using Answer = UiServices::Answer;

// A saved table "orders" with one column in the data folder.
TableDocument &ordersTable(const TempHome &home)
{
    TableDocument &doc = workspace().current();
    doc.tablePath = home.file("orders.tvk");
    doc.store.set("Xpath-Table", "/rows/row");
    doc.store.set("Type-c1", "Text");
    doc.tree.add("Table", "c1", "c1");
    doc.tree.add("c1", "c1-value", "value");
    doc.rowLimitIndex = 1;
    return doc;
}

} // namespace

TEST(XslOutputPage, FirstSaveAsksWithTheTableNameThenWritesWithoutAsking)
{
    TempHome home;
    ScopedScriptedUi ui;
    TableDocument &doc = ordersTable(home);
    ui->fileAnswers = {home.file("out.xsl")};
    savePage();
    ASSERT_EQ(ui->fileDialogs.size(), 1);
    EXPECT_EQ(ui->fileDialogs[0].title, "Save XSL");
    EXPECT_EQ(ui->fileDialogs[0].filter, "XSL files|*.xsl");
    EXPECT_EQ(ui->fileDialogs[0].fileName, "orders.xsl");
    EXPECT_TRUE(ui->fileDialogs[0].isSave);
    EXPECT_EQ(doc.xslFileName, "out.xsl");
    EXPECT_EQ(doc.xslFileDir, home.path() + "/");

    const QString written = readFile(home.file("out.xsl"));
    EXPECT_EQ(written, doc.xslGenerated);
    EXPECT_FALSE(written.contains("position() &lt; 6")) << "output runs have no row limit";
    EXPECT_FALSE(workspace().productionRun);

    doc.store.set("Page Title-Table", "Second");
    savePage();
    EXPECT_EQ(ui->fileDialogs.size(), 1);
    EXPECT_TRUE(readFile(home.file("out.xsl")).contains("Second"));
    EXPECT_TRUE(ui->questions.isEmpty());
}

TEST(XslOutputPage, ExistingFileAsksAndNoChoosesAgain)
{
    TempHome home;
    ScopedScriptedUi ui;
    TableDocument &doc = ordersTable(home);
    writeFile(home.file("taken.xsl"), "keep", true);
    ui->fileAnswers = {home.file("taken.xsl"), home.file("free.xsl")};
    ui->answers = {Answer::No};
    savePageAs();
    EXPECT_EQ(ui->questions, QStringList{"File already exists. Overwrite?"});
    EXPECT_EQ(ui->fileDialogs.size(), 2);
    EXPECT_EQ(readFile(home.file("taken.xsl")), "keep");
    EXPECT_EQ(doc.xslFileName, "free.xsl");
}

TEST(XslOutputPage, CancelWritesAndChangesNothing)
{
    TempHome home;
    ScopedScriptedUi ui;
    TableDocument &doc = ordersTable(home);
    doc.xslFileName = "kept.xsl";
    savePageAs();
    EXPECT_EQ(doc.xslFileName, "kept.xsl");
    EXPECT_EQ(doc.xslFileDir, "");
    EXPECT_FALSE(normalFileExists(home.file("kept.xsl")));
}

// A file that cannot be written does not become the table's output page.
TEST(XslOutputPage, FailedWriteKeepsTheOutputPage)
{
    TempHome home;
    ScopedScriptedUi ui;
    TableDocument &doc = ordersTable(home);
    doc.xslFileName = "old.xsl";
    doc.xslFileDir = home.path() + "/";
    ui->fileAnswers = {home.file("no such folder/new.xsl")};
    savePageAs();
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_TRUE(ui->messages[0].startsWith("Cannot write to file "));
    EXPECT_EQ(doc.xslFileName, "old.xsl");
    EXPECT_EQ(doc.xslFileDir, home.path() + "/");
}
