#include "documents/table_file_format.h"
#include "documents/table_file_reader.h"
#include "documents/table_file_writer.h"
#include "documents/workspace.h"
#include "documents/main_controls.h"
#include "recording_views.h"
#include "sample_table.h"
#include "support/fake_main_window.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

namespace {

// An empty slot 0 and an empty editor pool, as a table is opened into them.
void emptySlot()
{
    Workspace &ws = workspace();
    ws.current().reset();
    ws.xslEditForms = {};
}

// The sample table's text, and an empty slot to read it into.
QString sampleText(const TempHome &home)
{
    buildSampleTable(home.file("people.tvk"));
    const QString text = serializeTable();
    emptySlot();
    return text;
}

// The text up to and including marker, leaving out what follows.
QString cutAfter(const QString &text, const QString &marker)
{
    const qsizetype at = text.indexOf(marker);
    EXPECT_GE(at, 0) << marker.toStdString();
    return text.left(at + marker.size());
}

} // namespace

TEST(ReadRecord, ReturnsTheFieldsItFound)
{
    QString one = "?";
    QString two = "?";
    qsizetype pos = 0;
    EXPECT_EQ(readRecord(pos, "a\x02" "b\x03", one, two), 2);
    EXPECT_EQ(one, "a");
    EXPECT_EQ(two, "b");
    EXPECT_EQ(pos, 4);

    one = two = "?";
    pos = 0;
    EXPECT_EQ(readRecord(pos, "a\x02" "b", one, two), 1);
    EXPECT_EQ(one, "a");
    EXPECT_EQ(two, "?");
    EXPECT_EQ(pos, 2);

    one = two = "?";
    pos = 0;
    EXPECT_EQ(readRecord(pos, "ab", one, two), 0);
    EXPECT_EQ(one, "?");
    EXPECT_EQ(pos, 0);
}

TEST(TableFileReader, RoundTripRestoresTheDocumentAndWritesTheSameText)
{
    TempHome home;
    const QString text = sampleText(home);
    TableDocument &doc = workspace().current();
    workspace().showDetails = true;

    EXPECT_EQ(readTableText(home.file("people.tvk"), text), TableReadOutcome::Complete);
    EXPECT_EQ(doc.tablePath, home.file("people.tvk"));
    EXPECT_EQ(doc.xmlPath, "/data/people.xml");
    EXPECT_EQ(doc.store.value("CSS-Table"), "td {\r\n color: red }");
    EXPECT_TRUE(doc.tableChanged);
    ASSERT_EQ(doc.tree.root()->children.size(), 2u);
    EXPECT_EQ(doc.tree.root()->children[0]->children[1]->key, "name-style");
    EXPECT_EQ(doc.tree.find("name")->image, "Text (HTML segment)");
    EXPECT_EQ(doc.tree.find("name-value")->image, "requiredAttribute");
    EXPECT_EQ(doc.geometryOf(SlotWindow::Prop).height, 6001); // rounded to whole twips
    EXPECT_EQ(doc.geometryOf(SlotWindow::Rep).width, 2500);
    EXPECT_EQ(doc.geometryOf(SlotWindow::XslCode).left, 70);
    EXPECT_EQ(doc.cachedXmlText, "<people/>");
    EXPECT_EQ(doc.xslFileDir, "/out/");
    EXPECT_EQ(doc.autoReload, 1);
    EXPECT_TRUE(doc.propShown && doc.parserShown && doc.repShown);
    EXPECT_FALSE(doc.resultShown || doc.xslCodeShown);
    EXPECT_EQ(doc.xmlNodeIndex, 3);
    EXPECT_EQ(doc.selectedNodeKey, "name");
    EXPECT_EQ(doc.selectedPropertyCaption, "Style");
    EXPECT_FALSE(workspace().showDetails);
    EXPECT_EQ(doc.rowLimitIndex, 2);

    const auto &pool = workspace().xslEditForms;
    EXPECT_EQ(pool[0].myElement, "name-value");
    EXPECT_EQ(pool[0].geometry.width, 5775);
    EXPECT_TRUE(pool[0].xslEditShown);
    EXPECT_EQ(pool[1].myElement, "Table");
    EXPECT_FALSE(pool[1].xslEditShown);
    EXPECT_FALSE(pool[2].exists);

    doc.geometryOf(SlotWindow::Prop).height = 6000.5;
    doc.geometryOf(SlotWindow::Rep).width = 2500.25;
    doc.xmlText = doc.cachedXmlText;
    EXPECT_EQ(serializeTable(), text);
}

