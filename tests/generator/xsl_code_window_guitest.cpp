// Focus in the generated-stylesheet window.
#include "generator/gui/xsl_code_window.h"
#include "support/temp_home.h"

#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

// The main window finds the text box by its name and focuses the window itself; either
// way the text box takes the keyboard.
TEST(XslCodeWindow, FocusGoesToTheTextBox)
{
    TempHome home;
    XslCodeWindow window(0);
    EXPECT_EQ(window.findChild<QWidget *>(QStringLiteral("xsl")), window.xsl);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.setFocus();
    EXPECT_TRUE(window.xsl->hasFocus());
}
