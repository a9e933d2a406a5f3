// The table interface dialogs offscreen: the Xpath Item dialog's OK and Cancel, the
// interface editor's grid through the property sheet's seam, and the call mapping.
#include "../generator/call_table_fixture.h"
#include "../properties/sheet_fixture.h"
#include "designer/gui/xml_document_window.h"
#include "documents/table_commands.h"
#include "mainwindow/gui/slot_window_set.h"
#include "mainwindow/gui/vantor.h"
#include "publishing/gui/call_mapping_dialog.h"
#include "publishing/gui/interface_dialogs.h"
#include "publishing/gui/interface_editor_dialog.h"
#include "publishing/gui/xml_tree_copy.h"
#include "publishing/gui/xpath_item_dialog.h"
#include "support/scripted_ui.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>

namespace {

void click(QWidget &dialog, const char *button)
{
    QPushButton *b = dialog.findChild<QPushButton *>(QLatin1String(button));
    ASSERT_TRUE(b) << button;
    b->click();
}

QLineEdit *box(QWidget &dialog, const char *name) { return dialog.findChild<QLineEdit *>(QLatin1String(name)); }

// Drops plain text on a widget at a point, as a drag from another program would.
void dropText(QWidget *target, const QPoint &at, const QString &text)
{
    QMimeData data;
    data.setText(text);
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

QStringList gridColumn(QWidget &dialog, int column)
{
    auto *grid = dialog.findChild<QTableWidget *>(QStringLiteral("comps"));
    QStringList texts;
    for (int r = 0; r < grid->rowCount(); ++r)
        texts << grid->item(r, column)->text();
    return texts;
}

struct OkCase {
    InterfaceItem typed;
    const char *message; // "" for accepted
};

} // namespace

TEST(XpathItemDialogGui, OkChecksTheItemAndCancelRejects)
{
    TempHome home;
    ScopedScriptedUi ui;
    XpathItemDialog dialog;
    const OkCase cases[] = {
        {{"  ", " ", " "}, "Please enter name of Xpath Item."},
        {{"1st", "d", "/a"}, nullptr}, // the name rule's own message
        {{"item", "", "/a"}, "Please enter description of Xpath Item."},
        {{"item", "d", " \t"}, "Please enter xpath of Xpath Item."},
        {{" item ", " the item ", " /a/b "}, ""},
    };
    for (const OkCase &c : cases) {
        ui->messages.clear();
        dialog.setItem(c.typed);
        dialog.show();
        click(dialog, "bok");
        const bool accepted = c.message && !*c.message;
        EXPECT_EQ(dialog.isVisible(), !accepted) << c.typed.name.toStdString();
        EXPECT_EQ(ui->messages.size(), accepted ? 0 : 1);
        if (c.message && *c.message) {
            EXPECT_EQ(ui->messages.value(0), c.message);
        }
    }
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.item(), InterfaceItem({"item", "the item", "/a/b"}));
    dialog.show();
    click(dialog, "bcloseit");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    dropText(box(dialog, "xpath"), {5, 5}, "text from elsewhere");
    EXPECT_EQ(box(dialog, "xpath")->text(), "text from elsewhere");
}

class EditorGui : public SheetTest {
protected:
    EditorGui()
    {
        select(StructureTree::tableKey);
        sheet().holder(Holder::tcomp) =
            packInterfaceText({{"Table", "rows", "/rows/row"}, {"....a", "A", "/rows/row/a"}}, QString());
    }
    // Runs the editor modal through the seam; the steps run inside its event loop.
    void runEditor(const std::function<void(InterfaceEditorDialog &)> &steps)
    {
        QTimer::singleShot(0, [this, steps] {
            InterfaceEditorDialog &editor = dialogs.editor();
            steps(editor);
            if (editor.isVisible())
                editor.done(QDialog::Rejected);
        });
        workspace().interfaceDialogs->doInterface();
    }
    // The next Xpath Item dialog gets the item and the button.
    void answerItem(const InterfaceItem &item, const char *button)
    {
        QTimer::singleShot(0, [this, item, button] {
            XpathItemDialog &whatis = dialogs.editor().itemDialog();
            whatis.setItem(item);
            click(whatis, button);
        });
    }
    QWidget mainWindow;
    InterfaceDialogs dialogs{&mainWindow};
    ScopedScriptedUi ui;
};

TEST_F(EditorGui, ItemsAreAddedEditedMovedAndSavedIntoTheSheet)
{
    runEditor([this](InterfaceEditorDialog &editor) {
        EXPECT_EQ(gridColumn(editor, 0), QStringList({"Table", "....a"}));
        answerItem({"b", "B", "/rows/row/b"}, "bcloseit");
        editor.addit_Click(); // cancelled: nothing added
        answerItem({"b", "B", "/rows/row/b"}, "bok");
        editor.addit_Click();
        editor.goright_Click(); // the new row stays current
        editor.upit_Click();
        EXPECT_EQ(gridColumn(editor, 0), QStringList({"Table", "....b", "....a"}));
        answerItem({"c", "C", "/rows/row/c"}, "bok");
        editor.editit_Click();
        editor.downit_Click();
        EXPECT_EQ(gridColumn(editor, 0), QStringList({"Table", "....a", "....c"}));
        EXPECT_EQ(gridColumn(editor, 2), QStringList({"/rows/row", "/rows/row/a", "/rows/row/c"}));
        EXPECT_TRUE(editor.findChild<QPlainTextEdit *>("tlogic")->toPlainText().contains(
            "$interface_xpath_for_c"));
        click(editor, "saveit");
        EXPECT_FALSE(editor.isVisible());
    });
    const InterfaceRecords saved = readInterfaceText(stored("Table Interface-Table"));
    EXPECT_EQ(saved.items.size(), 3);
    EXPECT_EQ(saved.items[2], InterfaceItem({"....c", "C", "/rows/row/c"}));
    EXPECT_EQ(row("Table Interface").value, "Interface");
}

