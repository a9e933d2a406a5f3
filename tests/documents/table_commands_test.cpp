#include "documents/code_editor_pool.h"
#include "documents/file_dialog.h"
#include "documents/recent_tables.h"
#include "documents/settings_files.h"
#include "documents/store_access.h"
#include "documents/table_commands.h"
#include "documents/table_commands_menu.h"
#include "documents/table_slots.h"
#include "documents/text_files.h"
#include "documents/trusted_folders.h"
#include "documents/workspace.h"
#include "generator/xsl_output_page.h"
#include "support/fake_main_window.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

using Answer = UiServices::Answer;


class TableCommands : public ::testing::Test {
protected:
    TempHome home;
    ScopedScriptedUi ui;
    FakeMainWindow window;

    // The Save command writes the output page as the program's windows have it do.
    TableCommands() { installOutputPageWriter(); }

    QString tablePath(const QString &name) const { return home.file(name + ".tvk"); }

    // A new table through the New table dialog.
    int newTable(const QString &name)
    {
        ui->fileAnswers.push_back(tablePath(name));
        EXPECT_TRUE(createNewProject(""));
        return workspace().curTable;
    }

    int usedSlots() const
    {
        return int(std::count(workspace().slotUsed.begin(), workspace().slotUsed.end(), true));
    }
};

} // namespace

TEST_F(TableCommands, NewTableIsOnDiskWithItsXslOutputAndUnchanged)
{
    const int slot = newTable("orders");
    const TableDocument &doc = workspace().tables[size_t(slot)];
    EXPECT_TRUE(QFile::exists(tablePath("orders")));
    EXPECT_EQ(readFile(home.file("orders.xsl")), doc.xslGenerated);
    EXPECT_FALSE(doc.tableChanged);
    EXPECT_EQ(doc.tablePath, tablePath("orders"));
    EXPECT_EQ(window.tabCaptions, QStringList{"orders"});
    EXPECT_EQ(window.caption, "Tarvik: Table " + tablePath("orders"));
    EXPECT_EQ(recentTablesMenu(), QStringList{tablePath("orders")});
    const auto &dialog = ui->fileDialogs.at(0);
    EXPECT_EQ(dialog.title, "Save new Table in folder");
    EXPECT_EQ(dialog.fileName, "newTable.tvk");
    EXPECT_TRUE(dialog.isSave);
    EXPECT_TRUE(ui->messages.isEmpty());
}

// A New table trusts its folder, listed once, exactly: not its subfolders, nor a name that
// differs by a blank. A folder whose name holds a line break is not trusted, and the user is
// told: listed, it would read back as the folders after the break. The example tables'
// folder is always trusted.
TEST_F(TableCommands, NewTableTrustsItsFolderExactly)
{
    const QString mine = home.file("mine ");
    const QString aimed = home.file("aimed");
    const struct {
        QString folder;
        QString listed; // "trusted-folders" afterwards
        QString message;
    } cases[] = {
        {mine, mine + "\n", ""},
        {home.file("x\n") + aimed, mine + "\n",
         "The folder \"" + home.file("x\n") + aimed + "\" is not trusted: its name holds a line "
         "break, and Tarvik trusts no folder whose name does."},
        {home.file("y\r"), mine + "\n",
         "The folder \"" + home.file("y\r") + "\" is not trusted: its name holds a line break, "
         "and Tarvik trusts no folder whose name does."},
    };
    for (const auto &c : cases) {
        QDir().mkpath(c.folder);
        for (const char *name : {"/a.tvk", "/b.tvk"}) {
            ui->fileAnswers.push_back(c.folder + name);
            ASSERT_TRUE(createNewProject(""));
        }
        EXPECT_EQ(readSetting("trusted-folders"), c.listed);
        EXPECT_EQ(ui->messages, c.message.isEmpty() ? QStringList() : QStringList(2, c.message));
        ui->messages.clear();
    }
    EXPECT_FALSE(folderTrusted(aimed));
    EXPECT_FALSE(folderTrusted(home.file("mine")));
    EXPECT_TRUE(folderTrusted(tablesFolder()));
    EXPECT_FALSE(folderTrusted(mine + "/sub"));
}

