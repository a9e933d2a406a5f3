#include "documents/column_types.h"
#include "documents/property_store.h"
#include "support/scripted_ui.h"

#include <gtest/gtest.h>

namespace {
const QString charactersMessage =
    "Name can contain letters, digits and underscore only. Please enter another name.";
const QString digitMessage = "Name can't start with digit. Please enter another name.";
} // namespace

TEST(ColumnNames, ValidityAndItsMessages)
{
    ScopedScriptedUi ui;
    EXPECT_TRUE(isValidName("a_1", false));
    EXPECT_TRUE(isValidName("_x", false));
    EXPECT_TRUE(isValidName("", false));
    EXPECT_TRUE(ui->messages.isEmpty());

    EXPECT_FALSE(isValidName("1a", false));
    EXPECT_FALSE(isValidName("a-b", false));
    EXPECT_FALSE(isValidName("a b", false));
    EXPECT_FALSE(isValidName(QString::fromUtf8("caf\u00e9"), false));
    EXPECT_FALSE(isValidName("1-a", false)) << "the characters message wins";
    EXPECT_EQ(ui->messages, (QStringList{digitMessage, charactersMessage, charactersMessage,
                                         charactersMessage, charactersMessage}));

    ui->messages.clear();
    EXPECT_FALSE(isValidName("1a", true));
    EXPECT_TRUE(ui->messages.isEmpty());
}

TEST(ColumnNames, NextFreeColumnName)
{
    StructureTree tree;
    EXPECT_EQ(nextColumnName(tree), "column1");
    tree.reset();
    tree.add("Table", "column1", "column1");
    tree.add("Table", "column3", "column3");
    EXPECT_EQ(nextColumnName(tree), "column2");
    tree.add("Table", "column2", "column2");
    tree.add("Table", "Column4", "Column4");
    EXPECT_EQ(nextColumnName(tree), "column4");
    // Attribute names never block a column name.
    tree.add("column1", "column1-column4", "column4");
    EXPECT_EQ(nextColumnName(tree), "column4");
}

TEST(ColumnTypes, RequiredAttributesAndDescriptions)
{
    EXPECT_EQ(columnTypeNames().size(), 11);
    EXPECT_EQ(mainAttributeOf("Select"), "displayValue");
    EXPECT_EQ(mainAttributeOf("Submit Button"), "submitURL");
    EXPECT_EQ(mainAttributeOf("XSL Code"), "xslCode");
    EXPECT_EQ(mainAttributeOf("text"), "") << "type names compare exactly";
    EXPECT_EQ(typeDescription("Image"), "Image (for example JPG, GIF, PNG etc.)");
    EXPECT_EQ(typeDescription("Nothing"), "");
    EXPECT_EQ(treeImageKeys().size(), 14);
}

TEST(StructureNodes, KindsAndIcons)
{
    StructureTree tree;
    tree.reset();
    PropertyStore store;
    store.set("Type-c1", "Text");
    auto *column = tree.add("Table", "c1", "c1");
    auto *value = tree.add("c1", "c1-value", "value");
    auto *href = tree.add("c1", "c1-href", "href");
    auto *sameName = tree.add("c1", "c1-c1", "c1");
    EXPECT_EQ(nodeKind(*tree.root()), NodeKind::Table);
    EXPECT_EQ(nodeKind(*column), NodeKind::Column);
    EXPECT_EQ(nodeKind(*sameName), NodeKind::Attribute);

    for (auto *node : {tree.root(), column, value, href})
        setNodeIcon(*node, store);
    EXPECT_EQ(tree.root()->image, "Table");
    EXPECT_EQ(column->image, "Text");
    EXPECT_EQ(value->image, "requiredAttribute");
    EXPECT_EQ(href->image, "attribute");

    store.set("Type-c1", "Web Link");
    setNodeIcon(*value, store);
    setNodeIcon(*href, store);
    EXPECT_EQ(value->image, "attribute");
    EXPECT_EQ(href->image, "requiredAttribute");

    store.set("Type-c1", "Unknown");
    setNodeIcon(*column, store);
    EXPECT_EQ(column->image, "Text") << "an unknown type keeps the old image";
}

TEST(StructureNodes, NodeNameComparison)
{
    EXPECT_TRUE(nodeNameIs("  value=x ", "value"));
    EXPECT_FALSE(nodeNameIs("Value", "value"));
    EXPECT_TRUE(nodeNameIs("\thref\r\n", " href"));
}

TEST(StructureTreeTest, MovesRekeysAndRemovesSubtrees)
{
    StructureTree tree;
    tree.reset();
    tree.add("Table", "a", "a");
    tree.add("Table", "b", "b");
    tree.add("a", "a-value", "value");
    EXPECT_EQ(tree.add("Table", "a", "dup"), nullptr);
    EXPECT_EQ(tree.add("missing", "x", "x"), nullptr);

    ASSERT_TRUE(tree.move("b", "Table", 0));
    EXPECT_EQ(tree.root()->children[0]->key, "b");
    EXPECT_FALSE(tree.move("Table", "a-value")) << "no node moves below itself";

    ASSERT_TRUE(tree.rekey("a", "renamed"));
    EXPECT_EQ(tree.find("a"), nullptr);
    EXPECT_EQ(tree.find("renamed")->children.size(), 1u);
    EXPECT_FALSE(tree.rekey("renamed", "b"));

    ASSERT_TRUE(tree.remove("renamed"));
    EXPECT_EQ(tree.find("a-value"), nullptr);
    EXPECT_EQ(tree.nodeCount(), 2);

    StructureTree copy = tree;
    QStringList order;
    copy.forEach([&order](const StructureTree::Node &node) { order.append(node.key); });
    EXPECT_EQ(order, (QStringList{"Table", "b"}));
}
