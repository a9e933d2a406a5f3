// The add-column and attribute dialogs as windows, offscreen.
#include "designer/gui/new_att_window.h"
#include "designer/gui/new_column_window.h"
#include "designer/gui/qt_designer_dialogs.h"
#include "designer/map_xml_box.h"
#include "designer/new_att_dialog.h"
#include "designer/new_column_dialog.h"
#include "designer/table_editing.h"
#include "documents/workspace.h"
#include "platform/widgets/gui/tree_icons.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs the steps on the modal dialog once it shows.
// Runs the steps on the modal dialog once it shows; a dialog the steps leave open is
// closed after them, so that a failing test never hangs.
void whenShown(const std::function<void(QWidget &)> &steps)
{
    QTimer::singleShot(0, [steps] {
        QWidget *dialog = QApplication::activeModalWidget();
        ASSERT_TRUE(dialog);
        steps(*dialog);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the dialog stayed open";
            dialog->close();
        }
    });
}

template <class T> T *child(QWidget &dialog, const char *name)
{
    return dialog.findChild<T *>(QString::fromLatin1(name));
}

void clickItem(QListWidget *list, int row, bool twice = false)
{
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

TEST(DesignerDialogs, TheAddColumnDialogCreatesTheColumn)
{
    TempHome home;
    ScopedScriptedUi ui;
    loadTreeIcons();
    QtDesignerDialogs dialogs([] { return nullptr; });
    workspace().slotUsed[0] = true;
    workspace().current().tablePath = home.file("t.tvk");
    workspace().newColumnType = "Text";
    whenShown([](QWidget &dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Add column");
        EXPECT_EQ(child<QLineEdit>(dialog, "cname")->selectedText(), "column1");
        EXPECT_EQ(child<QLabel>(dialog, "elTitle")->text(), "Text");
        EXPECT_FALSE(child<QCheckBox>(dialog, "mapxml")->isEnabled()) << "no XML selected";
        auto *types = child<QListWidget>(dialog, "ctype2");
        EXPECT_EQ(types->count(), 11);
        clickItem(types, 3);
        EXPECT_EQ(child<QLabel>(dialog, "elTitle")->text(), "Image");
        EXPECT_EQ(child<QLabel>(dialog, "expType")->text(), "Image (for example JPG, GIF, PNG etc.)");
        QTest::keyClick(types, Qt::Key_Return); // Enter is OK wherever the focus is
        EXPECT_FALSE(dialog.isVisible()) << "the empty-name refusal keeps it open otherwise";
    });
    addit_Click();
    EXPECT_EQ(workspace().current().store.value("Type-column1"), "Image");
    EXPECT_EQ(workspace().newColumnType, "Image");

    // Cancel creates nothing; the type last clicked opens next time.
    whenShown([](QWidget &dialog) {
        EXPECT_EQ(child<QLineEdit>(dialog, "cname")->text(), "column2");
        auto *types = child<QListWidget>(dialog, "ctype2");
        EXPECT_EQ(types->currentItem()->text(), "Image");
        clickItem(types, 10); // the longest description, below the whole names
        for (QListWidgetItem *item : types->findItems("", Qt::MatchContains)) {
            const QRect cell = types->visualItemRect(item).adjusted(2, 32, -2, 0);
            EXPECT_LE(types->fontMetrics().boundingRect(cell, Qt::TextWordWrap, item->text()).height(),
                      cell.height()) << item->text().toStdString();
        }
        auto *description = child<QLabel>(dialog, "expType");
        EXPECT_GE(description->height(), description->heightForWidth(description->width()));
        child<QLineEdit>(dialog, "cname")->clear();
        QTest::keyClick(&dialog, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible());
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    addit_Click();
    EXPECT_EQ(ui->messages, QStringList{"Column name can't be blank"});
    EXPECT_FALSE(workspace().current().tree.find("column2"));
}

TEST(DesignerDialogs, TheAttributeDialogAnswersTheListOrTheTypedName)
{
    ScopedScriptedUi ui;
    NewAttWindow window;
    NewAttDialog &model = newAttDialog();
    model = {};
    model.aname = {"size", "title"};
    whenShown([&ui](QWidget &dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Choose attribute");
        QTest::keyClick(&dialog, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << "no name was chosen";
        EXPECT_EQ(ui->messages, QStringList{"Please select from the list and then click this button."});
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    window.run();
    EXPECT_EQ(model.result, "");

    whenShown([](QWidget &dialog) {
        auto *names = child<QListWidget>(dialog, "aname");
        clickItem(names, 1);
        QTest::keyClicks(child<QLineEdit>(dialog, "attname"), "typed");
        EXPECT_EQ(names->currentRow(), -1) << "typing clears the list's selection";
        child<QCheckBox>(dialog, "usexsl")->setChecked(true);
        clickItem(names, 0, true);
    });
    window.run();
    EXPECT_EQ(model.result, "size");
    EXPECT_TRUE(model.usexsl);

    model.usexsl = false;
    model.selected = -1; // as initWin leaves it
    whenShown([](QWidget &dialog) {
        EXPECT_EQ(child<QLineEdit>(dialog, "attname")->text(), "typed");
        EXPECT_FALSE(child<QCheckBox>(dialog, "usexsl")->isChecked());
        QTest::keyClick(&dialog, Qt::Key_Return);
    });
    window.run();
    EXPECT_EQ(model.result, "typed") << "the typed name, kept from the last use, is taken";
}
