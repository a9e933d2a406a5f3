// The XML document window and the table window inside the main window, offscreen.
#include "designer/gui/table_window.h"
#include "designer/gui/xml_document_window.h"
#include "documents/table_commands.h"
#include "documents/table_commands_menu.h"
#include "documents/workspace.h"
#include "mainwindow/gui/slot_window_set.h"
#include "mainwindow/gui/vantor.h"
#include "properties/property_sheets.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QAction>
#include <QApplication>
#include <QScrollBar>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A started main window with the example table of books open.
struct BooksOpen {
    TempHome home;
    ScopedScriptedUi ui;
    QTemporaryDir examples;
    Vantor window;
    int slot = 0;

    BooksOpen()
    {
        window.startUp({}, examples.path());
        for (const char *name : {"demo_books.tvk", "demo_books.xml"})
            QFile::copy(QStringLiteral(TARVIK_SOURCE_DIR "/resources/examples/") + name,
                        home.file(name));
        EXPECT_TRUE(openTable(home.file("demo_books.tvk")));
        slot = workspace().curTable;
    }
    XmlDocumentWindow &xml() const
    {
        return *qobject_cast<XmlDocumentWindow *>(window.slotWindow(slot, SlotWindow::Parser)->widget());
    }
    TableWindow &rep() const
    {
        return *qobject_cast<TableWindow *>(window.slotWindow(slot, SlotWindow::Rep)->widget());
    }
    QTreeWidgetItem *item(const QString &text) const
    {
        return rep().tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive).value(0);
    }
    // A drag of text entering the structure tree, moving to the item and dropping there;
    // the drop action reported back to the source.
    Qt::DropAction dragOnto(QTreeWidgetItem *item, const QString &text) const
    {
        QWidget *viewport = rep().tree()->viewport();
        QMimeData data;
        data.setText(text);
        const QPoint at = rep().tree()->visualItemRect(item).center();
        QDragEnterEvent enter(at, Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &enter);
        hover(at, data);
        QDropEvent drop(at, Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &drop);
        QTest::qWait(0);
        return drop.dropAction();
    }
    void hover(QPoint at, const QMimeData &data) const
    {
        QDragMoveEvent move(at, Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(rep().tree()->viewport(), &move);
    }
    QStringList columns() const
    {
        QStringList texts;
        QTreeWidgetItem *table = rep().tree()->topLevelItem(0);
        for (int i = 0; i < table->childCount(); ++i)
            texts << table->child(i)->text(0);
        return texts;
    }
    void click(QTreeWidgetItem *item, Qt::MouseButton button) const
    {
        QTreeWidget *tree = rep().tree();
        const QPoint at = tree->visualItemRect(item).center();
        QTest::mousePress(tree->viewport(), button, {}, at);
        QTest::mouseRelease(tree->viewport(), button, {}, at);
    }
};

} // namespace