TEST_F(TableCommands, TableInAReusedSlotGetsItsOwnXslOutput)
{
    newTable("old");
    TableDocument &doc = workspace().current();
    doc.xslFileName = "custom.xsl";
    doc.xmlText = "<old/>";
    saveit();
    EXPECT_TRUE(QFile::exists(home.file("old.xsl")));
    EXPECT_TRUE(QFile::remove(home.file("custom.xsl")));
    docloseit_Click();
    const int slot = newTable("new");
    ASSERT_EQ(slot, 0);
    EXPECT_EQ(doc.xslFileName, "new.xsl");
    EXPECT_EQ(doc.xmlText, "");
    EXPECT_TRUE(QFile::exists(home.file("new.xsl")));
    EXPECT_FALSE(QFile::exists(home.file("custom.xsl"))) << "the old table's output is left alone";
    docloseit_Click();
    openTable(tablePath("old"));
    EXPECT_EQ(doc.xslFileName, "custom.xsl") << "the table file's own output";
}

TEST_F(TableCommands, InvalidNameAsksAgainAndCancelEndsTheCommand)
{
    ui->fileAnswers = {home.file("1st.tvk"), home.file("my table.tvk"), ""};
    EXPECT_FALSE(createNewProject(""));
    EXPECT_EQ(ui->fileDialogs.size(), 3);
    EXPECT_EQ(ui->messages.size(), 2); // one name-check message per refused name
    EXPECT_EQ(usedSlots(), 0);
}

TEST_F(TableCommands, NewTableOverAnExistingFileAsksFirst)
{
    const QString path = tablePath("kept");
    writeFile(path, "old", true);
    for (const QString &name : {QString(), path}) { // from the dialog and from the caller
        ui->fileAnswers = {path};
        ui->answers = {Answer::No};
        EXPECT_FALSE(createNewProject(name));
        EXPECT_EQ(ui->questions.takeLast(),
                  "Table with this name already exists. Do you want to overwrite it?");
    }
    EXPECT_EQ(readFile(path), "old");
    EXPECT_EQ(usedSlots(), 0);
    ui->answers = {Answer::Yes};
    EXPECT_TRUE(createNewProject(path));
    EXPECT_NE(readFile(path), "old");
}

TEST_F(TableCommands, NewTableOverAnOpenTableIsRefused)
{
    newTable("open");
    ui->fileAnswers = {tablePath("open")};
    ui->answers = {Answer::Yes};
    EXPECT_FALSE(createNewProject(""));
    EXPECT_EQ(ui->messages, QStringList{"Table with this name is currently open. Please close it first."});
    EXPECT_EQ(usedSlots(), 1);
}

TEST_F(TableCommands, OpenRefusesMissingAndAlreadyOpenFiles)
{
    const QString missing = home.file("missing.tvk");
    openTable(missing);
    newTable("twice");
    openTable(tablePath("twice"));
    EXPECT_EQ(ui->messages,
              (QStringList{"Can't find file " + missing +
                               ". Please make sure file exists and you have access to it.",
                           "Table is already open."}));
    EXPECT_EQ(usedSlots(), 1);
    EXPECT_EQ(window.tabKeys, QStringList{"k0"});
}

TEST_F(TableCommands, OpenReadsTheTableUnchangedAndListsItFirst)
{
    const int slot = newTable("first");
    workspace().tables[size_t(slot)].store.set("Caption-Table", "Orders");
    saveit();
    docloseit_Click();
    newTable("second");
    openTable(tablePath("first"));
    const TableDocument &doc = workspace().current();
    EXPECT_EQ(doc.store.value("Caption-Table"), "Orders");
    EXPECT_FALSE(doc.tableChanged);
    EXPECT_EQ(window.tabCaptions, (QStringList{"second", "first"})); // slot 0 was free again
    EXPECT_EQ(recentTablesMenu(), (QStringList{tablePath("first"), tablePath("second")}));
    EXPECT_EQ(window.progress, 100);
}