TEST(TableFileReader, LegacyExclusionKeysAreRenamed)
{
    TempHome home;
    const QString text = QString("\x04Properties\x02Properties\x03"
                                 "Eliminate If-Table\x02" "a\x03"
                                 "Eliminate If-price\x02" "b\x03"
                                 "Eliminate If\x02" "c\x03\x04");
    EXPECT_EQ(readTableText("t.tvk", text), TableReadOutcome::Complete);
    const PropertyStore &store = workspace().current().store;
    EXPECT_EQ(store.value("Exclude Row If-Table"), "a");
    EXPECT_EQ(store.value("Exclude Column If-price"), "b");
    EXPECT_EQ(store.value("Eliminate If"), "c");
    EXPECT_FALSE(store.contains("Eliminate If-Table"));
}

TEST(TableFileReader, FileCutInsideTheWindowSectionAppliesWhatCameBefore)
{
    TempHome home;
    ScopedScriptedUi ui;
    const QString text = sampleText(home);
    RecordingSlotViews views;
    TableDocument &doc = workspace().current();

    const QString cut = cutAfter(text, "10\x02" "20\x03") + "30";
    EXPECT_EQ(readTableText("cut.tvk", cut), TableReadOutcome::Complete);
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_EQ(doc.tablePath, "cut.tvk");
    EXPECT_EQ(doc.tree.nodeCount(), 5);
    EXPECT_EQ(doc.geometryOf(SlotWindow::Parser).left, 10);
    EXPECT_EQ(doc.geometryOf(SlotWindow::Rep).left, 0);
    EXPECT_TRUE(views.parser.calls.contains("loadXMLFile"));
    EXPECT_EQ(views.allProp.calls.last(), "loaded");

    emptySlot();
    EXPECT_EQ(readTableText("path-only.tvk", "/x.xml\x04"), TableReadOutcome::Complete);
    EXPECT_EQ(doc.xmlPath, "/x.xml");
    EXPECT_EQ(doc.store.size(), 1);
    EXPECT_EQ(doc.tablePath, "path-only.tvk");
}

TEST(TableFileReader, RecordWithoutItsEndIsInvalid)
{
    TempHome home;
    ScopedScriptedUi ui;
    const QString text = sampleText(home);
    RecordingSlotViews views;
    TableDocument &doc = workspace().current();

    const QString cut = cutAfter(text, "1100\x02" "900");
    EXPECT_EQ(readTableText("/t/bad.tvk", cut), TableReadOutcome::Invalid);
    ASSERT_EQ(ui->messages.size(), 1);
    EXPECT_EQ(ui->messages[0], "Table file /t/bad.tvk: this doesn't appear to be valid table "
                               "file. Please select another file.");
    EXPECT_EQ(doc.tablePath, "");
    EXPECT_EQ(doc.xmlPath, "/data/people.xml");
    EXPECT_EQ(doc.geometryOf(SlotWindow::Result).height, 8000);
    EXPECT_FALSE(views.parser.calls.contains("loadXMLFile"));
    EXPECT_EQ(views.allProp.calls.first(), "loading");
    EXPECT_EQ(views.allProp.calls.last(), "loaded");

    for (const QString &bad : {QString(), QString("no section end"),
                               QString("\x04" "Properties\x02" "x"),
                               QString("\x04\x04Table\x02" "a"),
                               QString("\x04\x04Table\x02" "a\x02" "a")}) {
        emptySlot();
        EXPECT_EQ(readTableText("x.tvk", bad), TableReadOutcome::Invalid) << bad.toStdString();
    }
    EXPECT_EQ(ui->messages.size(), 6);

    workspace().startupLoading = true;
    EXPECT_EQ(readTableText("x.tvk", ""), TableReadOutcome::Invalid);
    EXPECT_EQ(ui->messages.size(), 6);
}

