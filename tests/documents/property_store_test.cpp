#include "documents/store_access.h"
#include "documents/workspace.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

namespace {

QStringList keysInOrder()
{
    QStringList keys;
    for (const auto &entry : workspace().current().store.entries())
        keys.append(entry.key);
    return keys;
}

} // namespace

TEST(PropertyStoreTest, OrderSurvivesUpdateAndRemoval)
{
    TempHome home;
    setKey("Xpath-Table", "/a", false);
    setKey("Type-c1", "Text", false);
    setKey("Border-c1", "1px", false);
    setKey("Xpath-Table", "/b", false);
    removeKey("Type-c1");
    setKey("Type-c1", "Image", false);
    EXPECT_EQ(keysInOrder(),
              (QStringList{"Properties", "Xpath-Table", "Border-c1", "Type-c1"}));
    EXPECT_EQ(getKey("Xpath-Table"), "/b");
    EXPECT_EQ(getKey("Type-c1"), "Image");
}

TEST(PropertyStoreTest, MarkingRules)
{
    TempHome home;
    TableDocument &doc = workspace().current();
    setKey("New-Table", "v", false);
    EXPECT_FALSE(doc.tableChanged);
    setKey("New-Table", "v", true);
    EXPECT_TRUE(doc.tableChanged) << "marking does not depend on a changed value";

    doc.tableChanged = false;
    removeKey("Missing-Table");
    EXPECT_TRUE(doc.tableChanged) << "removing a missing key still marks the table";
    EXPECT_EQ(keysInOrder(), (QStringList{"Properties", "New-Table"}));
}

TEST(PropertyStoreTest, ReadsOfMissingAndFlatValues)
{
    TempHome home;
    QString target = "stale";
    getKeyTo("Never-Table", target);
    EXPECT_EQ(target, "");
    EXPECT_EQ(getKey("Never-Table"), "");

    setKey("Empty-Table", "", false);
    EXPECT_TRUE(workspace().current().store.contains("Empty-Table"));

    setKey("CSS Style-Table", "a\r\nb\rc\nd\te", false);
    EXPECT_EQ(getKeyFlat("CSS Style-Table"), "abcde");
    EXPECT_EQ(getKey("CSS Style-Table"), "a\r\nb\rc\nd\te");
}

TEST(PropertyStoreTest, KeysAreCaseSensitive)
{
    TempHome home;
    setKey("Type-col", "Text", false);
    setKey("Type-Col", "Image", false);
    EXPECT_EQ(getKey("Type-col"), "Text");
    EXPECT_EQ(getKey("Type-Col"), "Image");
}

TEST(PropertyStoreTest, RootCannotBeRemovedOrTaken)
{
    TempHome home;
    PropertyStore &store = workspace().current().store;
    store.set("a", "1");
    removeKey("Properties");
    EXPECT_EQ(keysInOrder(), (QStringList{"Properties", "a"}));
    setKey("Properties", "Properties", true);
    EXPECT_EQ(store.size(), 2);
    EXPECT_FALSE(store.rename("a", "Properties"));
    EXPECT_TRUE(store.rename("a", "b"));
    EXPECT_EQ(keysInOrder(), (QStringList{"Properties", "b"}));
    store.clear();
    EXPECT_EQ(keysInOrder(), QStringList{"Properties"});
}

TEST(PropertyStoreTest, EachSlotHasItsOwnStore)
{
    TempHome home;
    setKey("Xpath-Table", "/zero", false);
    {
        CurTableGuard other(5);
        EXPECT_EQ(getKey("Xpath-Table"), "");
        setKey("Xpath-Table", "/five", true);
    }
    EXPECT_EQ(workspace().curTable, 0);
    EXPECT_EQ(getKey("Xpath-Table"), "/zero");
    EXPECT_FALSE(workspace().current().tableChanged);
    EXPECT_TRUE(workspace().tables[5].tableChanged);
}
