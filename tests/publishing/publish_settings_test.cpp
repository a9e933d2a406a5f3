// The ten publish settings files of a table and the scrambled password.
#include "documents/settings_files.h"
#include "publish_table.h"
#include "publishing/publish_settings.h"
#include "support/file_bytes.h"
#include "support/temp_home.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(PublishSettings, PasswordsScrambleOneUpInWindows1252AndWrapAround)
{
    struct Case {
        QString plain;
        QString stored;
    } cases[] = {
        {"abc", "bcd"},
        {"", ""},
        {QString(QChar(0xff)), QString(QChar(0))},
        {QString(QChar(0x20ac)), QString(QChar(0x81))}, // the euro sign is 0x80
        {QString(QChar(0x7f)), QString(QChar(0x20ac))},
        {QString(QChar(0x4e2d)), QString(QChar(0x4e2d))}, // outside Windows-1252: as it is
    };
    for (const Case &c : cases) {
        EXPECT_EQ(scramblePassword(c.plain), c.stored);
        EXPECT_EQ(unscramblePassword(c.stored), c.plain);
    }
}

TEST(PublishSettings, FilesRoundTripPerTableWithOwnerOnlyPassword)
{
    TempHome home;
    PublishSettings settings = samplePublishSettings();
    QFile old(settingsPath("set-ftp-password-books"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.close();
    old.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);

    ASSERT_TRUE(writePublishSettings("books", settings));
    const PublishSettings back = readPublishSettings("books");
    EXPECT_EQ(back.sname, settings.sname);
    EXPECT_EQ(back.password, settings.password);
    EXPECT_EQ(back.bypassproxy, settings.bypassproxy);
    EXPECT_EQ(back.passivemode, 0);
    EXPECT_EQ(back.dontx, 1);
    EXPECT_EQ(back.currSource, settings.currSource);
    EXPECT_EQ(bytesOf(settingsPath("set-ftp-passivemode-books")), "0\r\n");
    EXPECT_EQ(QFile(settingsPath("set-ftp-password-books")).permissions(),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);

    settings.password.clear();
    ASSERT_TRUE(writePublishSettings("other", settings));
    EXPECT_EQ(bytesOf(settingsPath("set-ftp-password-other")), "\r\n");
    EXPECT_EQ(QFile(settingsPath("set-ftp-password-other")).permissions(),
              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
    EXPECT_EQ(readPublishSettings("books").password, back.password);
}

TEST(PublishSettings, MissingFilesGiveDefaultsAndNonNumbersKeepTheCheckBox)
{
    TempHome home;
    const PublishSettings fresh = readPublishSettings("never");
    EXPECT_EQ(fresh.sname, "");
    EXPECT_EQ(fresh.passivemode, 1);
    EXPECT_EQ(fresh.dontx, 0);

    writeSetting("set-ftp-passivemode-t", "yes");
    writeSetting("set-ftp-dontx-t", "1");
    PublishSettings current;
    current.passivemode = 0;
    const PublishSettings read = readPublishSettings("t", current);
    EXPECT_EQ(read.passivemode, 0);
    EXPECT_EQ(read.dontx, 1);
}