TEST(TableFileReader, WithoutXmlDocumentOnlyTheXmlWindowReopens)
{
    TempHome home;
    buildSampleTable(home.file("people.tvk"));
    workspace().current().xmlPath.clear();
    const QString text = serializeTable();
    emptySlot();
    RecordingSlotViews views;
    RecordingFrame editorWindow;
    // The pool's entry 0 is taken by an editor window of the same element and kind.
    CodeEditorRecord &entry = workspace().xslEditForms[0];
    entry.exists = true;
    entry.myElement = "name-value";
    entry.myFunction = "Xpath";
    entry.myTab = 0;
    entry.window = &editorWindow;

    EXPECT_EQ(readTableText("t.tvk", text), TableReadOutcome::Complete);
    const TableDocument &doc = workspace().current();
    EXPECT_TRUE(doc.parserShown);
    EXPECT_FALSE(doc.propShown || doc.repShown || doc.resultShown || doc.xslCodeShown);
    EXPECT_FALSE(entry.xslEditShown);
    EXPECT_EQ(entry.geometry.left, 100);
    EXPECT_EQ(entry.geometry.top, 200);
    EXPECT_EQ(entry.geometry.width, 5775);
    EXPECT_EQ(entry.geometry.height, 3375);
    EXPECT_TRUE(editorWindow.calls.isEmpty()) << "the reader writes the model only";
}

TEST(TableFileReader, TheMainWindowPlacesAndShowsAnEditorAsTheFileLeftIt)
{
    TempHome home;
    const QString text = sampleText(home);
    FakeMainWindow window;
    RecordingFrame editorWindow;
    CodeEditorRecord &entry = workspace().xslEditForms[0];
    entry.exists = true;
    entry.myElement = "name-value";
    entry.myFunction = "Xpath";
    entry.myTab = 0;
    entry.window = &editorWindow;
    entry.opened = true; // its code was loaded from the sheet earlier in the run
    EXPECT_EQ(readTableText("t.tvk", text), TableReadOutcome::Complete);
    EXPECT_TRUE(editorWindow.calls.isEmpty());
    goControls();
    EXPECT_EQ(editorWindow.calls, QStringList({"geometry 100 200 5775 3375", "shown"}));
}

TEST(TableFileReader, WindowsAreToldWhatTheyShow)
{
    TempHome home;
    const QString text = sampleText(home);
    RecordingSlotViews views;
    readTableText("t.tvk", text);

    EXPECT_EQ(views.allProp.calls, QStringList({"loading", "row Style", "loaded"}));
    EXPECT_EQ(views.rep.calls, QStringList({"showTree", "select name", "doTClick",
                                            "scrollLeft", "fillProps"}));
    EXPECT_EQ(views.parser.calls, QStringList({"loadXMLFile", "select 3", "scrollLeft"}));
    EXPECT_EQ(views.result.calls,
              QStringList({"rows 0 uiReady 0", "autoReload 1", "rows 2 uiReady 0"}));
    EXPECT_TRUE(workspace().uiReady);

    // Window places and shown flags reach the model; the windows follow it later.
    const TableDocument &doc = workspace().current();
    const auto place = [&doc](SlotWindow window) {
        const WindowGeometry &g = doc.geometryOf(window);
        return QList<double>{g.left, g.top, g.width, g.height};
    };
    EXPECT_EQ(place(SlotWindow::Prop), (QList<double>{0, 0, 3000, 6001}));
    EXPECT_EQ(place(SlotWindow::Rep), (QList<double>{30, 40, 2500, 1000}));
    EXPECT_EQ(place(SlotWindow::Result), (QList<double>{50, 60, 7000, 8000}));
    EXPECT_TRUE(doc.propShown && doc.repShown);
    EXPECT_FALSE(doc.resultShown);
}

TEST(TableFileReader, SelectionRecordsAcceptOnlyWhatFits)
{
    TempHome home;
    const QString text = sampleText(home);
    const QString head = text.left(text.indexOf("name\x02Style\x03"));
    Workspace &ws = workspace();
    TableDocument &doc = ws.current();
    ws.slotUsed[3] = true;

    auto readSelection = [&](const QString &rows, const QString &slot) {
        emptySlot();
        doc.rowLimitIndex = 4;
        readTableText("t.tvk", head + "nowhere\x02\x03\x02maybe\x03\x02" + rows + "\x03" + slot +
                                   "\x02\x03");
    };
    readSelection("-1", "3");
    EXPECT_EQ(doc.rowLimitIndex, 0);
    EXPECT_EQ(ws.savedActiveSlot, 3);
    EXPECT_EQ(doc.selectedNodeKey, "");
    EXPECT_FALSE(ws.showDetails); // the sample's value stays

    for (const QString &slot : QStringList{"7", "121", "-2", "x", ""}) {
        readSelection("9", slot);
        EXPECT_EQ(ws.savedActiveSlot, 3) << slot.toStdString();
        EXPECT_EQ(doc.rowLimitIndex, 0); // 9 is no entry; the read began by setting 0
    }
}

