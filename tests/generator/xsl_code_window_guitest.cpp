// Focus in the generated-stylesheet window.
#include "generator/gui/xsl_code_window.h"
#include "documents/workspace.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

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

namespace {

QString selected(const XslCodeWindow &window) { return window.xsl->textCursor().selectedText(); }
int selectionStart(const XslCodeWindow &window) { return window.xsl->textCursor().selectionStart(); }

} // namespace

// The find row: Search and Enter find the next occurrence, letter case ignored, without
// wrapping; after a hit the find box has the keyboard, its text selected for the next
// search; Ctrl+F takes the user to the find box.
TEST(XslCodeWindow, FindsTextFromTheSelectionOn)
{
    TempHome home;
    ScopedScriptedUi scripted;
    workspace().current().xslGenerated = "<xsl:template/>\n<xsl:TEMPLATE/>";
    XslCodeWindow window(0);
    window.showGenerated();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    window.fnd->setText("template");
    window.srch->click();
    EXPECT_EQ(selectionStart(window), 5);
    EXPECT_TRUE(window.fnd->hasFocus());
    EXPECT_EQ(window.fnd->selectedText(), "template");
    QTest::keyClick(window.fnd, Qt::Key_Return);
    EXPECT_EQ(selected(window), "TEMPLATE");
    EXPECT_EQ(selectionStart(window), 21);
    window.srch->click();
    EXPECT_EQ(scripted->messages, QStringList{"Text not found."});
    EXPECT_EQ(selected(window), "");
    EXPECT_EQ(selectionStart(window), 0);
    window.srch->click();
    EXPECT_EQ(selectionStart(window), 5); // from the top again

    window.xsl->setFocus();
    window.fnd->deselect();
    QTest::keySequence(window.xsl, QKeySequence::Find);
    EXPECT_TRUE(window.fnd->hasFocus());
    EXPECT_EQ(window.fnd->selectedText(), "template");
}

// Activated among the other windows, the view shows its code from the start and the find
// box takes the keyboard with its text selected.
TEST(XslCodeWindow, ActivationFocusesTheFindBox)
{
    TempHome home;
    workspace().current().xslGenerated = "<xsl:template/>\n<xsl:TEMPLATE/>";
    QMdiArea area;
    auto *view = new XslCodeWindow(0);
    view->showGenerated();
    QMdiSubWindow *frame = area.addSubWindow(view);
    QMdiSubWindow *other = area.addSubWindow(new QLineEdit);
    area.show();
    area.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
    view->fnd->setText("TEMPLATE");
    view->findText("TEMPLATE", false);
    view->fnd->deselect();

    area.setActiveSubWindow(other);
    area.setActiveSubWindow(frame);
    EXPECT_TRUE(view->fnd->hasFocus());
    EXPECT_EQ(view->fnd->selectedText(), "TEMPLATE");
    EXPECT_EQ(view->xsl->textCursor().position(), 0);
}

TEST(XslCodeWindow, ClearedForTheNextTable)
{
    TempHome home;
    workspace().current().xslGenerated = "<old/>";
    XslCodeWindow window(0);
    window.showGenerated();
    window.clearCode();
    EXPECT_TRUE(window.xsl->toPlainText().isEmpty());
}
