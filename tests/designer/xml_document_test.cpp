// Loading a table's XML document: what is recorded, what the user is told, the cached copy.
#include "designer/map_xml_box.h"
#include "designer/xml_document.h"
#include "documents/store_access.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "support/fake_main_window.h"
#include "support/file_bytes.h"
#include "support/recording_tips.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using Answer = UiServices::Answer;

// An open table "t.tvk" in the data folder, a main window and scripted dialogs.
struct OpenTable {
    TempHome home;
    ScopedScriptedUi ui;
    FakeMainWindow window;
    XmlDocumentState state;

    OpenTable()
    {
        workspace().slotUsed[0] = true;
        workspace().current().tablePath = home.file("t.tvk");
    }
    TableDocument &doc() { return workspace().current(); }
    QString xml(const QString &name, const QString &text)
    {
        writeFile(home.file(name), text, true);
        return home.file(name);
    }
    bool load(const QString &path)
    {
        state.fileName = path;
        return loadXMLFile(state, parseNow);
    }
};

} // namespace

TEST(XmlDocument, LoadRecordsTheDocumentAndMarksTheTableChanged)
{
    OpenTable t;
    const QString path = t.xml("a.xml", "<a x='1'>hi</a>");
    EXPECT_TRUE(t.load(path));
    EXPECT_EQ(t.doc().xmlPath, path);
    EXPECT_EQ(t.doc().xmlText, "<a x='1'>hi</a>");
    EXPECT_EQ(t.state.caption, "XML: " + path);
    EXPECT_TRUE(t.doc().tableChanged);
    EXPECT_TRUE(t.doc().repShown && t.doc().propShown && t.doc().resultShown);
    EXPECT_EQ(t.state.tree->nodeCount(), 3);
    EXPECT_TRUE(t.window.menuEnabled.value("xslmenu"));
    EXPECT_TRUE(t.ui->messages.isEmpty());

    // The table's own document stored by its bare name keeps that name, wherever the
    // process stands.
    t.doc().xmlPath = "a.xml";
    QDir::setCurrent(QDir::rootPath());
    EXPECT_TRUE(t.load(t.doc().xmlFile()));
    EXPECT_EQ(t.doc().xmlPath, "a.xml");
    EXPECT_EQ(t.state.caption, "XML: " + path);
}

// The user's own choice of document is followed by the next step's tip; the load of a
// table being opened is not.
TEST(XmlDocument, ChoosingADocumentGuidesTheUserToTheNextStep)
{
    OpenTable t;
    RecordingTips tips;
    QDir(t.home.path()).mkpath("tables");
    EXPECT_TRUE(t.load(t.xml("a.xml", "<a/>")));
    EXPECT_TRUE(tips.balloons.isEmpty()) << "a table being opened offers its tip itself";
    workspace().presetXmlPath = t.xml("b.xml", "<b/>");
    t.ui->answers = {Answer::Yes}; // replace the current document
    cmdBrowse_Click(t.state, parseNow);
    workspace().presetXmlPath.clear();
    EXPECT_EQ(tips.balloons, QStringList{"Add columns @ 1.addit"});
}

TEST(XmlDocument, LoadRefusals)
{
    OpenTable t;
    t.state.fileName = t.home.file("gone.xml");
    t.doc().tablePath.clear();
    EXPECT_FALSE(loadXMLFile(t.state, parseNow));
    t.doc().tablePath = t.home.file("t.tvk");
    EXPECT_FALSE(t.load(t.home.file("gone.xml")));
    EXPECT_EQ(t.ui->messages, (QStringList{"No table currently open. Open or create table first.",
                                           "Can't find XML file. Please open XML file.\r\n\r\n" +
                                               t.home.file("gone.xml") +
                                               "\r\nThere is no file of this name."}));
    EXPECT_EQ(t.doc().xmlPath, "");
    EXPECT_EQ(t.state.fileName, "") << "the path box names the document in use";
}