TEST(TableFileReader, UnusableRecordsAreSkipped)
{
    TempHome home;
    const QString text = QString("\x04\x04"
                                 "nowhere\x02" "a\x02" "a\x03"
                                 "Table\x02" "b\x02" "b\x03"
                                 "Table\x02" "b\x02" "again\x03"
                                 "\x02" "c\x02" "c\x03"
                                 "b\x02" "b-x\x02" "x\x03"
                                 "b-x\x02" "below\x02" "an attribute\x03"
                                 "\x04"
                                 "wide\x02" "12,6\x03");
    EXPECT_EQ(readTableText("t.tvk", text), TableReadOutcome::Complete);
    TableDocument &doc = workspace().current();
    EXPECT_EQ(doc.tree.nodeCount(), 3);
    EXPECT_EQ(doc.tree.find("b")->text, "b");
    EXPECT_EQ(doc.tree.find("b-x")->parent, doc.tree.find("b"));
    EXPECT_EQ(doc.geometryOf(SlotWindow::Prop).height, 0);
    EXPECT_EQ(doc.geometryOf(SlotWindow::Prop).width, 13);
}

TEST(TableFileReader, EditorsBeyondTheFullPoolOrTheFileEndAreLeftOut)
{
    TempHome home;
    const QString text = sampleText(home);
    Workspace &ws = workspace();
    for (CodeEditorRecord &editor : ws.xslEditForms) {
        editor.exists = true;
        editor.myTab = 9;
    }
    ws.slotUsed[2] = true;
    QString withSlot = text;
    withSlot.replace("-1\x02\x03\x05", "2\x02\x03\x05");
    EXPECT_EQ(readTableText("t.tvk", withSlot), TableReadOutcome::Complete);
    EXPECT_EQ(ws.current().rowLimitIndex, 2);
    EXPECT_EQ(ws.savedActiveSlot, 2);
    for (const CodeEditorRecord &editor : ws.xslEditForms)
        EXPECT_EQ(editor.myTab, 9);

    emptySlot();
    const QString cut = cutAfter(text, "name-value\x02Xpath\x03" "3375\x02" "5775\x03");
    EXPECT_EQ(readTableText("t.tvk", cut), TableReadOutcome::Complete);
    EXPECT_EQ(ws.current().tablePath, "t.tvk");
    EXPECT_FALSE(ws.xslEditForms[0].exists);
}

TEST(TableFileReader, FileCutInsideAnEditorRecordEndsThere)
{
    TempHome home;
    ScopedScriptedUi ui;
    const QString text = sampleText(home);
    const QString cut = cutAfter(text, "name-value\x02Xpath\x03" "3375\x02" "57");
    EXPECT_EQ(readTableText("t.tvk", cut), TableReadOutcome::Complete);
    EXPECT_TRUE(ui->messages.isEmpty());
    EXPECT_EQ(workspace().current().tablePath, "t.tvk");
    EXPECT_EQ(workspace().current().tree.nodeCount(), 5);
    EXPECT_FALSE(workspace().xslEditForms[0].exists) << "the partial editor is skipped";
}

TEST(TableFileReader, ProgressBarStepsThroughTheSections)
{
    TempHome home;
    const QString text = sampleText(home);
    FakeMainWindow window;
    EXPECT_EQ(readTableText("t.tvk", text), TableReadOutcome::Complete);
    EXPECT_EQ(window.progressSteps, (QList<int>{0, 10, 20, 30, 40, 100}));

    emptySlot();
    window.progressSteps.clear();
    readTableText("t.tvk", cutAfter(text, "10\x02" "20\x03"));
    EXPECT_EQ(window.progressSteps, (QList<int>{0, 10, 20})) << "a cut file stops early";
}

TEST(TableFileReader, ReadsTheFileFromDisk)
{
    TempHome home;
    ScopedScriptedUi ui;
    buildSampleTable(home.file("people.tvk"));
    writeTableFile(home.file("people.tvk"));
    emptySlot();
    EXPECT_EQ(readTable(home.file("people.tvk")), TableReadOutcome::Complete);
    EXPECT_EQ(workspace().current().tree.nodeCount(), 5);
    EXPECT_EQ(readTable(home.file("absent.tvk")), TableReadOutcome::Invalid);
    EXPECT_EQ(ui->messages.size(), 1);
}
