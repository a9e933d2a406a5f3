#include "documents/settings_files.h"
#include "documents/text_files.h"
#include "support/file_bytes.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

TEST(TextFiles, CrLfIsAddedAndRemovedOnce)
{
    TempHome home;
    const QString path = home.file("t.txt");
    ASSERT_TRUE(writeFile(path, "", false));
    EXPECT_EQ(bytesOf(path), QByteArray("\r\n"));
    EXPECT_EQ(readFile(path), "");

    writeFile(path, "line\r\n", false);
    EXPECT_EQ(bytesOf(path), QByteArray("line\r\n\r\n"));
    EXPECT_EQ(readFile(path), "line\r\n");

    writeBytes(path, "x");
    EXPECT_EQ(readFile(path), "x");
    writeBytes(path, "\r\n\r\n");
    EXPECT_EQ(readFile(path), "\r\n");
    writeBytes(path, "\n");
    EXPECT_EQ(readFile(path), "\n");
}

TEST(TextFiles, UnicodeIsWrittenAsUtf8AndOldFilesReadAsWindows1252)
{
    TempHome home;
    const QString path = home.file("u.txt");
    writeFile(path, QString::fromUtf8("Grüße €"), true);
    EXPECT_EQ(bytesOf(path), QByteArray("Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac\r\n"));
    EXPECT_EQ(readFile(path), QString::fromUtf8("Grüße €"));

    writeBytes(path, QByteArray("caf\xe9 \x80 \x96"));
    EXPECT_EQ(readFile(path), QString::fromUtf8("café € –"));
}

TEST(TextFiles, MissingFileReadsEmptyAndShowsNothing)
{
    TempHome home;
    ScopedScriptedUi ui;
    EXPECT_EQ(readFile(home.file("absent")), "");
    EXPECT_TRUE(ui->messages.isEmpty());
}

TEST(TextFiles, FailedWriteKeepsTheOldFileAndReports)
{
    TempHome home;
    ScopedScriptedUi ui;
    const QString folder = home.file("sub");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/keep.txt";
    ASSERT_TRUE(writeFile(path, "old", false));

    // A target whose folder vanished cannot be written.
    const QString gone = home.file("gone/keep.txt");
    EXPECT_FALSE(writeFile(gone, "new", false));
    EXPECT_FALSE(lastWriteOk);
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_EQ(ui->messages[0],
              "Cannot write to file " + gone +
                  "\r\n\r\nPlease check if file name is incorrect, file is read-only, or if "
                  "there is enough disk space");

    // A target that is a folder cannot be replaced either; the old content stays.
    EXPECT_FALSE(writeFile(folder, "new", true));
    EXPECT_EQ(ui->messages.size(), 1);
    EXPECT_EQ(readFile(path), "old");
    EXPECT_TRUE(writeFile(path, "new", true));
    EXPECT_TRUE(lastWriteOk);
    EXPECT_EQ(readFile(path), "new");
}

// A written file keeps the mode of the regular file it replaces; a new one, and one put in
// place of a symbolic link, gets a new file's mode under the process's umask. No
// temporary file is left behind.
TEST(TextFiles, WrittenFilesTakeTheModeOfWhatTheyReplace)
{
    TempHome home;
    const mode_t oldMask = umask(077);
    using P = QFile::Permission;
    const QFile::Permissions ownerRw = P::ReadOwner | P::WriteOwner | P::ReadUser | P::WriteUser;
    const QFile::Permissions groupRead = ownerRw | P::ReadGroup;
    writeBytes(home.file("kept"), "old");
    QFile::setPermissions(home.file("kept"), groupRead);
    writeBytes(home.file("target"), "precious");
    QFile::setPermissions(home.file("target"), groupRead | P::ReadOther);
    QFile::link(home.file("target"), home.file("link"));
    const struct {
        const char *name;
        QFile::Permissions mode;
    } cases[] = {{"new", ownerRw}, {"kept", groupRead}, {"link", ownerRw}};
    for (const auto &c : cases) {
        EXPECT_TRUE(writeFile(home.file(c.name), "text", true)) << c.name;
        EXPECT_EQ(QFile::permissions(home.file(c.name)), c.mode) << c.name;
    }
    umask(oldMask);
    EXPECT_EQ(bytesOf(home.file("target")), "precious");
    EXPECT_EQ(QDir(home.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).size(), 4);
}

// A write removes the new files that writes killed halfway left in its folder; not those
// of a live process, nor recent ones, nor links or files of other names.
TEST(TextFiles, WritesRemoveTheNewFilesOfKilledWritesBesideThem)
{
    TempHome home;
    const QString gone = ".tarvik-999999999-0123abcd.part"; // beyond the largest process id
    const struct {
        QString name;
        bool old;
        bool removed;
    } cases[] = {{gone, true, true},
                 {".tarvik-999999999-89abcdef.part", false, false},
                 {QStringLiteral(".tarvik-%1-0123abcd.part").arg(getpid()), true, false},
                 {gone + ".bak", true, false}};
    for (const auto &c : cases) {
        QFile file(home.file(c.name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        if (c.old)
            file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFile::FileModificationTime);
    }
    QFile::link(home.file(gone + ".bak"), home.file(".tarvik-999999999-fedcba98.part"));
    ASSERT_TRUE(writeFile(home.file("t.txt"), "text", true));
    for (const auto &c : cases)
        EXPECT_EQ(QFile::exists(home.file(c.name)), !c.removed) << c.name.toStdString();
    EXPECT_TRUE(QFileInfo(home.file(".tarvik-999999999-fedcba98.part")).isSymLink());
}

TEST(SettingsFiles, LiveInTheDataFolder)
{
    TempHome home;
    EXPECT_EQ(dataFolder(), QDir::cleanPath(home.path()));
    EXPECT_FALSE(settingExists("set-lastfile"));
    EXPECT_EQ(readSetting("set-lastfile"), "");
    ASSERT_TRUE(writeSetting("set-lastfile", "/t/a.tvk\r\n"));
    EXPECT_EQ(bytesOf(home.file("set-lastfile")), QByteArray("/t/a.tvk\r\n\r\n"));
    EXPECT_EQ(readSetting("set-lastfile"), "/t/a.tvk\r\n");

    ASSERT_TRUE(QDir(home.path()).mkdir("tables"));
    writeSetting("tables\\set-tipx", "done");
    EXPECT_EQ(readFile(home.file("tables/set-tipx")), "done");
    deleteSetting("tables\\set-tipx");
    EXPECT_FALSE(settingExists("tables/set-tipx"));
}
