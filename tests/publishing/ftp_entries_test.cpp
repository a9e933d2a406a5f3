// Directory entries, the listing reader and the FTP client's behaviour without a server.
#include "publishing/aspftp.h"
#include "publishing/ftp_listing.h"

#include <gtest/gtest.h>

TEST(FtpEntries, AttributeTestsReadOneBitEach)
{
    clsItem item;
    item.Attributes(0x11);
    EXPECT_TRUE(item.IsReadOnly());
    EXPECT_TRUE(item.IsDirectory());
    EXPECT_FALSE(item.IsHidden() || item.IsSystem() || item.IsArchive() || item.IsNormal() ||
                 item.IsTemporary() || item.IsCompressed() || item.IsOffline());
    item.Attributes(0x1ba6);
    EXPECT_TRUE(item.IsHidden() && item.IsSystem() && item.IsArchive() && item.IsNormal() &&
                item.IsTemporary() && item.IsCompressed() && item.IsOffline());
}

TEST(FtpEntries, ListKeepsOrderAndNamesDifferingInCase)
{
    colItem list;
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    list.Add("a", 1);
    list.Add("A", 2);
    list.Add("c", 3);
    EXPECT_EQ(list.Remove(0), -1);
    EXPECT_EQ(list.Remove(4), -1);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Remove(1), 0);
    EXPECT_EQ(list.Item(1).Name(), "A");
    EXPECT_EQ(list.Item(2).Attributes(), 3u);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(FtpListing, UnixAndDosLinesGiveNamesAndAttributes)
{
    struct Case {
        const char *line;
        const char *name; // nullptr: no entry
        quint32 attributes;
    } cases[] = {
        {"drwxr-xr-x   2 owner group  4096 Jan 01 12:00 folder", "folder", clsItem::directory},
        {"dr-xr-xr-x   2 owner group  4096 Jan 01 12:00 locked", "locked", clsItem::directory | clsItem::readOnly},
        {"-rw-r--r--   1 owner group   120 Dec 31  2019 two  blanks ", "two  blanks ", clsItem::normal},
        {"-r--r--r--   1 owner          120 Mar  5 09:41 ro.txt", "ro.txt", clsItem::readOnly},
        {"lrwxrwxrwx   1 owner group     7 Jan 01 12:00 link -> target", "link", clsItem::normal},
        {"-rw-r--r--   1 o g 1 Jan 01 12:00 Jan 02 2000 x", "Jan 02 2000 x", clsItem::normal},
        {"01-29-97  11:32PM       <DIR>          dos folder", "dos folder", clsItem::directory},
        {"01-29-1997  23:32           1234 file.txt", "file.txt", clsItem::normal},
        {"drwxr-xr-x   2 owner group  4096 Jan 01 12:00 .", nullptr, 0},
        {"drwxr-xr-x   2 owner group  4096 Jan 01 12:00 ..", nullptr, 0},
        {"total 12", nullptr, 0},
        {"garbage", nullptr, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line);
        colItem list;
        parseListing(QString::fromLatin1(c.line) + "\r\n", list);
        ASSERT_EQ(list.Count(), c.name ? 1 : 0);
        if (c.name) {
            EXPECT_EQ(list.Item(1).Name().toStdString(), c.name);
            EXPECT_EQ(list.Item(1).Attributes(), c.attributes);
        }
    }
}

TEST(AspftpOffline, NewObjectAndOperationsWithoutConnection)
{
    ASPFTP ftp;
    EXPECT_TRUE(ftp.bOverWrite());
    EXPECT_EQ(ftp.lFileAccess(), 1);
    EXPECT_EQ(ftp.lTransferType(), 1);
    EXPECT_TRUE(ftp.bPassiveMode());
    EXPECT_EQ(ftp.sUserID(), "anonymous");
    EXPECT_EQ(ftp.sError(), "0: ");

    EXPECT_FALSE(ftp.bConnect());
    EXPECT_EQ(ftp.sError(), "-1: Server name required.");
    EXPECT_FALSE(ftp.bMakeDir("x"));
    EXPECT_EQ(ftp.sError(), "-1: No available connection.");
    EXPECT_EQ(ftp.sGetCurrentDir(), "-1: No available connection.");
    EXPECT_EQ(ftp.lErrorNum(), 0);
    EXPECT_EQ(ftp.sReadFile(), "");
    EXPECT_EQ(ftp.sError(), "-1: No File Opened.");
    EXPECT_EQ(ftp.sGetDirName(0), "");
    EXPECT_EQ(ftp.sError(), "-1: Index out of range.");

    ftp.sServerName("  host  ");
    ftp.sPassword(" pass word ");
    EXPECT_EQ(ftp.sServerName(), "host");
    EXPECT_EQ(ftp.sPassword(), " pass word ");
    EXPECT_EQ(ASPFTP::sConvertCrLf("a\r\nb\r\nc\n\rd\r"), "a<br>b<br>c\n\rd\r");
}
