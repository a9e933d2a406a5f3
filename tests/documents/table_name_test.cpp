// A table file renamed outside the program, and dialogs over a data folder that cannot be
// written.
#include "documents/file_dialog.h"
#include "documents/settings_files.h"
#include "documents/table_commands.h"
#include "documents/workspace.h"
#include "generator/transform.h"
#include "support/fake_main_window.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(TableName, AnInvalidNameIsToldOnOpenAndByTheTransform)
{
    TempHome home;
    ScopedScriptedUi ui;
    FakeMainWindow window;
    ui->fileAnswers = {home.file("orders.tvk")};
    ASSERT_TRUE(createNewProject(""));
    ASSERT_TRUE(QFile::copy(home.file("orders.tvk"), home.file("my orders.tvk")));

    ASSERT_TRUE(openTable(home.file("my orders.tvk")));
    const QString message =
        "Table name 'my orders' can't be used in a stylesheet: a table name can contain letters, "
        "digits and underscore only and can't start with a digit. Please save the table under a "
        "valid name (Save As).";
    EXPECT_EQ(ui->messages, QStringList{message});
    EXPECT_EQ(workspace().current().tablePath, home.file("my orders.tvk")) << "nothing renamed";

    const TransformResult result = runTransform(home.file("none.xml"), "<x/>");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, message);
}

TEST(TableName, RememberingADialogFolderIsSilent)
{
    TempHome home;
    ScopedScriptedUi ui;
    // A folder where the setting's file belongs: the write fails, whoever runs the test.
    QDir().mkpath(settingsPath(dialogFolderKey("*.xml", false)));
    ui->fileAnswers = {home.file("a.xml")};
    EXPECT_EQ(showFileDialog(true, "Open XML file", "XML files|*.xml", "*.xml", false, "", ""),
              home.file("a.xml"));
    EXPECT_TRUE(ui->messages.isEmpty());
}
