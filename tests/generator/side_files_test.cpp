#include "documents/store_access.h"
#include "documents/workspace.h"
#include "generator/side_files.h"
#include "support/file_bytes.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

class SideFiles : public ::testing::Test {
protected:
    TempHome home;
    ScopedScriptedUi scripted;
    QString folder;

    void SetUp() override
    {
        folder = home.file("t") + '/';
        QDir().mkpath(folder);
    }
};

} // namespace

TEST_F(SideFiles, NamesAndBytesForASavedTable)
{
    TableDocument &doc = workspace().current();
    doc.tablePath = folder + "Orders.tvk";
    doc.xmlPath = "/data/orders.xml";
    doc.xslGenerated = "<preview/>";
    doc.xslFileDir = "/www/";
    doc.xslFileName = "Orders.xsl";
    setKey("Xpath-Table", "/orders/o", false);
    setKey("XSLT Input Parameters-Table", QString("a") + QChar(14) + "1" + QChar(15), false);
    setKey("Table Interface-Table", QString("n") + QChar(14) + "d" + QChar(14) + "/x" +
                                        QChar(15) + "tpl" + QChar(16), false);

    writeSideFiles(QString::fromUtf8("<xsl:stylesheet>ü</xsl:stylesheet>"));

    EXPECT_EQ(bytesOf(folder + "Orders.xmf"), "/data/orders.xml\r\n");
    EXPECT_EQ(bytesOf(folder + "Orders.xsl"), "<xsl:stylesheet>\xc3\xbc</xsl:stylesheet>\r\n");
    EXPECT_EQ(bytesOf(folder + "Orders.xmp"), "/www/Orders.xsl\r\n");
    EXPECT_EQ(bytesOf(folder + "Orders.txp"), "/orders/o\r\n");
    EXPECT_EQ(bytesOf(folder + "Orders.txi"), "a\x0e" "1\x0f\r\n");
    EXPECT_EQ(bytesOf(folder + "Orders.tic"), "n\x0e" "d\x0e/x\x0ftpl\x10\r\n");
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 6);
    EXPECT_TRUE(scripted->messages.isEmpty());
    EXPECT_FALSE(doc.tableChanged);
}

TEST_F(SideFiles, EmptyValuesStillGiveTheirFiles)
{
    workspace().current().tablePath = folder + "Bare.tvk";
    writeSideFiles("");
    for (const char *extension : {".xmf", ".xsl", ".xmp", ".txp", ".txi", ".tic"})
        EXPECT_EQ(bytesOf(folder + "Bare" + extension), "\r\n") << extension;
}

TEST_F(SideFiles, TableWithoutFileWritesNone)
{
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder);
    writeSideFiles("<x/>");
    QDir::setCurrent(before);
    EXPECT_TRUE(QDir(folder).entryList(QDir::Files).isEmpty());
    EXPECT_TRUE(QDir(home.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(SideFiles, FailedWriteIsReportedAndTheRestWritten)
{
    workspace().current().tablePath = folder + "Orders.tvk";
    QDir().mkpath(folder + "Orders.xsl");
    writeSideFiles("<x/>");
    ASSERT_EQ(scripted->messages.size(), 1);
    EXPECT_TRUE(scripted->messages[0].startsWith("Cannot write to file " + folder + "Orders.xsl"));
    for (const char *extension : {".xmf", ".xmp", ".txp", ".txi", ".tic"})
        EXPECT_TRUE(QFile::exists(folder + "Orders" + extension)) << extension;
}
