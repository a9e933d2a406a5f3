// The FTP client against a real server on the loopback interface.
#include "ftp_fixture.h"
#include "platform/file_size_signal.h"
#include "publishing/aspftp.h"
#include "support/file_bytes.h"

#include <QTemporaryDir>

#include <functional>
#include <sys/resource.h>

namespace {

class Aspftp : public FtpServerTest {
protected:
    void SetUp() override
    {
        FtpServerTest::SetUp();
        login(client, QStringLiteral("writer"));
    }

    void login(ASPFTP &ftp, const QString &user, const QString &password = QStringLiteral("secret"))
    {
        ftp.sServerName(server());
        ftp.sUserID(user);
        ftp.sPassword(password);
    }

    ASPFTP client;
    QTemporaryDir scratch;
};

} // namespace

// Failed commands too (the MKD of a folder that exists, as a publish into it does).
TEST_F(Aspftp, OneLoggedInConnectionCarriesEveryOperation)
{
    const auto serverLogins = [] { return ftpState("logins").count("counted"); };
    const qsizetype loginsBefore = serverLogins();
    login(client, "counted");
    ASSERT_TRUE(client.bConnect()) << client.sError().toStdString();
    EXPECT_EQ(client.sGetCurrentDir(), "/");
    EXPECT_TRUE(client.bSetCurrentDir(folder));
    EXPECT_TRUE(client.bMakeDir("sub"));
    EXPECT_FALSE(client.bMakeDir("sub"));
    EXPECT_FALSE(client.bSetCurrentDir("missing"));
    EXPECT_TRUE(client.bSetCurrentDir("sub"));
    EXPECT_EQ(client.sGetCurrentDir(), remote("sub"));
    writeBytes(scratch.filePath("f"), "x");
    EXPECT_TRUE(client.bPutFile(scratch.filePath("f"), "f.txt"));
    EXPECT_FALSE(client.bPutFile(scratch.filePath("f"), "missing/f.txt"));
    EXPECT_FALSE(client.bGetFile("missing.txt", scratch.filePath("g")));
    EXPECT_FALSE(client.bOpenFile("missing/f.txt"));
    EXPECT_FALSE(client.bRename("missing.txt", "h.txt"));
    EXPECT_FALSE(client.bDeleteFile("missing.txt"));
    EXPECT_FALSE(client.bGetDir("missing", 0));
    EXPECT_TRUE(client.bRename("f.txt", "../g.txt"));
    EXPECT_TRUE(client.bSetCurrentDir(".."));
    QStringList listed = client.sListDir("", 0).split(';');
    listed.sort();
    EXPECT_EQ(listed, (QStringList{"g.txt", "sub"}));
    EXPECT_TRUE(client.bDeleteFile("g.txt"));
    EXPECT_TRUE(client.bRemoveDir("sub"));
    EXPECT_EQ(client.lErrorNum(), 0);
    EXPECT_EQ(client.connectionsOpened(), 1);
    EXPECT_EQ(serverLogins() - loginsBefore, 1);
    EXPECT_TRUE(QDir(local({})).isEmpty());
}

TEST_F(Aspftp, FailuresGiveTheServersReplyOrTheConnectionError)
{
    ASPFTP badLogin;
    login(badLogin, "writer", "wrong");
    EXPECT_FALSE(badLogin.bConnect());
    EXPECT_EQ(badLogin.lErrorNum(), 530);
    EXPECT_EQ(badLogin.sErrorDesc(), "Authentication failed.");

    ASPFTP refused;
    refused.sServerName(refusedServer());
    EXPECT_FALSE(refused.bConnect());
    EXPECT_EQ(refused.lErrorNum(), 7); // libcurl: could not connect
    EXPECT_FALSE(refused.sErrorDesc().isEmpty());
    EXPECT_FALSE(refused.bPutFile(scratch.filePath("f"), "f"));
    EXPECT_EQ(refused.sError(), "-1: Could not connect to server.");

    ASSERT_TRUE(client.bConnect());
    EXPECT_TRUE(client.bMakeDir(remote("a")));
    EXPECT_FALSE(client.bMakeDir(remote("a")));
    EXPECT_EQ(client.lErrorNum(), 550);
    EXPECT_FALSE(client.bSetCurrentDir(remote("missing")));
    EXPECT_EQ(client.lErrorNum(), 550);
    EXPECT_EQ(client.sGetCurrentDir(), "/");
    EXPECT_FALSE(client.bPutFile(scratch.filePath("none"), remote("none")));
    EXPECT_EQ(client.lErrorNum(), 2);
}

