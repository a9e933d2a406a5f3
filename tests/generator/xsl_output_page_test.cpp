#include "documents/path_helpers.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "generator/side_files.h"
#include "generator/xsl_output_page.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

using Answer = UiServices::Answer;

// A saved table "orders" with one column in the data folder.
TableDocument &ordersTable(const TempHome &home)
{
    TableDocument &doc = workspace().current();
    doc.tablePath = home.file("orders.tvk");
    doc.store.set("Xpath-Table", "/rows/row");
    doc.store.set("Type-c1", "Text");
    doc.tree.add("Table", "c1", "c1");
    doc.tree.add("c1", "c1-value", "value");
    doc.rowLimitIndex = 1;
    return doc;
}

} // namespace

TEST(XslOutputPage, FirstSaveAsksWithTheTableNameThenWritesWithoutAsking)
{
    TempHome home;
    ScopedScriptedUi ui;
    TableDocument &doc = ordersTable(home);
    ui->fileAnswers = {home.file("out.xsl")};
    savePage();
    ASSERT_EQ(ui->fileDialogs.size(), 1);
    EXPECT_EQ(ui->fileDialogs[0].title, "Save XSL");
    EXPECT_EQ(ui->fileDialogs[0].filter, "XSL files|*.xsl");
    EXPECT_EQ(ui->fileDialogs[0].fileName, "orders.xsl");
    EXPECT_TRUE(ui->fileDialogs[0].isSave);
    EXPECT_EQ(doc.xslFileName, "out.xsl");
    EXPECT_EQ(doc.xslFileDir, home.path() + "/");

    const QString written = readFile(home.file("out.xsl"));
    EXPECT_EQ(written, doc.xslGenerated);
    EXPECT_FALSE(written.contains("position() &lt; 6")) << "output runs have no row limit";
    EXPECT_FALSE(workspace().productionRun);

    doc.store.set("Page Title-Table", "Second");
    savePage();
    EXPECT_EQ(ui->fileDialogs.size(), 1);
    EXPECT_TRUE(readFile(home.file("out.xsl")).contains("Second"));
    EXPECT_TRUE(ui->questions.isEmpty());

    // A folder stored relative counts from the table's folder, not the working folder.
    ASSERT_TRUE(QDir(home.path()).mkdir("pages"));
    doc.xslFileDir = "pages/";
    savePage();
    EXPECT_TRUE(readFile(home.file("pages/out.xsl")).contains("Second"));
    EXPECT_TRUE(ui->questions.isEmpty());

    // Saved into another folder, imports are written as seen from that folder.
    doc.store.set("Import XSLT Files-Table", home.file("lib/x.xsl"));
    ui->fileAnswers = {home.file("pages/deep/moved.xsl")};
    ASSERT_TRUE(QDir(home.path()).mkpath("pages/deep"));
    savePageAs();
    EXPECT_TRUE(readFile(home.file("pages/deep/moved.xsl")).contains("href=\"../../lib/x.xsl\""));
}

// A file at the chosen path, or a symbolic link there even when dangling, is asked about.
TEST(XslOutputPage, ExistingFileAsksAndNoChoosesAgain)
{
    for (const bool dangling : {false, true}) {
        TempHome home;
        ScopedScriptedUi ui;
        TableDocument &doc = ordersTable(home);
        if (dangling)
            QFile::link(home.file("gone.xsl"), home.file("taken.xsl"));
        else
            writeFile(home.file("taken.xsl"), "keep", true);
        ui->fileAnswers = {home.file("taken.xsl"), home.file("free.xsl")};
        ui->answers = {Answer::No};
        savePageAs();
        EXPECT_EQ(ui->questions, QStringList{"File already exists. Overwrite?"});
        EXPECT_EQ(ui->fileDialogs.size(), 2);
        EXPECT_EQ(readFile(home.file("taken.xsl")), dangling ? "" : "keep");
        EXPECT_EQ(doc.xslFileName, "free.xsl");
    }
}

TEST(XslOutputPage, CancelWritesAndChangesNothing)
{
    TempHome home;
    ScopedScriptedUi ui;
    TableDocument &doc = ordersTable(home);
    doc.xslFileName = "kept.xsl";
    savePageAs();
    EXPECT_EQ(doc.xslFileName, "kept.xsl");
    EXPECT_EQ(doc.xslFileDir, "");
    EXPECT_FALSE(normalFileExists(home.file("kept.xsl")));
}