TEST_F(TableCommands, RecentListHoldsTheNewestTwentyFirst)
{
    for (int i = 0; i < 22; ++i)
        newTable(QString("t%1").arg(i));
    const QStringList shown = recentTablesMenu();
    ASSERT_EQ(shown.size(), 20);
    EXPECT_EQ(shown.first(), tablePath("t21"));
    EXPECT_EQ(shown.last(), tablePath("t2"));
}

TEST_F(TableCommands, CloseOfAnUnchangedTableAsksNothing)
{
    newTable("a");
    newTable("b");
    docloseit_Click();
    EXPECT_TRUE(ui->questions.isEmpty());
    EXPECT_EQ(window.tabKeys, QStringList{"k0"});
    EXPECT_EQ(workspace().curTable, 0);
    EXPECT_EQ(window.caption, "Tarvik: Table " + tablePath("a"));
    docloseit_Click();
    EXPECT_EQ(usedSlots(), 0);
}

TEST_F(TableCommands, FailedSaveOnCloseKeepsTheTableOpenAndChanged)
{
    newTable("locked");
    QFile::remove(tablePath("locked"));
    QDir().mkpath(tablePath("locked"));
    workspace().current().tableChanged = true;
    ui->answers = {Answer::Yes};
    docloseit_Click();
    EXPECT_EQ(usedSlots(), 1);
    EXPECT_TRUE(workspace().current().tableChanged);
    EXPECT_EQ(ui->messages.size(), 1); // the write error
}

TEST_F(TableCommands, SaveAllWritesEveryTableAndRestoresTheCurrentSlot)
{
    for (const char *name : {"a", "b", "c"})
        newTable(name);
    window.selectTab("k1");
    switchTable();
    for (const char *name : {"a", "b", "c"})
        QFile::remove(tablePath(name));
    saveall_Click();
    for (const char *name : {"a", "b", "c"})
        EXPECT_TRUE(QFile::exists(tablePath(name)));
    EXPECT_EQ(workspace().curTable, 1);
    EXPECT_EQ(workspace().savedActiveSlot, 1);
}

TEST_F(TableCommands, SaveAllSkipsASlotWithoutTableFile)
{
    newTable("a");
    workspace().current().tablePath.clear(); // as after an invalid table file
    const qsizetype dialogs = ui->fileDialogs.size();
    ASSERT_TRUE(QFile::remove(home.file("a.xsl"))); // written at creation
    saveall_Click();
    EXPECT_EQ(ui->fileDialogs.size(), dialogs);
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_FALSE(QFile::exists(home.file("a.xsl")));
}

TEST_F(TableCommands, SaveWithoutTableTellsTheUser)
{
    dosave_Click();
    saveas_Click();
    EXPECT_EQ(ui->messages, QStringList(2, "No table currently open. Create new table first."));
}

TEST_F(TableCommands, SaveAsMovesTheTableAndItsDefaultOutput)
{
    newTable("old");
    workspace().current().store.set("Caption-Table", "Moved");
    ui->fileAnswers = {tablePath("new")};
    saveas_Click();
    EXPECT_EQ(ui->fileDialogs.last().title, "Save Table As");
    EXPECT_EQ(ui->fileDialogs.last().fileName, "old");
    const TableDocument &doc = workspace().current();
    EXPECT_EQ(doc.tablePath, tablePath("new"));
    EXPECT_EQ(doc.xslFileName, "new.xsl");
    EXPECT_EQ(readFile(home.file("new.xsl")), doc.xslGenerated);
    EXPECT_EQ(window.caption, "Tarvik: Table " + tablePath("new"));
    EXPECT_EQ(window.tabCaptions, QStringList{"new"});
    EXPECT_TRUE(readSetting("set-lastfile").startsWith(tablePath("new") + "\r\n"));
    docloseit_Click();
    openTable(tablePath("new"));
    EXPECT_EQ(workspace().current().store.value("Caption-Table"), "Moved");

    // Into another folder, the relative XML path and imports name the same files.
    TableDocument &moved = workspace().current();
    moved.xmlPath = "books.xml";
    moved.store.set("Import XSLT Files-Table", " lib/a.xsl, /abs/b.xsl,http://h/c.xsl");
    ASSERT_TRUE(QDir(home.path()).mkdir("moved"));
    ui->fileAnswers = {home.file("moved/new.tvk")};
    saveas_Click();
    EXPECT_TRUE(folderTrusted(home.file("moved"))) << "the user's own folder";
    EXPECT_EQ(moved.xmlFile(), home.file("books.xml"));
    EXPECT_EQ(moved.store.value("Import XSLT Files-Table"), " ../lib/a.xsl, /abs/b.xsl,http://h/c.xsl");
}

