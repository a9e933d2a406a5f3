// Editing the structure tree: move, delete and rename keep tree and store consistent.
#include "designer/attribute_editing.h"
#include "designer/table_editing.h"
#include "documents/code_editor_pool.h"
#include "documents/workspace.h"
#include "properties/property_sheets.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

namespace {

using Answer = UiServices::Answer;

// Columns c1 (value, style, href), name and c10; keys of every kind around them.
struct Table {
    TempHome home;
    ScopedScriptedUi ui;

    Table()
    {
        TableDocument &d = doc();
        for (const char *column : {"c1", "name", "c10"}) {
            d.tree.add("Table", column, column);
            d.store.set(QString("Type-") + column, "Text");
            d.tree.add(column, QString(column) + "-value", "value");
            d.store.set(QString("Xpath-") + column + "@value", "/r/x");
        }
        for (const char *attribute : {"style", "href"})
            d.tree.add("c1", QString("c1-") + attribute, attribute);
        for (const char *key : {"Xpath Changed Flag-c1-value", "Call Xpath-c1@table-item",
                                "Call Xpath-c10@table-name", "XSL Code-c1@value",
                                "Font-c1@style", "Xpath-Table", "Width-c1"})
            d.store.set(key, "v");
        d.tableChanged = false;
    }
    static TableDocument &doc() { return workspace().current(); }
    static QStringList keys()
    {
        QStringList list;
        for (const auto &entry : doc().store.entries())
            list << entry.key;
        return list.mid(1);
    }
    static QStringList children(const QString &key)
    {
        QStringList list;
        for (const auto &child : doc().tree.find(key)->children)
            list << child->key + "=" + child->text;
        return list;
    }
};

} // namespace

TEST(TableEditing, RenameRekeysEveryKeyOfTheColumn)
{
    Table t;
    nodeClick("c1-style"); // an attribute's selection renames its column
    t.ui->inputAnswers = {"c2"};
    ren_Click();
    EXPECT_EQ(Table::keys(),
              (QStringList{"Type-c2", "Xpath-c2@value", "Type-name", "Xpath-name@value",
                           "Type-c10", "Xpath-c10@value", "Xpath Changed Flag-c2-value",
                           "Call Xpath-c2@table-item", "Call Xpath-c10@table-name",
                           "XSL Code-c2@value", "Font-c2@style", "Xpath-Table", "Width-c2"}));
    EXPECT_EQ(Table::children("Table"), (QStringList{"c2=c2", "name=name", "c10=c10"}));
    EXPECT_EQ(Table::children("c2"), (QStringList{"c2-value=value", "c2-style=style", "c2-href=href"}));
    EXPECT_EQ(Table::doc().selectedNodeKey, "c2-style");
    EXPECT_TRUE(Table::doc().tableChanged);
}

// After a rename the sheet and the open code editors name the renamed nodes; after a
// delete no editor is left to save into a later column of the same name, and the sheet
// shows what is selected after it, never the deleted node.
TEST(TableEditing, RenameAndDeleteCarryTheSheetAndCodeEditors)
{
    Table t;
    nodeClick("c1");
    const int columnEditor = getXslEditor("c1", "xsl");
    const int attributeEditor = getXslEditor("c1-style", "xsl");
    const int otherEditor = getXslEditor("name", "xsl");
    currentSheet().currentElement = "c1";
    t.ui->inputAnswers = {"c2"};
    ren_Click();
    const auto &editors = workspace().xslEditForms;
    EXPECT_EQ(editors[size_t(columnEditor)].myElement, "c2");
    EXPECT_EQ(editors[size_t(attributeEditor)].myElement, "c2-style");
    EXPECT_EQ(editors[size_t(otherEditor)].myElement, "name");
    EXPECT_EQ(currentSheet().currentElement, "c2");
    EXPECT_EQ(currentSheet().caption, "Properties [c2]");

    nodeClick("c2-style");
    t.ui->answers = {Answer::Yes};
    bdel_Click(); // the sheet shows the column left selected
    EXPECT_FALSE(editors[size_t(attributeEditor)].exists);
    EXPECT_EQ(currentSheet().currentElement, "c2");
    EXPECT_EQ(currentSheet().caption, "Properties [c2]");

    t.ui->answers = {Answer::Yes};
    removeit_Click(); // nothing is selected: the sheet shows no node
    EXPECT_FALSE(editors[size_t(columnEditor)].exists);
    EXPECT_TRUE(editors[size_t(otherEditor)].exists);
    EXPECT_EQ(currentSheet().currentElement, "");
    EXPECT_EQ(currentSheet().caption, "Properties");
    EXPECT_FALSE(currentSheet().layout.findItem("Xpath"));
    releaseSlotEditors(workspace().curTable);
}

