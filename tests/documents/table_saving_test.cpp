#include "documents/table_commands.h"
#include "documents/table_file_reader.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "generator/xsl_output_page.h"
#include "support/file_bytes.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"
#include "support/tvktool_run.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using Answer = UiServices::Answer;


class TableSaving : public ::testing::Test {
protected:
    TempHome home;
    ScopedScriptedUi ui;

    // The Save command writes the output page as the program's windows have it do.
    TableSaving() { installOutputPageWriter(); }

    // An open, changed table in the slot, not yet on disk.
    QString openChanged(int slot, const QString &name)
    {
        Workspace &ws = workspace();
        ws.slotUsed[size_t(slot)] = true;
        TableDocument &doc = ws.tables[size_t(slot)];
        doc.tablePath = home.file(name + ".tvk");
        doc.store.set("Caption-Table", name);
        doc.tableChanged = true;
        return doc.tablePath;
    }

    // Makes the table file unwritable: a folder stands in its place.
    void blockFile(const QString &path) { ASSERT_TRUE(QDir().mkpath(path)); }
};

} // namespace

TEST_F(TableSaving, SaveWritesTheTableThenItsDefaultXslOutput)
{
    const QString path = openChanged(0, "orders");
    EXPECT_TRUE(saveit());
    const TableDocument &doc = workspace().current();
    EXPECT_FALSE(doc.tableChanged);
    EXPECT_EQ(doc.xslFileName, "orders.xsl");
    EXPECT_EQ(doc.xslFileDir, home.path() + "/");
    EXPECT_EQ(readFile(home.file("orders.xsl")), doc.xslGenerated);
    EXPECT_TRUE(doc.xslGenerated.contains("xsl:stylesheet"));

    // The file reads back into an empty slot as the same table.
    workspace().tables[1].reset();
    const CurTableGuard guard(1);
    ASSERT_EQ(readTable(path), TableReadOutcome::Complete);
    EXPECT_EQ(workspace().current().store.value("Caption-Table"), "orders");
    EXPECT_EQ(workspace().current().tablePath, path);
}

TEST_F(TableSaving, CustomXslOutputIsKept)
{
    openChanged(0, "report.old");
    TableDocument &doc = workspace().current();
    doc.xslFileName = "custom.xsl";
    saveit();
    EXPECT_EQ(doc.xslFileName, "custom.xsl");
    EXPECT_EQ(doc.xslFileDir, home.path() + "/");
    // A table name is the file name before its first dot.
    doc.xslFileName.clear();
    saveit();
    EXPECT_EQ(doc.xslFileName, "report.xsl");
}

TEST_F(TableSaving, FailedWriteKeepsTheTableChangedAndStillWritesTheXslOutput)
{
    const QString path = openChanged(0, "orders");
    blockFile(path);
    EXPECT_FALSE(saveit());
    EXPECT_TRUE(workspace().current().tableChanged);
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_TRUE(ui->messages[0].startsWith("Cannot write to file " + path));
    EXPECT_TRUE(QFile::exists(home.file("orders.xsl")));
}

TEST_F(TableSaving, OpenTablesMatchByExactPath)
{
    const QString path = openChanged(3, "Orders");
    EXPECT_TRUE(isProjectOpen(path));
    EXPECT_FALSE(isProjectOpen(home.file("orders.tvk")));
    workspace().slotUsed[3] = false;
    EXPECT_FALSE(isProjectOpen(path));
}

TEST_F(TableSaving, CheckDirtyAsksInSlotOrderAndCancelStops)
{
    const QString second = openChanged(2, "second");
    const QString fifth = openChanged(5, "fifth");
    workspace().curTable = 5;
    ui->answers = {Answer::Cancel};
    EXPECT_FALSE(checkDirty(true));
    EXPECT_EQ(ui->questions,
              QStringList{"Table " + second + " has not been saved. Do you want to save it?"});
    EXPECT_FALSE(QFile::exists(second));
    EXPECT_FALSE(QFile::exists(fifth));
}

TEST_F(TableSaving, CheckDirtySavesOnYesAndLeavesOnNo)
{
    const QString second = openChanged(2, "second");
    const QString fifth = openChanged(5, "fifth");
    openChanged(7, "unchanged");
    workspace().tables[7].tableChanged = false;
    workspace().curTable = 7;
    ui->answers = {Answer::No, Answer::Yes};
    EXPECT_TRUE(checkDirty(true));
    EXPECT_EQ(ui->questions.size(), 2);
    EXPECT_FALSE(QFile::exists(second));
    EXPECT_TRUE(QFile::exists(fifth));
    EXPECT_TRUE(workspace().tables[2].tableChanged);
    EXPECT_FALSE(workspace().tables[5].tableChanged);
    EXPECT_EQ(workspace().curTable, 7);
}

TEST_F(TableSaving, CheckDirtyOfOneTableAsksOnlyAboutTheCurrentOne)
{
    openChanged(2, "second");
    workspace().curTable = 2;
    ui->answers = {Answer::No};
    EXPECT_TRUE(checkDirty(false));
    EXPECT_EQ(ui->questions.size(), 1);

    openChanged(4, "unchanged");
    workspace().tables[4].tableChanged = false;
    workspace().curTable = 4;
    EXPECT_TRUE(checkDirty(false));
    EXPECT_EQ(ui->questions.size(), 1);
}

TEST_F(TableSaving, FailedSaveAfterYesCountsAsCancel)
{
    const QString first = openChanged(1, "first");
    openChanged(3, "third");
    blockFile(first);
    ui->answers = {Answer::Yes};
    EXPECT_FALSE(checkDirty(true));
    EXPECT_EQ(ui->questions.size(), 1); // no question about the next table
    EXPECT_TRUE(workspace().tables[1].tableChanged);
    EXPECT_EQ(workspace().curTable, 0);
}

// The program ignores the signal of a file size limit, so that a write past it fails as on
// a full disk: the old files stay, the table stays changed (exit status 1) and the user is
// told. Writes under Qt's 16 KiB buffer used to fail only at the flush, unseen.
TEST_F(TableSaving, AFileSizeLimitKeepsTheOldFilesAndTheChangedMark)
{
    const QString path = openChanged(0, "orders");
    workspace().current().store.set("Caption-Table", QString(2000, u'x'));
    ASSERT_TRUE(saveit());
    const QByteArray oldTable = bytesOf(path);
    const QByteArray oldXsl = bytesOf(home.file("orders.xsl"));

    const ToolRun run = tvktoolWithFileSizeLimit(1, {"save", path});
    EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith(("Cannot write to file " + path + "\r\n").toUtf8()))
        << run.err.toStdString();
    EXPECT_EQ(bytesOf(path), oldTable);
    EXPECT_EQ(bytesOf(home.file("orders.xsl")), oldXsl);
    EXPECT_EQ(QDir(home.path()).entryList({"*.part"}, QDir::Files | QDir::Hidden), QStringList());
}
