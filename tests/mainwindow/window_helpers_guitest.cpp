#include "mainwindow/gui/vantor.h"
#include "mainwindow/gui/window_helpers.h"
#include "support/temp_home.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QTreeWidget>
#include <gtest/gtest.h>

TEST(WindowHelpers, ProgressBarShowsUntilOneHundred)
{
    TempHome home;
    Vantor window;
    window.setProgress(0);
    EXPECT_FALSE(window.progressBar()->isHidden());
    EXPECT_EQ(window.progressBar()->value(), 0);
    window.setProgress(100);
    EXPECT_TRUE(window.progressBar()->isHidden());
}

TEST(WindowHelpers, ExpandAllReportsProgressAndEnds)
{
    TempHome home;
    Vantor window;
    QList<int> values;
    QObject::connect(window.progressBar(), &QProgressBar::valueChanged,
                     [&values](int value) { values.append(value); });
    QTreeWidget tree;
    auto *root = new QTreeWidgetItem(&tree, {"root"});
    for (int i = 0; i < 119; ++i)
        new QTreeWidgetItem(i < 60 ? root : root->child(0), {QString::number(i)});
    tree.setCurrentItem(root->child(0)->child(3));
    expandAll(&tree, true);
    EXPECT_EQ(values, (QList<int>{0, 42, 83, 100}));
    EXPECT_TRUE(root->isExpanded() && root->child(0)->isExpanded());
    EXPECT_EQ(tree.currentItem(), root);
    EXPECT_TRUE(window.progressBar()->isHidden());

    expandAll(&tree, false);
    EXPECT_FALSE(root->isExpanded());
    QTreeWidget empty;
    expandAll(&empty, true); // no nodes and no selection: it still ends
}

TEST(WindowHelpers, CenterFormAndHeaderFrame)
{
    TempHome home;
    Vantor window;
    window.setGeometry(100, 100, 400, 300);
    QWidget big;
    big.resize(800, 600);
    centerForm(&big);
    EXPECT_LT(big.x(), window.frameGeometry().x());
    EXPECT_LT(big.y(), window.frameGeometry().y());

    QWidget dialog;
    QLabel title("Title", &dialog), description("A longer description", &dialog);
    title.move(40, 20);
    description.setGeometry(30, 40, 200, 30);
    QFrame top(&dialog), right(&dialog), bottom(&dialog), left(&dialog);
    layoutHeader(&title, &description, &top, &right, &bottom, &left);
    EXPECT_EQ(title.x(), 30);
    const int h = 40 + 30 - 20 + 1;
    EXPECT_EQ(top.geometry(), QRect(25, 15, 200 + 11, 1));
    EXPECT_EQ(left.geometry(), QRect(25, 15, 1, h + 11));
    EXPECT_EQ(bottom.geometry(), QRect(25, 20 + h + 5, 211, 1));
    EXPECT_EQ(right.geometry(), QRect(235, 15, 1, h + 11));
}

TEST(WindowHelpers, SelectAllTextSelectsTheWholeBox)
{
    QLineEdit box("some text");
    selectAllText(&box);
    EXPECT_EQ(box.selectedText(), "some text");
}
