#include "documents/side_file_restore.h"
#include "documents/table_file_writer.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "sample_table.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

const QStringList extensions{".xmf", ".xsl", ".txp", ".txi", ".xmp", ".tic"};

// A called table "people" in the folder sub (relative to the data folder), written with
// its side files from the sample; the calling table lies in the data folder itself.
class SideFileRestore : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir(home.path()).mkpath("sub");
        buildSampleTable(home.file("sub/people.tvk"));
        writeFile(home.file("sub/people.txp"), "/people/person", true);
        writeTableFile(home.file("sub/people.tvk"));
        workspace().current().tablePath = home.file("caller.tvk");
    }

    QString side(const QString &extension) const
    {
        return readFile(home.file("sub/people" + extension));
    }
    bool exists(const QString &extension) const
    {
        return QFile::exists(home.file("sub/people" + extension));
    }
    void removeAll() const
    {
        for (const QString &extension : extensions)
            QFile::remove(home.file("sub/people" + extension));
    }

    TempHome home;
    ScopedScriptedUi ui;
};

} // namespace

TEST_F(SideFileRestore, PresentFilesAreTrusted)
{
    writeFile(home.file("sub/people.xsl"), "newer", true);
    restoreSideFiles("sub/people.tvk");
    EXPECT_EQ(side(".xsl"), "newer");
}

TEST_F(SideFileRestore, OneMissingFileRewritesAllSix)
{
    writeFile(home.file("sub/people.xsl"), "newer", true);
    QFile::remove(home.file("sub/people.tic"));
    restoreSideFiles("sub/people.TVK");
    EXPECT_EQ(side(".xmf"), "/data/people.xml");
    EXPECT_EQ(side(".xsl"), "<xsl/>");
    EXPECT_EQ(side(".txp"), "/people/person");
    EXPECT_EQ(side(".tic"), "a\r\nb");
    EXPECT_TRUE(ui->messages.isEmpty());
}

TEST_F(SideFileRestore, FolderStepsAreFollowedFromTheCallersFolder)
{
    QDir(home.path()).mkpath("other");
    workspace().current().tablePath = home.file("other/caller.tvk");
    removeAll();
    restoreSideFiles("../sub/people.tvk");
    for (const QString &extension : extensions)
        EXPECT_TRUE(exists(extension)) << extension.toStdString();
}

TEST_F(SideFileRestore, NeverPreviewedTableGivesEmptySideFiles)
{
    removeAll();
    QFile tvk(home.file("sub/people.tvk"));
    ASSERT_TRUE(tvk.open(QIODevice::WriteOnly));
    tvk.write("\x04\x04\x04\x04\x05\x05\x05\x05\x05\x05\x05\r\n");
    tvk.close();
    restoreSideFiles("sub/people.tvk.tvk");
    for (const QString &extension : extensions) {
        QFile file(home.file("sub/people" + extension));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("\r\n"));
    }
}

TEST_F(SideFileRestore, CutTailWritesTheCompletePieces)
{
    removeAll();
    QFile tvk(home.file("sub/people.tvk"));
    ASSERT_TRUE(tvk.open(QIODevice::WriteOnly));
    tvk.write("\x04\x05one\x05two\x05thr");
    tvk.close();
    restoreSideFiles("sub/people.tvk");
    EXPECT_EQ(side(".xmf"), "one");
    EXPECT_EQ(side(".xsl"), "two");
    EXPECT_FALSE(exists(".txp"));
}

TEST_F(SideFileRestore, NothingHappensWithoutASource)
{
    removeAll();
    restoreSideFiles("");
    restoreSideFiles("sub/people.xml");
    restoreSideFiles("sub/absent.tvk");
    QFile tvk(home.file("sub/people.tvk"));
    ASSERT_TRUE(tvk.open(QIODevice::WriteOnly));
    tvk.write("no side files\r\n");
    tvk.close();
    restoreSideFiles("sub/people.tvk");
    for (const QString &extension : extensions)
        EXPECT_FALSE(exists(extension));
    EXPECT_FALSE(QFile::exists(home.file("sub/absent.xmf")));
    EXPECT_TRUE(ui->messages.isEmpty());
}

TEST_F(SideFileRestore, AFailedWriteIsReportedAndTheOthersAreWritten)
{
    removeAll();
    QDir(home.path()).mkpath("sub/people.xsl");
    restoreSideFiles("sub/people.tvk");
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_TRUE(ui->messages[0].startsWith("Cannot write to file " + home.file("sub/people.xsl")));
    EXPECT_EQ(side(".tic"), "a\r\nb");
}