// An output path read from a table file is doubtful outside the table's folder or without
// ".xsl": the user is asked once per path; a file picked in the dialog is not doubted. A
// symbolic link at the page is followed, dangling or not, and its target is doubted
// wherever the path came from, by a render as well where the page is the table's side file.
TEST(XslOutputPage, DoubtfulOutputPathsFromTheTableFileAskFirst)
{
    TempHome home;
    ScopedScriptedUi ui;
    QDir().mkpath(home.file("outside"));
    QDir().mkpath(home.file("sub"));
    QFile::link(home.file("outside"), home.file("link"));
    const QString question = "This table writes its stylesheet to %1. Write it there?";
    const QString web = home.file("outside/web.xsl");
    const struct {
        QString dir;
        QString name;
        bool asks;
        QString linkTo = {}; // a symbolic link at the page leads there
        bool fromFile = true;
        bool targetExists = false;
    } cases[] = { // a relative folder is the table's, wherever the process stands
        {home.path() + "/", "page.xsl", false},
        {home.path() + "/sub/../", "page.xsl", false},
        {"./", "page.xsl", false},
        {"sub/", "page.xsl", true},
        {home.path() + "/", "page.html", true},
        {home.path() + "/sub/", "page.xsl", true},
        {home.file("outside") + "/", "page.xsl", true},
        {home.file("link") + "/", "page.xsl", true},
        {home.path() + "/sub/../../", "authorized_keys", true},
        {home.path() + "/", "page.xsl", true, web, false},
        {home.path() + "/", "page.xsl", true, web, false, true},
        {home.path() + "/", "page.xsl", false, home.file("mine.xsl"), false, true},
        {home.path() + "/", "orders.xsl", true, web, false, true}, // the table's side file
    };
    QDir::setCurrent(home.file("outside"));
    for (const auto &c : cases) {
        for (const Answer answer : {Answer::No, Answer::Yes}) {
            resetWorkspace();
            TableDocument &doc = ordersTable(home);
            doc.xslFileDir = c.dir;
            doc.xslFileName = c.name;
            doc.xslPathFromFile = c.fromFile;
            const QString path = resolvedPath(c.dir, home.path() + "/") + c.name;
            const QString target = c.linkTo.isEmpty() ? path : c.linkTo;
            QFile::remove(path);
            QFile::remove(target);
            if (c.targetExists)
                writeFile(target, "old", true);
            if (!c.linkTo.isEmpty())
                QFile::link(c.linkTo, path);
            ui->questions.clear();
            ui->answers = {answer};
            savePage();
            getXSLFile(); // a render writes the page too where it is the ".xsl" side file
            savePage();   // the answer holds for the path
            EXPECT_EQ(ui->questions,
                      c.asks ? QStringList{question.arg(QDir::cleanPath(target))} : QStringList())
                << path.toStdString();
            EXPECT_EQ(readFile(target) == doc.xslGenerated, !c.asks || answer == Answer::Yes)
                << target.toStdString();
            EXPECT_EQ(QFileInfo(path).isSymLink(), !c.linkTo.isEmpty());
            EXPECT_EQ(doc.xslFileDir + doc.xslFileName, c.dir + c.name);
        }
    }

    // Picked in the dialog, the same outside file is written without a question.
    resetWorkspace();
    TableDocument &doc = ordersTable(home);
    doc.xslPathFromFile = true;
    ui->questions.clear();
    QFile::remove(home.file("outside/page.xsl"));
    ui->fileAnswers = {home.file("outside/page.xsl")};
    savePageAs();
    savePage();
    EXPECT_TRUE(ui->questions.isEmpty());
    EXPECT_EQ(readFile(home.file("outside/page.xsl")), doc.xslGenerated);
}

// A file that cannot be written does not become the table's output page.
TEST(XslOutputPage, FailedWriteKeepsTheOutputPage)
{
    TempHome home;
    ScopedScriptedUi ui;
    TableDocument &doc = ordersTable(home);
    doc.xslFileName = "old.xsl";
    doc.xslFileDir = home.path() + "/";
    ui->fileAnswers = {home.file("no such folder/new.xsl")};
    savePageAs();
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_TRUE(ui->messages[0].startsWith("Cannot write to file "));
    EXPECT_EQ(doc.xslFileName, "old.xsl");
    EXPECT_EQ(doc.xslFileDir, home.path() + "/");
}