TEST(XmlDocument, AFailedLoadKeepsTheGoodDocument)
{
    OpenTable t;
    const QString good = t.xml("good.xml", "<a/>");
    ASSERT_TRUE(t.load(good));
    const auto tree = t.state.tree;
    workspace().presetXmlPath = t.xml("bad.xml", "<a>");
    t.ui->answers = {Answer::Yes};
    cmdBrowse_Click(t.state, parseNow);
    EXPECT_EQ(t.ui->questions, QStringList{"Are you sure you want to replace current XML?"});
    ASSERT_EQ(t.ui->messages.size(), 1);
    EXPECT_TRUE(t.ui->messages[0].startsWith("Error in XML file: " + t.home.file("bad.xml") +
                                             "\r\n\r\nSource Text: "));
    EXPECT_EQ(t.state.tree, tree);
    EXPECT_EQ(t.doc().xmlPath, good);
    EXPECT_EQ(t.state.fileName, good);
    EXPECT_EQ(t.state.caption, "XML: " + good);
    EXPECT_EQ(t.doc().xmlNodeIndex, -1) << "the first load selects nothing";

    workspace().presetXmlPath = good;
    t.ui->answers = {Answer::No};
    cmdBrowse_Click(t.state, parseNow);
    EXPECT_EQ(t.state.tree, tree) << "No keeps the document";
    workspace().presetXmlPath.clear();
    cmdBrowse_Click(t.state, parseNow); // the dialog is cancelled
    EXPECT_EQ(t.state.fileName, good);
    EXPECT_EQ(t.ui->fileDialogs.size(), 1);
    EXPECT_EQ(t.ui->fileDialogs[0].title, "Open XML file");
}

TEST(XmlDocument, CachedCopyWhenTheDocumentIsMissing)
{
    const QString question =
        "The originial XML file used when project was created is not available.\r\n\r\nDo you "
        "want to use cached XML file? Click Yes to use cached XML file, or No to provide your own "
        "XML file.";
    struct Case {
        const char *name;
        int copyExists; // 1 a file, 2 a link to a file outside, which is no copy of the table's
        std::deque<Answer> answers;
        bool loadsCopy;
        QStringList questions;
    };
    const Case cases[] = {
        {"Yes writes and loads the copy", false, {Answer::Yes}, true, {question}},
        {"No fails the load", false, {Answer::No}, false, {question}},
        {"an existing file is replaced on Yes", true, {Answer::Yes, Answer::Yes}, true,
         {question, "File already exists. Overwrite?"}},
        {"an existing file is kept on No", true, {Answer::Yes, Answer::No}, false,
         {question, "File already exists. Overwrite?"}},
        {"a link is replaced on Yes", 2, {Answer::Yes, Answer::Yes}, true,
         {question, "File already exists. Overwrite?"}},
        {"a link is not read on No", 2, {Answer::No}, false, {question}},
    };
    for (const Case &c : cases) {
        OpenTable t;
        const QString copy = t.home.file("t.xml");
        if (c.copyExists == 1)
            writeFile(copy, "<other/>", true);
        if (c.copyExists == 2)
            QFile::link(t.xml("outside.xml", "<other/>"), copy);
        t.doc().cachedXmlText = "<kept/>";
        t.ui->answers = c.answers;
        t.load(c.copyExists == 2 ? copy : t.home.file("gone.xml"));
        EXPECT_EQ(t.ui->questions, c.questions) << c.name;
        EXPECT_EQ(t.doc().xmlPath, c.loadsCopy ? copy : QString()) << c.name;
        EXPECT_EQ(readFile(copy), c.loadsCopy ? "<kept/>" : c.copyExists ? "<other/>" : "")
            << c.name;
        EXPECT_EQ(bool(t.state.tree), c.loadsCopy) << c.name;
    }
}

// A pipe as the document is never opened: the load fails at once with its message. A read
// that waits for a writer is let go by one, so that the test ends either way.
TEST(XmlDocument, APipeIsNotRead)
{
    OpenTable t;
    const QString pipe = t.home.file("pipe.xml");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    t.doc().cachedXmlText = "<kept/>";
    t.ui->answers = {Answer::No};
    auto reads = std::async(std::launch::async,
                            [&] { return std::pair(parseNow(pipe).error.reason, t.load(pipe)); });
    bool waited = false;
    while (reads.wait_for(std::chrono::seconds(waited ? 1 : 30)) != std::future_status::ready) {
        waited = true;
        close(open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK));
    }
    EXPECT_FALSE(waited) << "a read waited on the pipe";
    const QString why = "It is a named pipe, not a regular file: only regular files are read.";
    EXPECT_EQ(reads.get(), std::pair(why, false));
    EXPECT_EQ(t.ui->messages.value(0), "Error in XML file: " + pipe + "\r\n\r\nError: " + why +
                                           "\r\n\r\nCorrect above error and try again.");

    // Chosen without a cached copy after a good document, the pipe is named and the path
    // box goes back to the document in use.
    const QString good = t.xml("good.xml", "<a/>");
    ASSERT_TRUE(t.load(good));
    t.ui->messages.clear();
    t.ui->answers = {Answer::Yes};
    workspace().presetXmlPath = pipe;
    cmdBrowse_Click(t.state, parseNow);
    workspace().presetXmlPath.clear();
    EXPECT_EQ(t.ui->messages, QStringList{"Can't find XML file. Please open XML file.\r\n\r\n" +
                                          pipe + "\r\n" + why});
    EXPECT_EQ(t.state.fileName, good);
    EXPECT_EQ(t.doc().xmlPath, good);
    EXPECT_EQ(t.state.caption, "XML: " + good);
}

