// Whole publish runs against a real server on the loopback interface, through the core
// and through tvktool.
#include "documents/settings_files.h"
#include "documents/table_file_writer.h"
#include "documents/text_files.h"
#include "ftp_fixture.h"
#include "publish_table.h"
#include "publishing/publish_run.h"
#include "support/scripted_ui.h"

#include <QProcess>

namespace {

class PublishRun : public FtpServerTest {
protected:
    PublishSettings settings() const
    {
        PublishSettings s;
        s.sname = server();
        s.uname = QStringLiteral("writer");
        s.password = QStringLiteral("secret");
        s.sdir = remote(QStringLiteral("site"));
        return s;
    }

    PublishOutcome publish(const PublishSettings &s, bool php)
    {
        return publishCurrentTable(s, php, [this](const QString &text) { statuses.append(text); });
    }

    QByteArray uploadFile(const char *name) const { return bytesOf(settingsPath(QLatin1String(name))); }

    ScopedScriptedUi ui;
    QStringList statuses;
};

} // namespace

TEST_F(PublishRun, GeneralModeUploadsTheXmlAndTheStylesheet)
{
    PublishTable table;
    const PublishOutcome outcome = publish(settings(), false);
    ASSERT_TRUE(outcome.ok) << outcome.error.toStdString();
    EXPECT_EQ(statuses, (QStringList{"Connecting to FTP server...", "Copying file books.xml...",
                                     "Copying file books.xsl...", "Done"}));
    EXPECT_EQ(ui->messages, QStringList{"Published successfully!"});
    EXPECT_EQ(bytesOf(local("site/books.xml")), storedAsAscii(bytesOf(table.home.file("books.xml"))));
    EXPECT_EQ(bytesOf(local("site/books.xsl")), storedAsAscii(uploadFile("set-temp-xsl-publish.xsl")));
    EXPECT_TRUE(uploadFile("set-temp-xsl-publish.xsl").contains("xsl:stylesheet"));
    EXPECT_FALSE(QFile::exists(local("site/books.xsl.php")));

    statuses.clear(); // again, into the folder that exists now
    EXPECT_TRUE(publish(settings(), false).ok);
    EXPECT_EQ(statuses.last(), "Done");

    // Files the stylesheet reads from this computer are named when it is done.
    QDir().mkpath(table.home.file("lib"));
    writeFile(table.home.file("lib/lib.xsl"),
              "<xsl:stylesheet version='1.0' xmlns:xsl='http://www.w3.org/1999/XSL/Transform'>"
              "<xsl:variable name='d' select=\"document('d.xml')\"/></xsl:stylesheet>", true);
    writeFile(table.home.file("lib/d.xml"), "<d/>", true);
    table.set("Import XSLT Files-Table", table.home.file("lib/lib.xsl"));
    ui->messages.clear();
    EXPECT_TRUE(publish(settings(), false).ok);
    EXPECT_EQ(ui->messages, QStringList{"Published successfully!\n\nThe published stylesheet reads "
                                        "these files, which exist only on this computer and were "
                                        "not uploaded:\n" + table.home.file("lib/lib.xsl") + "\n" +
                                        table.home.file("lib/d.xml")});
}

TEST_F(PublishRun, PhpModeUploadsThePageAndOffersToOpenIt)
{
    PublishTable table;
    PublishSettings s = settings();
    s.preview = QStringLiteral(" http://example.org/pub \t");
    ui->answers.push_back(UiServices::Answer::Yes);
    ASSERT_TRUE(publish(s, true).ok);
    EXPECT_EQ(statuses, (QStringList{"Connecting to FTP server...", "Copying file books.xml...",
                                     "Copying file books.xsl...", "Copying PHP (xsltproc) code...",
                                     "Done"}));
    EXPECT_EQ(ui->questions, QStringList{"Published successfully! Do you want to view your web page "
                                         "in web browser?"});
    EXPECT_EQ(ui->openedInBrowser, QStringList{"http://example.org/pub/books.xsl.php"});
    EXPECT_EQ(bytesOf(local("site/books.xsl.php")),
              storedAsAscii(uploadFile("set-temp-php-xsltproc-publish.php")));
    EXPECT_TRUE(uploadFile("set-temp-php-xsltproc-publish.php").contains("escapeshellarg('books.xsl')"));
}