TEST_F(Aspftp, ReadOnlyUsersAndFoldersAreRefusedWithTheReply)
{
    writeBytes(scratch.filePath("f"), "x");
    ASPFTP reader;
    login(reader, "reader");
    EXPECT_FALSE(reader.bPutFile(scratch.filePath("f"), remote("f")));
    EXPECT_EQ(reader.lErrorNum(), 550);
    EXPECT_FALSE(reader.sErrorDesc().isEmpty());
    EXPECT_FALSE(client.bPutFile(scratch.filePath("f"), "/locked/f"));
    EXPECT_EQ(client.lErrorNum(), 550);
    EXPECT_FALSE(QFile::exists(home + "/locked/f"));
}

TEST_F(Aspftp, PutsSendAsciiWithServerLineEndsAndBinaryUnchanged)
{
    const char raw[] = "a\nb\r\nc\0\xff\r";
    const QByteArray binary(raw, sizeof raw - 1);
    struct Case {
        int transferType;
        bool passive;
        QByteArray sent;
        QByteArray stored;
    } cases[] = {
        {1, true, "a\nb\r\nc\n", "a\nb\nc\n"},
        {2, true, binary, binary},
        {2, false, binary, binary},
        {1, false, "x\r\n", "x\n"},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(n);
        const QString name = QStringLiteral("f%1").arg(n++);
        writeBytes(scratch.filePath(name), c.sent);
        client.bDisconnect();
        client.lTransferType(c.transferType);
        client.bPassiveMode(c.passive);
        EXPECT_TRUE(client.bPutFile(scratch.filePath(name), remote(name))) << client.sError().toStdString();
        EXPECT_EQ(bytesOf(local(name)), c.stored);
    }
    client.lTransferType(2);
    client.bOverWrite(false);
    EXPECT_FALSE(client.bGetFile(remote("f1"), scratch.filePath("f1")));
    EXPECT_EQ(client.lErrorNum(), 80);
    client.bOverWrite(true);
    EXPECT_TRUE(client.bGetFile(remote("f1"), scratch.filePath("back")));
    EXPECT_EQ(bytesOf(scratch.filePath("back")), binary);
}

// Servers refuse SIZE in ASCII mode; every way of reading a file works in both modes, and
// ASCII gives the file's own line ends back, however the blocks cut the CR LF pairs.
TEST_F(Aspftp, GetsInAsciiAndBinaryGiveTheStoredFile)
{
    QByteArray text;
    for (int i = 0; i < 30000; ++i)
        text += "line " + QByteArray::number(i) + "\n";
    writeBytes(local("text.txt"), text);
    const QString path = remote("text.txt");
    const QString file = scratch.filePath("got");
    const auto fileIf = [&](bool got) { return got ? bytesOf(file) : QByteArray(); };
    const std::pair<const char *, std::function<QByteArray()>> ways[] = {
        {"bGetFile", [&] { return fileIf(client.bGetFile(path, file)); }},
        {"bQGetFile", [&] {
             return fileIf(client.bQGetFile(server(), "writer", "secret", path, file,
                                            client.lTransferType(), true));
         }},
        {"bOpenFile", [&] {
             client.lFileAccess(2);
             return client.bOpenFile(path) ? client.sReadFile().toUtf8() : QByteArray();
         }},
    };
    for (int type : {1, 2})
        for (const auto &[name, get] : ways) {
            SCOPED_TRACE(std::string(name) + (type == 1 ? " ASCII" : " binary"));
            client.lTransferType(type);
            EXPECT_EQ(get(), text) << client.sError().toStdString();
        }
}

TEST_F(Aspftp, ListingsKeepEveryEntryAndFilterByAttributes)
{
    QDir(local({})).mkdir("sub dir");
    for (const char *name : {"B.txt", "b.txt", " spaced name "})
        writeBytes(local(name), "x");
    ASSERT_TRUE(client.bConnect());
    EXPECT_TRUE(client.bGetDir(remote(), 0));
    QStringList names;
    for (int i = 1; i <= client.lGetDirCount(); ++i)
        names.append(client.sGetDirName(i));
    names.sort();
    EXPECT_EQ(names, (QStringList{" spaced name ", "B.txt", "b.txt", "sub dir"}));
    EXPECT_TRUE(client.bGetDir("", clsItem::directory));
    EXPECT_EQ(client.lGetDirCount(), 1);
    EXPECT_EQ(client.sGetDirName(1), "sub dir");
    EXPECT_EQ(client.sListDir("sub dir", 0), "");
    EXPECT_EQ(client.sErrorDesc(), "Empty Directory");
    EXPECT_FALSE(client.bGetDir(remote("missing"), 0));
    EXPECT_EQ(client.lErrorNum(), 550);
}