TEST_F(TableCommands, SaveAsKeepsACustomOutput)
{
    newTable("old");
    workspace().current().xslFileName = "shared.xsl";
    ui->fileAnswers = {tablePath("new")};
    workspace().current().tree.add("Table", "call", "call");
    workspace().current().store.set("Table-call@table", "lib/Called.tvk");
    saveas_Click();
    EXPECT_EQ(workspace().current().xslFileName, "shared.xsl");

    // Into another folder, the call still names the same table.
    ASSERT_TRUE(QDir(home.path()).mkdir("moved"));
    ui->fileAnswers = {home.file("moved/new.tvk")};
    workspace().current().store.set("Import XSLT Files-Table", "lib/a.xsl");
    saveas_Click();
    EXPECT_EQ(workspace().current().store.value("Table-call@table"), "../lib/Called.tvk");
    EXPECT_EQ(workspace().current().store.value("Import XSLT Files-Table"), "lib/a.xsl"); // output stays
}

TEST_F(TableCommands, SaveAsOntoATableOpenElsewhereChangesNothing)
{
    newTable("other");
    newTable("mine");
    ui->fileAnswers = {tablePath("other")};
    saveas_Click();
    EXPECT_EQ(ui->messages, QStringList{"Table with this name is currently open. Please close it first."});
    EXPECT_TRUE(ui->questions.isEmpty());
    EXPECT_EQ(workspace().current().tablePath, tablePath("mine"));
}

TEST_F(TableCommands, SaveAsOntoAnExistingFileAsksAndCancelChangesNothing)
{
    newTable("mine");
    writeFile(tablePath("there"), "keep", true);
    ui->fileAnswers = {tablePath("there"), ""};
    ui->answers = {Answer::No};
    saveas_Click();
    saveas_Click();
    EXPECT_EQ(ui->questions, QStringList{"File " + tablePath("there") +
                                         " already exists. Do you want to overwrite it?"});
    EXPECT_EQ(readFile(tablePath("there")), "keep");
    EXPECT_EQ(workspace().current().tablePath, tablePath("mine"));
}

TEST_F(TableCommands, DeleteRemovesAClosedTableOnly)
{
    newTable("open");
    newTable("gone");
    docloseit_Click();
    ui->fileAnswers = {tablePath("open"), tablePath("gone"), tablePath("gone")};
    ui->answers = {Answer::No, Answer::Yes};
    delProject_Click();
    delProject_Click();
    EXPECT_TRUE(QFile::exists(tablePath("gone")));
    delProject_Click();
    EXPECT_FALSE(QFile::exists(tablePath("gone")));
    EXPECT_EQ(ui->messages, (QStringList{"Can't delete currently open table. Close it first.",
                                         "Table deleted."}));
    EXPECT_EQ(recentTablesMenu(), QStringList{tablePath("open")});
}

TEST_F(TableCommands, OpenDialogStartsAtTheExampleTablesAndSharesItsFolderWithDelete)
{
    ui->fileAnswers = {"", home.file("sub/x.tvk"), ""};
    openProject_Click();
    EXPECT_EQ(ui->fileDialogs[0].title, "Open table");
    EXPECT_TRUE(ui->fileDialogs[0].mustExist);
    EXPECT_EQ(ui->fileDialogs[0].initDir, home.file("tables"));
    openProject_Click(); // a file that is gone by now
    delProject_Click();
    EXPECT_EQ(ui->fileDialogs[2].title, "Delete table");
    EXPECT_EQ(ui->fileDialogs[2].initDir, home.file("sub/"));
}

TEST_F(TableCommands, FailedDeleteShowsWhy)
{
    ui->fileAnswers = {home.file("vanished.tvk")};
    ui->answers = {Answer::Yes};
    delProject_Click();
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_NE(ui->messages[0], "Table deleted.");
    EXPECT_FALSE(ui->messages[0].isEmpty());
}