// The copy kept in the table reads back as the same characters, whatever the encoding of
// the document it was made from.
TEST(XmlDocument, TheCachedCopyKeepsTheDocumentsCharacters)
{
    const QString utf16Text = QString::fromUtf8("<?xml version='1.0' encoding='UTF-16'?>"
                                                "<a>caf\u00e9 \u20ac</a>");
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"UTF-8", "<?xml version='1.0'?><a>caf\xc3\xa9 \xe2\x82\xac</a>"},
        {"declared windows-1252",
         "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<a>caf\xe9 \x80</a>"},
        {"UTF-16 with its mark",
         "\xff\xfe" + QByteArray(reinterpret_cast<const char *>(utf16Text.utf16()),
                                 utf16Text.size() * 2)},
    };
    for (const auto &c : cases) {
        OpenTable t;
        const QString original = t.home.file("gone.xml");
        ASSERT_TRUE(writeBytes(original, c.bytes));
        ASSERT_TRUE(t.load(original)) << c.name;
        t.doc().cachedXmlText = t.doc().xmlText;
        QFile::remove(original);
        t.ui->answers = {Answer::Yes};
        ASSERT_TRUE(t.load(original)) << c.name;
        EXPECT_EQ(t.doc().xmlPath, t.home.file("t.xml"));
        EXPECT_EQ(t.state.tree->caption(2), QString::fromUtf8("a=caf\u00e9 \u20ac")) << c.name; // after the declaration
    }
}

TEST(XmlDocument, MakeitRefusalsAndTheRowXpath)
{
    OpenTable t;
    EXPECT_FALSE(makeit_Click(t.state));
    ASSERT_TRUE(t.load(t.xml("c.xml", "<catalog><item id='7'/></catalog>")));
    t.doc().xmlNodeIndex = -1;
    EXPECT_FALSE(makeit_Click(t.state));
    t.doc().xmlNodeIndex = 1; // the document node
    EXPECT_FALSE(makeit_Click(t.state));
    EXPECT_EQ(t.ui->messages,
              (QStringList{"Please load XML file first.", "Please select XML element first.",
                           "Please select XML element first, instead of XML file name."}));

    t.doc().tableChanged = false;
    t.doc().xmlNodeIndex = 3; // item
    EXPECT_TRUE(makeit_Click(t.state));
    EXPECT_EQ(getKey("Xpath-Table"), "/catalog/item");
    EXPECT_TRUE(t.doc().tableChanged);
    EXPECT_TRUE(mapXmlBox().ticked && mapXmlBox().enabled);
    t.doc().xmlNodeIndex = 4; // @id
    EXPECT_TRUE(makeit_Click(t.state));
    EXPECT_EQ(getKey("Xpath-Table"), "/catalog/item") << "an existing row Xpath stays";
}

TEST(XmlDocument, OpenXmlForTableSetsTheXslOutputOfTheNewTable)
{
    TempHome home;
    ScopedScriptedUi ui;
    FakeMainWindow window;
    openXmlForTable(home.file("d.xml"), "C:\\out\\page.xsl", home.file("fromXml.tvk"));
    const TableDocument &doc = workspace().current();
    EXPECT_EQ(doc.tablePath, home.file("fromXml.tvk"));
    EXPECT_EQ(doc.xmlPath, home.file("d.xml"));
    EXPECT_EQ(doc.xslFileName, "page.xsl");
    EXPECT_EQ(doc.xslFileDir, "C:/out/");

    openXmlForTable(home.file("e.xml"), "/x/other.xsl", home.file("fromXml.tvk")); // No: kept
    EXPECT_EQ(ui->questions.size(), 1);
    EXPECT_EQ(workspace().current().xslFileName, "page.xsl");
    EXPECT_EQ(workspace().current().xmlPath, home.file("d.xml"));
}