TEST_F(Aspftp, TextsWithLineBreaksOrNulAreNeverSent)
{
    ASSERT_TRUE(client.bConnect());
    ASSERT_TRUE(client.bSetCurrentDir(remote()));
    for (const QString &name : {QStringLiteral("x\r\nMKD y"), QStringLiteral("x\nMKD y"),
                                QString::fromUtf8("x\0y", 3)}) {
        EXPECT_FALSE(client.bMakeDir(name));
        EXPECT_FALSE(client.bRename("a", name));
        EXPECT_FALSE(client.bSetCurrentDir(name));
        EXPECT_FALSE(client.bOpenFile(name));
    }
    EXPECT_TRUE(QDir(local({})).isEmpty());

    // Nor do user names, passwords and proxy names.
    const QString mkd = "\r\nMKD " + remote("made");
    using Setter = void (ASPFTP::*)(const QString &);
    for (Setter set :
         {Setter(&ASPFTP::sUserID), Setter(&ASPFTP::sPassword), Setter(&ASPFTP::sproxyname)}) {
        for (const QString &bad : {"x" + mkd, QString::fromUtf8("x\0y", 3)}) {
            ASPFTP other;
            login(other, "writer");
            other.lAccessType(3);
            (other.*set)(bad);
            EXPECT_FALSE(other.bConnect());
            EXPECT_EQ(other.sErrorDesc(), "User names, passwords and proxy names cannot hold "
                                          "line breaks or NUL characters.");
        }
    }
    EXPECT_TRUE(QDir(local({})).isEmpty());
}

TEST_F(Aspftp, ProxyNameSelectsProxyAccessAndBypassGoesDirect)
{
    client.lAccessType(3);
    client.sproxyname(refusedServer());
    EXPECT_FALSE(client.bConnect());
    client.bDisconnect();
    client.sproxybypass("example.org; 127.0.0.1");
    EXPECT_TRUE(client.bConnect()) << client.sError().toStdString();
    client.bDisconnect();
    client.lAccessType(1);
    client.sproxybypass("");
    EXPECT_TRUE(client.bConnect()) << client.sError().toStdString();
}

TEST_F(Aspftp, QuickOperationsAndOpenFilesWorkOnWholeConnections)
{
    writeBytes(scratch.filePath("f"), "x");
    EXPECT_TRUE(client.bQMakeDir(server(), "writer", "secret", remote("q")));
    EXPECT_TRUE(client.bQPutFile(server(), "writer", "secret", scratch.filePath("f"), remote("q/f"), 2));
    EXPECT_EQ(client.sGetCurrentDir(), "-1: No available connection.");
    EXPECT_FALSE(client.bQDeleteFile(server(), "writer", "wrong", remote("q/f")));
    EXPECT_EQ(client.sError(), "-1: Could not connect to server.");

    login(client, "writer");
    ASSERT_TRUE(client.bOpenFile(remote("w.txt")));
    EXPECT_TRUE(client.bWriteFile("one "));
    EXPECT_TRUE(client.bWriteFile("two"));
    client.bCloseFile();
    EXPECT_EQ(bytesOf(local("w.txt")), "one two");
    client.lFileAccess(2);
    ASSERT_TRUE(client.bOpenFile(remote("w.txt")));
    EXPECT_EQ(client.sReadFile(), "one two");
    EXPECT_FALSE(client.bWriteFile("three"));
}

// An answer that never ends fails its operation with a message instead of growing the
// program; a download goes to the disk as it arrives, so that a file size limit ends it,
// and the old local file stays.
TEST_F(Aspftp, EndlessAnswersEndTheirOperations)
{
    QDir(local({})).mkdir("endless-list");
    const QString kept = scratch.filePath("kept");
    writeBytes(kept, "old");
    const std::pair<std::function<bool()>, QString> cases[] = {
        {[&] { return client.bGetDir(remote("endless-list"), 0); },
         "Listing " + remote("endless-list") + " failed: the server sent more than 16 MB."},
        {[&] { // under a file size limit, as the program's start-up has it
             ignoreFileSizeSignal();
             rlimit old{};
             getrlimit(RLIMIT_FSIZE, &old);
             const rlimit small{1 << 20, old.rlim_max};
             setrlimit(RLIMIT_FSIZE, &small);
             const bool got = client.bGetFile(remote("endless-retr"), kept);
             setrlimit(RLIMIT_FSIZE, &old);
             return got;
         },
         "Cannot write the local file " + kept},
        {[&] { return client.bSetCurrentDir("/endless-reply"); },
         "The command CWD /endless-reply failed: the server's replies are longer than 256 KB."},
    };
    ASSERT_TRUE(client.bConnect()) << client.sError().toStdString();
    for (const auto &[operation, error] : cases) {
        EXPECT_FALSE(operation());
        EXPECT_EQ(client.sErrorDesc().toStdString(), error.toStdString());
    }
    EXPECT_EQ(bytesOf(kept), "old");
    EXPECT_EQ(QDir(scratch.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kept"});
}