TEST_F(PublishRun, EveryFailureIsReportedAndNeverAsSuccess)
{
    struct Case {
        const char *name;
        QString server;
        QString user;
        QString folder;
        QString xmlName;  // "" for a table whose XML file is missing
        qsizetype xmlSize;
        QString error; // "" for the server's or libcurl's own text
    } cases[] = {
        {"dead server", refusedServer(), "writer", remote(), "books.xml", 100, ""},
        {"bad login", server(), "nobody", remote(), "books.xml", 100, ""},
        {"read-only folder", server(), "writer", "/locked", "books.xml", 100, ""},
        {"read-only user", server(), "reader", remote(), "books.xml", 100, ""},
        {"dropped connection", server(), "writer", remote(), "drop.xml", 4 << 20,
         "Storing " + remote("drop.xml") + " failed: the connection to the server was lost."},
        {"missing XML file", server(), "writer", remote(), "", 0, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        statuses.clear();
        ui->messages.clear();
        PublishTable table(QByteArray(c.xmlSize, 'x'), c.xmlName);
        if (c.xmlName.isEmpty())
            workspace().current().xmlPath = table.home.file("gone.xml");
        PublishSettings s = settings();
        s.sname = c.server;
        s.uname = c.user;
        s.sdir = c.folder;
        const PublishOutcome outcome = publish(s, true);
        EXPECT_FALSE(outcome.ok);
        EXPECT_FALSE(outcome.error.isEmpty());
        if (!c.error.isEmpty()) {
            EXPECT_EQ(outcome.error, c.error);
        }
        EXPECT_EQ(ui->messages, QStringList{outcome.error});
        EXPECT_FALSE(statuses.contains("Done"));
        EXPECT_EQ(statuses.last(), outcome.error); // the outcome, never "Connecting..."
    }
}

// The remote names come from the table file: one that climbs out of the target folder, or
// names a folder, is refused before anything is sent.
TEST_F(PublishRun, RemoteNamesWithFolderPartsAreRefusedAndNothingIsUploaded)
{
    PublishTable table;
    PublishSettings s = settings();
    s.sdir = remote();
    for (const QString name : {"../../index.php", "..", ".", "sub/x.xsl", "sub\\x.xsl"}) {
        SCOPED_TRACE(name.toStdString());
        statuses.clear();
        ui->messages.clear();
        workspace().current().xslFileName = name;
        const PublishOutcome outcome = publish(s, true);
        EXPECT_FALSE(outcome.ok);
        EXPECT_EQ(outcome.error, "Cannot publish under the name \"" + name +
                                     "\": a remote file name cannot hold \"/\" or \"\\\" or be "
                                     "\".\" or \"..\". Nothing was uploaded.");
        EXPECT_EQ(statuses, QStringList{outcome.error});
        EXPECT_EQ(ui->messages, QStringList{outcome.error});
    }
    EXPECT_TRUE(QDir(local({})).isEmpty());
    EXPECT_FALSE(QFile::exists(home + "/index.php"));
}

TEST_F(PublishRun, TvktoolPublishesWithTheSettingsFilesAndReportsEachStep)
{
    PublishTable table;
    const QString tablePath = table.home.file("books.tvk");
    workspace().current().xmlPath = "books.xml"; // found from the table's folder
    ASSERT_TRUE(writeTableFile(tablePath));
    PublishSettings s = settings();
    ASSERT_TRUE(writePublishSettings("books", s));
    const auto tvktool = [&] {
        QProcess process;
        process.start(QStringLiteral(TVKTOOL_PATH), {"publish", tablePath, "--php"});
        EXPECT_TRUE(process.waitForFinished(60000));
        return std::pair{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput())};
    };
    auto [exitCode, out] = tvktool();
    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(out, "Connecting to FTP server...\nCopying file books.xml...\nCopying file books.xsl...\n"
                   "Copying PHP (xsltproc) code...\nDone\n");
    EXPECT_TRUE(QFile::exists(local("site/books.xsl.php")));

    s.sdir = "/locked";
    ASSERT_TRUE(writePublishSettings("books", s));
    std::tie(exitCode, out) = tvktool();
    EXPECT_EQ(exitCode, 1);
    EXPECT_FALSE(out.contains("Done"));
}

TEST_F(PublishRun, ProxyNameSendsTheRunThroughTheProxyUnlessBypassed)
{
    PublishTable table;
    PublishSettings s = settings();
    s.proxyname = " " + refusedServer() + " "; // a proxy that is not there
    EXPECT_FALSE(publish(s, false).ok);
    s.bypassproxy = "127.0.0.1";
    const PublishOutcome bypassed = publish(s, false);
    EXPECT_TRUE(bypassed.ok) << bypassed.error.toStdString();
}
