// Symbolic links planted at the files the program writes, as an archive or a repository
// may carry them: every write replaces the link by a regular file and leaves its target,
// dangling or not, as it was.
#include "designer/xml_document.h"
#include "documents/table_commands.h"
#include "generator/call_table_fixture.h"
#include "generator/preview_render.h"
#include "generator/xsl_generator.h"
#include "publishing/publish_settings.h"
#include "support/file_bytes.h"
#include "support/scripted_ui.h"
#include "support/tvktool_run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

namespace {

using Answer = UiServices::Answer;

struct Step {
    const char *what;
    QStringList paths; // in the data folder
    std::function<void()> run;
};

QStringList sideFiles(const QString &stem, QStringList extensions)
{
    for (QString &extension : extensions)
        extension.prepend(stem);
    return extensions;
}

const QStringList allSix{".xmf", ".xsl", ".xmp", ".txp", ".txi", ".tic"};

} // namespace

TEST(SymbolicLinks, NoWriteReachesALinksTarget)
{
    // Links alternate between a file's target and a dangling one; the second pass swaps.
    for (const int pass : {0, 1}) {
        CallTableFixture t;
        ScopedScriptedUi ui;
        const TempHome &home = t.caller.home;
        t.writeCalled("called");
        t.addCall("sub", "../called/Called.tvk");
        workspace().current().cachedXmlText = callerXml;
        QDir().mkpath(home.file("victims"));
        XmlDocumentState xml;
        const Step steps[] = {
            {"generation restores and copies the called table's side files",
             sideFiles("called/Called", allSix) +
                 sideFiles("caller/Called", {".xsl", ".txp", ".xmf", ".xmp", ".tic"}),
             [] { generateXSLCode(false); }},
            {"a render writes the table's side files and the pages in the data folder's pages folder",
             sideFiles("caller/Caller", allSix) +
                 QStringList{"pages/browser-1.html", "pages/preview-1.html"},
             [] {
                 RenderOutcome outcome;
                 renderGenerated(RunTrust::Trusted, true, outcome);
             }},
            {"the cached XML copy, after the question on the existing file",
             {"caller/Caller.xml"},
             [&] {
                 ui->answers = {Answer::Yes, Answer::Yes};
                 xml.fileName = home.file("gone.xml");
                 loadXMLFile(xml, parseNow);
                 EXPECT_TRUE(ui->questions.contains("File already exists. Overwrite?"));
             }},
            {"saving writes the table file", {"caller/Caller.tvk"}, [] { saveit(); }},
            {"publish settings, the password file kept to its owner",
             {"set-ftp-sname-Caller", "set-ftp-password-Caller"},
             [] { writePublishSettings("Caller", PublishSettings{}); }},
        };
        QDir(home.path()).mkpath("pages");
        int n = 0;
        QHash<QString, QFile::Permissions> kept; // the targets that exist, with their modes
        for (const Step &step : steps) {
            for (const QString &path : step.paths) {
                const QString target = home.file(QString("victims/%1").arg(++n));
                if ((n + pass) % 2 == 0) {
                    writeBytes(target, "precious");
                    kept.insert(target, QFile::permissions(target));
                }
                QFile::remove(home.file(path));
                ASSERT_TRUE(QFile::link(target, home.file(path))) << path.toStdString();
            }
            step.run();
            for (const QString &path : step.paths) {
                const QFileInfo written(home.file(path));
                EXPECT_TRUE(written.isFile() && !written.isSymLink())
                    << step.what << ": " << path.toStdString();
            }
            EXPECT_EQ(QDir(home.file("victims")).count(), kept.size() + 2) << step.what;
            for (auto k = kept.cbegin(); k != kept.cend(); ++k) {
                EXPECT_EQ(bytesOf(k.key()), "precious") << step.what;
                EXPECT_EQ(QFile::permissions(k.key()), k.value()) << step.what;
            }
        }
        EXPECT_EQ(QFile::permissions(home.file("set-ftp-password-Caller")),
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
        EXPECT_FALSE(ui->messages.join('\n').contains("Cannot write")) << pass;
    }
}

// The called table's side files as links to a file outside read as missing (restored from its
// table file when it holds copies): nothing outside reaches the caller or a tvktool save.
TEST(SymbolicLinks, LinkedSideFilesReadAsMissing)
{
    for (const bool copiesInTableFile : {true, false}) {
        CallTableFixture t;
        ScopedScriptedUi ui;
        t.writeCalled("called");
        t.addCall("sub", "../called/Called.tvk");
        t.caller.set("Interface Used-sub@table", "True");
        const QString called = t.dir("called") + "Called.tvk", outside = t.caller.home.file("outside");
        writeFile(outside, "/SECRET", true);
        const CurTableGuard calledSlot(1);
        writeTableFile(called); // now with copies of its side files
        if (!copiesInTableFile)
            writeFile(called, readFile(called).section(QChar(5), 0, 0), true);
        for (const QString &side : sideFiles(t.dir("called") + "Called", allSix))
            ASSERT_TRUE(QFile::remove(side) && QFile::link(outside, side));
        const CurTableGuard callerSlot(0);
        generateXSLCode(false);
        EXPECT_EQ(readFile(t.dir("called") + "Called.txp"), copiesInTableFile ? "/list/item" : "/SECRET");
        EXPECT_EQ(tvktool({"save", called}).exitCode, 0);
        const QStringList files = QDir(t.callerDir()).entryList(QDir::Files) << "../called/Called.tvk";
        for (const QString &file : files)
            EXPECT_FALSE(readFile(t.callerDir() + file).contains("SECRET")) << file.toStdString();
        EXPECT_FALSE(workspace().current().xslGenerated.contains("SECRET"));
    }
}