TEST(DesignerWindows, AnOpenedTableShowsItsXmlTreeAndStructureTree)
{
    BooksOpen books;
    EXPECT_TRUE(books.ui->messages.isEmpty()) << books.ui->messages.join("|").toStdString();
    const XmlTreeModel &model = books.xml().treeModel();
    const QModelIndex document = model.index(0, 0);
    // The table names its document relative to its own folder; the window shows it whole.
    EXPECT_EQ(model.data(document).toString(), books.home.file("demo_books.xml"));
    EXPECT_EQ(model.data(model.index(0, 0, document)).toString(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
    EXPECT_EQ(model.data(model.index(1, 0, document)).toString(), "catalog");
    EXPECT_TRUE(books.xml().tree()->isExpanded(document));
    EXPECT_EQ(books.window.slotWindow(books.slot, SlotWindow::Parser)->windowTitle(),
              "XML: " + books.home.file("demo_books.xml"));
    EXPECT_FALSE(workspace().current().tableChanged);

    QTreeWidget *tree = books.rep().tree();
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    QStringList columns;
    for (int i = 0; i < tree->topLevelItem(0)->childCount(); ++i)
        columns << tree->topLevelItem(0)->child(i)->text(0);
    EXPECT_EQ(columns, (QStringList{"title", "author", "year", "price"}));
    EXPECT_FALSE(tree->topLevelItem(0)->child(0)->icon(0).isNull());
}

TEST(DesignerWindows, ANodeClickSelects)
{
    BooksOpen books;
    books.click(books.item("author"), Qt::LeftButton);
    EXPECT_EQ(workspace().current().selectedNodeKey, "author");
    books.click(books.item("value"), Qt::RightButton);
    EXPECT_EQ(workspace().current().selectedNodeKey, "title-value");
    books.window.popupMenu("mainR")->close();

    XmlTreeWidget *xmlTree = books.xml().tree();
    const QModelIndex catalog = books.xml().treeModel().index(0, 0, xmlTree->model()->index(0, 0));
    QTest::mouseClick(xmlTree->viewport(), Qt::LeftButton, {}, xmlTree->visualRect(catalog).center());
    EXPECT_EQ(workspace().current().xmlNodeIndex, 2);
}

// The sheet always shows the selected node, however the selection moved: by the arrow
// keys, or by a drag that hovered and then did nothing.
TEST(DesignerWindows, TheSheetFollowsTheKeysAndAnIdleDrop)
{
    BooksOpen books;
    books.click(books.item("author"), Qt::LeftButton);
    QTest::keyClick(books.rep().tree(), Qt::Key_Down);
    EXPECT_EQ(workspace().current().selectedNodeKey, "author-value");
    EXPECT_EQ(currentSheet().currentElement, "author-value");

    books.dragOnto(books.item("year"), "plain text");
    EXPECT_EQ(workspace().current().selectedNodeKey, "year");
    EXPECT_EQ(currentSheet().currentElement, "year");
}

TEST(DesignerWindows, PopupItemsFollowTheNodeKind)
{
    BooksOpen books;
    const auto enabledItems = [&books] {
        QStringList names;
        for (QAction *action : books.window.popupMenu("mainR")->actions())
            if (!action->isSeparator() && action->isEnabled())
                names << action->objectName();
        books.window.popupMenu("mainR")->close();
        return names;
    };
    books.click(books.item("Table"), Qt::RightButton);
    EXPECT_EQ(enabledItems(), QStringList{"addCol"});
    books.click(books.item("year"), Qt::RightButton);
    EXPECT_EQ(enabledItems(), (QStringList{"addAttribute", "editAttribute", "renameColumn",
                                           "moveUp", "moveDown", "deleteColumn"}));
    EXPECT_EQ(books.window.mainMenus().item("editAttribute")->text(), "Edit required attribute");
    books.click(books.item("year")->child(0), Qt::RightButton);
    EXPECT_EQ(enabledItems(), (QStringList{"editAttribute", "deleteAttribute"}));
    EXPECT_EQ(books.window.mainMenus().item("editAttribute")->text(), "Edit attribute");
}

TEST(DesignerWindows, TheDragCarriesTheXpathAndOnlyMoves)
{
    BooksOpen books;
    XmlTreeWidget *tree = books.xml().tree();
    QAbstractItemModel *model = tree->model();
    const QModelIndex book = model->index(0, 0, model->index(1, 0, model->index(0, 0)));
    const QModelIndex id = model->index(0, 0, book);
    EXPECT_EQ(model->data(id).toString(), "@id=b1");
    std::unique_ptr<QMimeData> mime(model->mimeData({id}));
    EXPECT_EQ(mime->text(), "/catalog/book/@id");
    EXPECT_EQ(tree->dragDropMode(), QAbstractItemView::DragOnly);
    EXPECT_EQ(model->supportedDragActions(), Qt::MoveAction);
}

TEST(DesignerWindows, TheDeleteKeyAndAnInPlaceRenameGoThroughTheModel)
{
    BooksOpen books;
    QTreeWidget *tree = books.rep().tree();
    books.click(books.item("price"), Qt::LeftButton);
    books.ui->answers = {UiServices::Answer::Yes};
    QTest::keyClick(tree, Qt::Key_Delete);
    EXPECT_FALSE(workspace().current().tree.find("price"));
    EXPECT_FALSE(books.item("price"));

    books.click(books.item("year"), Qt::LeftButton);
    books.item("year")->setText(0, "published");
    QTest::qWait(0);
    EXPECT_TRUE(workspace().current().tree.find("published"));
    EXPECT_EQ(workspace().current().store.value("Xpath-published@value"), "/catalog/book/year");
    EXPECT_TRUE(books.item("published"));
    EXPECT_EQ(books.window.slotWindow(books.slot, SlotWindow::Prop)->windowTitle(),
              "Properties [published]");
}

// Opened as the program starts, the node is scrolled to in the tree at its shown size: the
// root stays in view, as both fit.
TEST(DesignerWindows, TheSelectedXmlNodeSurvivesSavingAndOpening)
{
    BooksOpen books;
    books.xml().selectNodeIndex(12);
    ASSERT_TRUE(saveit());
    ASSERT_TRUE(checkDirty(false));
    docloseit_Click();
    Vantor again;
    again.startUp({books.home.file("demo_books.tvk")}, books.examples.path());
    auto &xml = *qobject_cast<XmlDocumentWindow *>(again.slotWindow(0, SlotWindow::Parser)->widget());
    EXPECT_EQ(workspace().current().xmlNodeIndex, 12);
    const XmlTreeModel &model = xml.treeModel();
    EXPECT_EQ(model.nodeOf(xml.tree()->currentIndex()), 11);
    EXPECT_EQ(xml.tree()->verticalScrollBar()->value(), 0);

    xml.tree()->collapseAll(); // revealing the node expands its ancestors
    xml.selectNodeIndex(4);
    EXPECT_EQ(model.nodeOf(xml.tree()->currentIndex()), 3);
    EXPECT_EQ(workspace().current().xmlNodeIndex, 4);
}

TEST(DesignerWindows, DroppingAnXpathOnAnAttributeMapsIt)
{
    BooksOpen books;
    QTreeWidgetItem *value = books.item("author")->child(0);
    EXPECT_EQ(books.dragOnto(value, "/catalog/book/@id"), Qt::IgnoreAction)
        << "the source keeps what was dragged";
    EXPECT_EQ(workspace().current().store.value("Xpath-author@value"), "/catalog/book/@id");
    EXPECT_EQ(workspace().current().selectedNodeKey, "author-value");
    EXPECT_EQ(books.rep().tree()->currentItem(), books.item("author")->child(0));

    books.dragOnto(books.item("year"), "/catalog/book/@id");
    EXPECT_EQ(books.ui->messages,
              QStringList{"To map attributes, please drag XML to column's attribute"});
}

TEST(DesignerWindows, DraggingAColumnOntoAnotherMovesIt)
{
    BooksOpen books;
    books.dragOnto(books.item("title"), "|price");
    EXPECT_EQ(books.columns(), (QStringList{"price", "title", "author", "year"}));
    EXPECT_EQ(books.rep().tree()->currentItem()->text(0), "price");
    books.dragOnto(books.item("Table"), "|title");
    books.dragOnto(books.item("year"), "plain text");
    EXPECT_EQ(books.columns(), (QStringList{"price", "title", "author", "year"}));
}

TEST(DesignerWindows, HoveringSelectsAndScrollsNearTheEdges)
{
    BooksOpen books;
    QTreeWidget *tree = books.rep().tree();
    tree->setFixedHeight(tree->visualItemRect(books.item("Table")).height() * 4);
    QTest::qWait(0);
    QScrollBar *bar = tree->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 3);
    bar->setValue(bar->maximum());
    QMimeData data;
    data.setText("/catalog");
    QDragEnterEvent enter(QPoint(5, 5), Qt::MoveAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(tree->viewport(), &enter);

    const int top = bar->value();
    QTreeWidgetItem *under = tree->itemAt(QPoint(20, 2));
    books.hover(QPoint(20, 2), data); // within 100 twips of the top
    EXPECT_EQ(bar->value(), top - 1);
    EXPECT_EQ(tree->currentItem(), under);
    QTest::qWait(120);
    const int scrolled = bar->value();
    EXPECT_LT(scrolled, top - 1) << "the timer goes on scrolling while the pointer stays";

    books.hover(QPoint(20, tree->viewport()->height() / 2), data);
    QTest::qWait(120);
    EXPECT_EQ(bar->value(), scrolled);
    books.hover(QPoint(20, tree->viewport()->height() - 3), data); // within 200 twips of the bottom
    EXPECT_EQ(bar->value(), scrolled + 1);
    QDragLeaveEvent leave;
    QApplication::sendEvent(tree->viewport(), &leave);
    QTest::qWait(120);
    EXPECT_EQ(bar->value(), scrolled + 1);
}