TEST_F(EditorGui, ClosingAfterAChangeAsksAndDeleteRemovesTheCurrentRow)
{
    ui->answers = {UiServices::Answer::No, UiServices::Answer::Yes};
    runEditor([this](InterfaceEditorDialog &editor) {
        editor.deleteit_Click();
        EXPECT_EQ(gridColumn(editor, 0), QStringList({"....a"}));
        click(editor, "closeit"); // No: stays open
        EXPECT_TRUE(editor.isVisible());
        click(editor, "closeit");
        EXPECT_FALSE(editor.isVisible());
    });
    EXPECT_EQ(ui->questions.size(), 2);
    EXPECT_EQ(stored("Table Interface-Table"), "");
}

class MappingGui : public ::testing::Test {
protected:
    MappingGui()
    {
        QDir().mkpath(f.dir("lib"));
        writeFile(f.dir("lib") + "Called.tic",
                  packInterfaceText({{"Table", "rows", "/list/item"}, {"....c", "the c", "/list/item/c"}}, "b"),
                  true);
        f.addCall("call", "../lib/Called.tvk");
        f.caller.set("Interface Used-call@table", "True");
        f.caller.set("Call Xpath-call@table-c", "/rows/row/item/c");
        workspace().current().selectedNodeKey = "call-table";
        dialog.prepare();
        dialog.show();
    }
    QTableWidget *grid() { return dialog.findChild<QTableWidget *>(QStringLiteral("comps")); }
    CallTableFixture f;
    ScopedScriptedUi ui;
    CallMappingDialog dialog;
};

TEST_F(MappingGui, DropsAndButtonsEditTheGridAndSaveStoresIt)
{
    EXPECT_EQ(gridColumn(dialog, 1), QStringList({"", "/rows/row/item/c"}));
    EXPECT_EQ(dialog.findChild<QLabel *>("desc")->text(), "rows");
    QTableWidget *comps = grid();
    dropText(comps->viewport(), comps->visualItemRect(comps->item(0, 1)).center(), "/rows/row/item");
    comps->setCurrentCell(1, 0);
    dialog.showDescription(1);
    EXPECT_EQ(dialog.findChild<QLabel *>("desc")->text(), "the c");
    click(dialog, "ARButton1");
    EXPECT_EQ(gridColumn(dialog, 1), QStringList({"/rows/row/item", ""}));
    click(dialog, "dosave");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(getKey("Call Xpath-call@table-Table"), "/rows/row/item");
    EXPECT_EQ(getKey("Call Xpath-call@table-c"), "");
    EXPECT_EQ(getKey("Interface Used-call@table"), "True");
}

TEST_F(MappingGui, DeleteAllThenCancelStoresNothing)
{
    ui->answers = {UiServices::Answer::Yes, UiServices::Answer::Yes};
    click(dialog, "clearit");
    EXPECT_EQ(gridColumn(dialog, 1), QStringList({"", ""}));
    click(dialog, "cancelit");
    EXPECT_EQ(getKey("Interface Used-call@table"), "True");
    EXPECT_EQ(getKey("Call Xpath-call@table-c"), "/rows/row/item/c");
    dialog.prepare();
    dialog.show();
    click(dialog, "clearit");
    click(dialog, "dosave");
    EXPECT_EQ(getKey("Interface Used-call@table"), "False");
    EXPECT_EQ(getKey("Call Xpath-call@table-c"), "");
}

TEST(InterfaceDialogsInMainWindow, TheItemDialogPicksXpathsFromACopyOfTheTablesXmlTree)
{
    TempHome home;
    ScopedScriptedUi ui;
    QTemporaryDir examples;
    Vantor window;
    window.startUp({}, examples.path());
    for (const char *name : {"demo_books.tvk", "demo_books.xml"})
        QFile::copy(QStringLiteral(TARVIK_SOURCE_DIR "/resources/examples/") + name, home.file(name));
    ASSERT_TRUE(openTable(home.file("demo_books.tvk")));
    auto *dialogs = dynamic_cast<InterfaceDialogs *>(workspace().interfaceDialogs);
    ASSERT_TRUE(dialogs);
    auto *xml = qobject_cast<XmlDocumentWindow *>(
        window.slotWindow(workspace().curTable, SlotWindow::Parser)->widget());
    const QModelIndex document = xml->treeModel().index(0, 0);
    // The XML declaration comes first.
    xml->tree()->setCurrentIndex(xml->treeModel().index(1, 0, document));
    QString picked;
    QTimer::singleShot(0, [&] {
        InterfaceEditorDialog &editor = dialogs->editor();
        QTimer::singleShot(0, [&] {
            XpathItemDialog &whatis = editor.itemDialog();
            EXPECT_EQ(box(whatis, "xpath")->text(), "/catalog");
            XmlTreeCopy &copy = whatis.tree();
            const QModelIndex root = copy.model()->index(0, 0);
            const QModelIndex catalog = copy.model()->index(1, 0, root);
            // The root and the document element past the declaration are expanded.
            EXPECT_TRUE(copy.isExpanded(root));
            EXPECT_TRUE(copy.isExpanded(catalog));
            copy.setCurrentIndex(copy.model()->index(0, 0, catalog));
            click(whatis, "gox");
            picked = box(whatis, "xpath")->text();
            whatis.reject();
        });
        editor.addit_Click();
        editor.done(QDialog::Rejected);
    });
    dialogs->doInterface();
    EXPECT_TRUE(picked.startsWith("/catalog/book")) << picked.toStdString();
}