TEST_F(TableCommands, SaveDialogAddsTheExtensionAndStartsInAFolder)
{
    ui->fileAnswers = {home.file("plain")};
    ASSERT_TRUE(createNewProject(""));
    EXPECT_EQ(workspace().current().tablePath, tablePath("plain"));
    EXPECT_TRUE(QFile::exists(tablePath("plain")));
    const auto &dialog = ui->fileDialogs.at(0);
    EXPECT_EQ(dialog.initDir, QDir::homePath()) << "no table folder and no tables folder";

    QDir().mkpath(home.file("tables"));
    deleteSetting(dialogFolderKey("*.tvk", true)); // the folder the first dialog remembered
    ui->fileAnswers = {home.file("dotted.v2")};
    docloseit_Click();
    ASSERT_TRUE(createNewProject(""));
    EXPECT_EQ(workspace().current().tablePath, home.file("dotted.v2")) << "a name with a dot stays";
    EXPECT_EQ(ui->fileDialogs.at(1).initDir, home.file("tables"));
}

TEST_F(TableCommands, ClosedTableReleasesItsCodeEditors)
{
    newTable("a");
    const int editor = getXslEditor("col-value", "XSL Code");
    ASSERT_GE(editor, 0);
    workspace().xslEditForms[size_t(editor)].xslEditShown = true;
    saveit();
    docloseit_Click();
    const CodeEditorRecord &released = workspace().xslEditForms[size_t(editor)];
    EXPECT_FALSE(released.exists);
    EXPECT_FALSE(released.xslEditShown);
    EXPECT_EQ(released.myElement, "");
    ASSERT_EQ(newTable("b"), 0);
    EXPECT_TRUE(slotEditors(0).empty());
    EXPECT_FALSE(readFile(tablePath("b")).contains("col-value"));
    EXPECT_TRUE(readFile(tablePath("a")).contains("col-value"));
}

TEST_F(TableCommands, InvalidTableFileLeavesATabThatCanBeClosed)
{
    writeFile(tablePath("bad"), "no separators", true);
    openTable(tablePath("bad"));
    EXPECT_EQ(ui->messages.size(), 1);
    EXPECT_EQ(window.tabKeys, QStringList{"k0"});
    EXPECT_TRUE(window.menuEnabled.value("docloseit"));
    EXPECT_FALSE(window.menuEnabled.value("dosave"));
    docloseit_Click();
    EXPECT_EQ(usedSlots(), 0);
    EXPECT_FALSE(window.menuEnabled.value("docloseit"));
}

TEST_F(TableCommands, ReusedSlotForgetsTheSelectionsAndAutoReloadOfItsLastTable)
{
    newTable("old");
    TableDocument &doc = workspace().current();
    doc.selectedNodeKey = "Table";
    doc.selectedPropertyCaption = "Row colour of old";
    doc.xmlNodeIndex = 4;
    doc.autoReload = 1;
    saveit();
    docloseit_Click();
    newTable("new");
    EXPECT_EQ(doc.selectedNodeKey, "");
    EXPECT_EQ(doc.selectedPropertyCaption, "");
    EXPECT_EQ(doc.xmlNodeIndex, -1);
    EXPECT_EQ(doc.autoReload, 0);
    EXPECT_FALSE(readFile(tablePath("new")).contains("Row colour of old"));
    docloseit_Click();
    openTable(tablePath("new")); // what the file holds, read into an emptied slot
    EXPECT_EQ(doc.xmlNodeIndex, -1);
    EXPECT_EQ(doc.autoReload, 0);
    EXPECT_EQ(doc.selectedPropertyCaption, "");
}

TEST_F(TableCommands, DetailedTooltipsCheckMarkFollowsTheTableRead)
{
    newTable("quiet");
    workspace().showDetails = false;
    saveit();
    docloseit_Click();
    workspace().showDetails = true;
    openTable(tablePath("quiet"));
    EXPECT_FALSE(workspace().showDetails);
    EXPECT_FALSE(window.menuChecked.value("showDetails", true));
}