TEST(TableEditing, RenameRefusesNamesThatWouldClash)
{
    const struct {
        QString name;
        QString message;
    } cases[] = {
        {"Table", "Column can't have name 'Table'. Please choose another name."},
        {"name", "This column already exists. Please choose another name."},
        {"my col", "Name can contain letters, digits and underscore only. Please enter another name."},
        {"1c", "Name can't start with digit. Please enter another name."},
        {"  ", ""}, // a blank name keeps the column without a word
    };
    for (const auto &c : cases) {
        Table t;
        nodeClick("c1");
        const QStringList before = Table::keys();
        t.ui->inputAnswers = {c.name};
        ren_Click();
        EXPECT_EQ(t.ui->messages, c.message.isEmpty() ? QStringList{} : QStringList{c.message})
            << c.name.toStdString();
        EXPECT_EQ(Table::keys(), before);
        EXPECT_TRUE(Table::doc().tree.find("c1"));
        EXPECT_FALSE(Table::doc().tableChanged);
    }
    Table t;
    nodeClick("c1");
    t.ui->inputAnswers = {"\x1b"};
    ren_Click();
    labelEdited("c1", ""); // the label cleared in place
    EXPECT_TRUE(t.ui->messages.isEmpty());
    EXPECT_EQ(Table::children("Table"), (QStringList{"c1=c1", "name=name", "c10=c10"}));
    EXPECT_FALSE(mayEditLabel("Table"));
    EXPECT_FALSE(mayEditLabel("c1-value"));
    EXPECT_TRUE(mayEditLabel("c1"));
    EXPECT_EQ(t.ui->messages, QStringList{"Can't rename Table element"});
}

// Selecting a node outlines its column in the preview; the Table node outlines nothing.
TEST(TableEditing, NodeClickOutlinesTheColumnInThePreview)
{
    Table t;
    RecordingViews views;
    views.attach(workspace().currentViews());
    for (const char *key : {"c1-href", "c10", "Table"})
        nodeClick(key);
    workspace().currentViews() = SlotViews{};
    EXPECT_EQ(views.calls, (QStringList{"result.highlightCell c1", "result.highlightCell c10"}));
}

TEST(TableEditing, MoveKeepsAttributesAndKeysAndMarksTheTableChanged)
{
    Table t;
    const QStringList keys = Table::keys();
    nodeClick("c1-href");
    mup_Click(); // the first column: nothing, silently
    EXPECT_FALSE(Table::doc().tableChanged);
    mdown_Click();
    EXPECT_EQ(Table::children("Table"), (QStringList{"name=name", "c1=c1", "c10=c10"}));
    EXPECT_EQ(Table::children("c1"), (QStringList{"c1-value=value", "c1-style=style", "c1-href=href"}));
    EXPECT_EQ(Table::doc().selectedNodeKey, "c1");
    EXPECT_TRUE(Table::doc().tableChanged);
    nodeClick("c10");
    mup_Click();
    EXPECT_EQ(Table::children("Table"), (QStringList{"name=name", "c10=c10", "c1=c1"}));
    EXPECT_EQ(Table::keys(), keys);
    EXPECT_TRUE(t.ui->messages.isEmpty());
}

TEST(TableEditing, DeleteRemovesExactlyTheColumnsKeys)
{
    Table t;
    nodeClick("name");
    removeit_Click(); // answered No
    EXPECT_TRUE(Table::doc().tree.find("name"));
    t.ui->answers = {Answer::Yes};
    removeit_Click();
    EXPECT_EQ(t.ui->questions, QStringList(2, "Are you sure you want to delete this column?"));
    EXPECT_FALSE(Table::doc().tree.find("name"));
    EXPECT_FALSE(Table::doc().tree.find("name-value"));
    EXPECT_TRUE(Table::keys().contains("Call Xpath-c10@table-name"));

    nodeClick("c1-style");
    t.ui->answers = {Answer::Yes};
    removeit_Click();
    EXPECT_EQ(Table::keys().join(","), (QStringList{"Type-c10", "Xpath-c10@value",
                                         "Call Xpath-c10@table-name", "Xpath-Table"}).join(","));
    EXPECT_EQ(Table::children("Table"), QStringList{"c10=c10"});
    EXPECT_TRUE(Table::doc().tableChanged);
}

TEST(TableEditing, CommandsNeedAColumn)
{
    Table t;
    mup_Click();
    removeit_Click();
    ren_Click();
    nodeClick("Table");
    mdown_Click();
    removeit_Click();
    ren_Click();
    deleteKeyPressed();
    EXPECT_EQ(t.ui->messages,
              (QStringList{
                  "Please select column in Table window to move it.",
                  "Please select column in Table window to delete it.",
                  "Please select column in Table window and then try again.",
                  "Can't move 'Table'. Please select column in Table window to move it.",
                  "Can't delete 'Table'. Please select column in Table window to delete it.",
                  "Can't rename 'Table'. Please select column in Table window and then try again."}));
    EXPECT_TRUE(t.ui->questions.isEmpty());
}

TEST(TableEditing, PopupItemsByNodeKind)
{
    const auto enabled = [](NodeKind kind) {
        QStringList names;
        for (const MenuItemState &item : mainRStates(kind))
            if (item.enabled)
                names << item.name;
        return names;
    };
    EXPECT_EQ(enabled(NodeKind::Table), QStringList{"addCol"});
    EXPECT_EQ(enabled(NodeKind::Column),
              (QStringList{"addAttribute", "editAttribute", "renameColumn", "moveUp", "moveDown",
                           "deleteColumn"}));
    EXPECT_EQ(enabled(NodeKind::Attribute), (QStringList{"editAttribute", "deleteAttribute"}));
    EXPECT_EQ(editAttributeCaption(NodeKind::Column), "Edit required attribute");
    EXPECT_EQ(editAttributeCaption(NodeKind::Attribute), "Edit attribute");
}
