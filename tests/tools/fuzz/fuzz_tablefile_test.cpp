// Cases the fuzz driver of the table file reader must survive, run through the driver.
#include "documents/structure_tree.h"
#include "documents/workspace.h"
#include "support/temp_home.h"

#include <QByteArray>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

constexpr int chainLength = 300000;

int runDriver(const QByteArray &bytes)
{
    return LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                  size_t(bytes.size()));
}

} // namespace

// Each record names the node before it as its parent: a tree as deep as the file is long,
// which once overflowed the stack when it was freed.
TEST(FuzzTableFile, DeepParentChainKeepsOnlyColumnsAndAttributes)
{
    TempHome home;
    QByteArray text = "\x04\x04" "Table\x02n0\x02n\x03";
    for (int i = 1; i < chainLength; ++i)
        text += "n" + QByteArray::number(i - 1) + "\x02n" + QByteArray::number(i) + "\x02n\x03";
    text += "\x04";
    EXPECT_EQ(runDriver(text), 0);
    const StructureTree &tree = workspace().current().tree;
    EXPECT_EQ(tree.nodeCount(), 3); // Table, the column n0 and its attribute n1
    EXPECT_EQ(tree.find("n1")->parent, tree.find("n0"));
    resetWorkspace();
}

TEST(StructureTree, DeepTreesAreCopiedAndFreedWithoutRecursion)
{
    StructureTree tree;
    tree.reset();
    QString parent = StructureTree::tableKey;
    for (int i = 0; i < chainLength; ++i) {
        const QString key = QString::number(i);
        ASSERT_TRUE(tree.add(parent, key, key));
        parent = key;
    }
    const StructureTree copy(tree);
    EXPECT_EQ(copy.nodeCount(), chainLength + 1);
    EXPECT_TRUE(tree.remove("0"));
    EXPECT_EQ(tree.nodeCount(), 1);
}
