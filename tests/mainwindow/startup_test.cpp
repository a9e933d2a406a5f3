#include "documents/file_dialog.h"
#include "documents/settings_files.h"
#include "documents/table_file_writer.h"
#include "documents/workspace.h"
#include "documents/text_files.h"
#include "generator/xsl_output_page.h"
#include "mainwindow/command_line.h"
#include "mainwindow/main_geometry.h"
#include "mainwindow/menu_style.h"
#include "mainwindow/startup.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(StartUp, ExampleTablesAreCopiedAtTheFirstStartOnly)
{
    TempHome home;
    QTemporaryDir examples;
    writeFile(examples.filePath("demo_a.tvk"), "A", true);
    writeFile(examples.filePath("demo_a.xml"), "<a/>", true);
    writeFile(examples.filePath("other.tvk"), "O", true);

    EXPECT_TRUE(prepareTablesFolder(examples.path()));
    EXPECT_EQ(QDir(home.file("tables")).entryList(QDir::Files),
              (QStringList{"demo_a.tvk", "demo_a.xml"}));
    writeFile(home.file("tables/demo_a.tvk"), "mine", true);
    QFile::remove(home.file("tables/demo_a.xml"));
    EXPECT_FALSE(prepareTablesFolder(examples.path()));
    EXPECT_EQ(readFile(home.file("tables/demo_a.tvk")), "mine");
    EXPECT_FALSE(QFile::exists(home.file("tables/demo_a.xml")));
}

TEST(StartUp, AFileNamedTablesCountsAsExisting)
{
    TempHome home;
    writeFile(home.file("tables"), "", true);
    EXPECT_FALSE(prepareTablesFolder(home.path()));
}

// Relative paths on the command line count from the starting folder, for a table start and
// for a table made from an XML file; neither start asks where to write the output page.
TEST(StartUp, RelativePathsOnTheCommandLineCountFromTheStartingFolder)
{
    struct Case {
        QStringList arguments;
        const char *table, *xslFolder, *xslName;
    };
    const Case cases[] = {
        {{"sub/R.tvk"}, "sub/R.tvk", nullptr, ""},
        {{"sub/R.tvk", "out/page.xsl"}, "sub/R.tvk", "out/", "page.xsl"},
        {{"d.xml", "out/page.xsl", "name"}, "name", "out/", "page.xsl"},
        {{"d.xml", "out/", "sub/made.tvk"}, "sub/made.tvk", "out/", ""},
    };
    for (const Case &c : cases) {
        TempHome home;
        ScopedScriptedUi scripted;
        installOutputPageWriter();
        ASSERT_TRUE(QDir().mkpath(home.file("sub")));
        workspace().current().store.set("Caption-Table", "Orders");
        ASSERT_TRUE(writeTableFile(home.file("sub/R.tvk")));
        workspace().current().reset();
        writeFile(home.file("d.xml"), "<a/>", true);
        QDir::setCurrent(home.path()); // TempHome goes back to the folder it started in
        openFromCommandLine(parseCommandLine(c.arguments));
        const TableDocument &doc = workspace().current();
        EXPECT_TRUE(scripted->messages.isEmpty()) << scripted->messages.join("\n").toStdString();
        EXPECT_TRUE(scripted->fileDialogs.isEmpty()) << c.table;
        EXPECT_EQ(doc.tablePath, home.file(c.table));
        EXPECT_TRUE(QFile::exists(doc.tablePath));
        EXPECT_EQ(doc.xslFileDir, c.xslFolder ? home.file(c.xslFolder) : QString());
        EXPECT_EQ(doc.xslFileName, c.xslName);
    }
}

TEST(StartUp, SettingsReadAtStart)
{
    TempHome home;
    EXPECT_TRUE(updateCheckEnabled());
    writeSetting("autoupdate-option", "false");
    EXPECT_TRUE(updateCheckEnabled()) << "only \"False\" turns it off";
    writeSetting("autoupdate-option", "False");
    EXPECT_FALSE(updateCheckEnabled());

    EXPECT_EQ(readMenuStyle(), std::nullopt);
    writeSetting("set-visual-menuStyle", "False");
    EXPECT_EQ(readMenuStyle(), false);
    writeSetting("set-visual-menuStyle", "True");
    EXPECT_EQ(readMenuStyle(), true);
    writeSetting("set-visual-menuStyle", "maybe");
    EXPECT_EQ(readMenuStyle(), std::nullopt);
}

TEST(StartUp, DefaultXmlIsWrittenOnlyWhenEmpty)
{
    TempHome home;
    ensureDefaultXml();
    EXPECT_EQ(readSetting("defaultXML.xml"), "<root>\r\n  Default XML\r\n</root>");
    writeSetting("defaultXML.xml", "<mine/>");
    ensureDefaultXml();
    EXPECT_EQ(readSetting("defaultXML.xml"), "<mine/>");
}

TEST(MainGeometry, ReadOnlyWhenTheLeftFileExists)
{
    TempHome home;
    writeSetting("set-maintop", "300");
    EXPECT_FALSE(readMainGeometry());
    writeMainGeometry(1500, 300.4f, 15360, 10800);
    EXPECT_EQ(readSetting("set-maintop"), "300.4");
    writeSetting("set-mainheight", "tall");
    const std::optional<MainGeometry> g = readMainGeometry();
    ASSERT_TRUE(g);
    EXPECT_EQ(g->left, 1500);
    EXPECT_EQ(g->top, 300);
    EXPECT_EQ(g->width, 15360);
    EXPECT_EQ(g->height, std::nullopt);
}

TEST(FileDialog, EachKindRemembersItsOwnFolder)
{
    TempHome home;
    ScopedScriptedUi ui;
    EXPECT_EQ(dialogFolderKey("*.xml", false), "set-open-dialog-xml-False");
    ui->fileAnswers = {"/d/tables/a.tvk", ""};
    EXPECT_EQ(showFileDialog(true, "Open table", "Table file|*.tvk", "tvk", false, "", "/start"),
              "/d/tables/a.tvk");
    EXPECT_EQ(readSetting("set-open-dialog-tvk-False"), "/d/tables/");
    EXPECT_EQ(showFileDialog(true, "Delete table", "Table file|*.tvk", "tvk", false, "", ""), "");
    EXPECT_EQ(readSetting("set-open-dialog-tvk-False"), "/d/tables/") << "cancel keeps it";
    showFileDialog(false, "Save Table As", "Tarvik Table|*.tvk", "*.tvk", true, "t", "");
    ASSERT_EQ(ui->fileDialogs.size(), 3);
    EXPECT_EQ(ui->fileDialogs[0].initDir, "/start");
    EXPECT_EQ(ui->fileDialogs[1].initDir, "/d/tables/");
    EXPECT_EQ(ui->fileDialogs[2].initDir, QDir::homePath()) << "save-as keeps its own folder file";
    EXPECT_TRUE(ui->fileDialogs[2].isSave);
    EXPECT_EQ(ui->fileDialogs[2].fileName, "t");
}
