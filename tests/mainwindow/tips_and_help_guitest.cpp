#include "documents/once_only_tips.h"
#include "documents/settings_files.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "mainwindow/gui/about_window.h"
#include "mainwindow/gui/balloon_tips.h"
#include "mainwindow/gui/slot_window_set.h"
#include "mainwindow/gui/vantor.h"
#include "mainwindow/help_commands.h"
#include "platform/widgets/gui/balloon.h"
#include "support/gui/started_main_window.h"
#include "support/scripted_ui.h"
#include "support/temp_home.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

void trigger(Started &s, const QString &item) { s.window.mainMenus().item(item)->trigger(); }

// Presses OK of the modal window that is about to open.
void pressOkSoon()
{
    QTimer::singleShot(0, qApp, [] {
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->findChild<QPushButton *>("ok")->click();
    });
}

} // namespace

TEST(HelpMenu, AboutShowsOneWindowWithTheVersionWhateverTheCommandLineNames)
{
    Started s({"/nowhere/t.tvk", "", "Someone"});
    ASSERT_EQ(s.window.commandLineName(), "Someone");
    pressOkSoon();
    trigger(s, "doabout");
    AboutWindow *first = s.window.aboutWindow();
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->isVisible());
    pressOkSoon();
    trigger(s, "doabout");
    EXPECT_EQ(s.window.aboutWindow(), first);
    EXPECT_EQ(first->windowTitle(), "About Tarvik");
    EXPECT_EQ(first->findChild<QLabel *>("version")->text(), "Tarvik v3.0.4 .\n" + productSite);
}

TEST(HelpMenu, CheckForUpdatesOnStartupWritesFalseThenTrue)
{
    Started s;
    QAction *item = s.window.mainMenus().item("checkU");
    ASSERT_TRUE(item->isChecked());
    trigger(s, "checkU");
    EXPECT_FALSE(item->isChecked());
    EXPECT_EQ(readSetting("autoupdate-option"), "False");
    trigger(s, "checkU");
    EXPECT_EQ(readSetting("autoupdate-option"), "True");
    EXPECT_TRUE(s.window.updateTimerActive()); // the timer waits for the next start
}

TEST(HelpMenu, HelpOpensThePageOfThisProgram)
{
    Started s;
    trigger(s, "doHelp(0)");
    const QString path = settingsPath("Tarvik-help.htm");
    EXPECT_EQ(s.ui->openedInBrowser, QStringList{path});
    EXPECT_TRUE(readFile(path).contains("<title>Tarvik Help</title>"));
}

namespace {

QPoint bottomMiddle(const QWidget *control)
{
    return control->mapToGlobal(QPoint(control->width() / 2, control->height()));
}

// Notes where the balloon points once it shows, and where the anchor's bottom middle is at
// that moment (windows may still be laid out afterwards), then presses Esc.
struct BalloonWatch {
    bool seen = false;
    QPoint tip;
    QPoint anchorPoint;
    QString title;
    QTimer poll;

    BalloonWatch(BalloonTips &tips, const QWidget *anchor)
    {
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [this, &tips, anchor] {
            Balloon *balloon = tips.balloon();
            if (!balloon->isVisible())
                return;
            poll.stop();
            seen = true;
            tip = balloon->tip();
            anchorPoint = bottomMiddle(anchor);
            title = balloon->findChild<QLabel *>("balloonTitle")->text();
            QCoreApplication::postEvent(
                balloon, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        });
        poll.start();
    }
};

} // namespace

TEST(Tips, GetStartedTipPointsAtNewTableAfterStartUp)
{
    Started s;
    BalloonTips tips(s.window);
    const MainMenus &menus = s.window.mainMenus();
    BalloonWatch watch(tips, menus.toolbar->widgetForAction(menus.item("tb(0)")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return watch.seen && !tips.balloon()->isVisible(); }, 10000));
    EXPECT_EQ(watch.title, "Get Started");
    EXPECT_EQ(watch.tip, watch.anchorPoint);
    EXPECT_EQ(readFile(tipMarkerPath("First time open or create")), "done");
}

TEST(Tips, FirstNewTablePointsAtTheXmlWindowsBrowseButton)
{
    Started s;
    tipNotYetShown("First time open or create");
    BalloonTips tips(s.window);
    s.window.createWindowSet(0);
    // The XML window's own button.
    const QWidget *browse =
        s.window.slotWindow(0, SlotWindow::Parser)->widget()->findChild<QWidget *>("cmdBrowse");
    ASSERT_TRUE(browse);
    s.ui->fileAnswers.push_back(s.home.file("t.tvk"));
    BalloonWatch watch(tips, browse);
    trigger(s, "tb(0)");
    ASSERT_TRUE(QTest::qWaitFor([&] { return watch.seen && !tips.balloon()->isVisible(); }, 10000));
    EXPECT_EQ(watch.title, "Load XML file");
    EXPECT_EQ(watch.tip, watch.anchorPoint);

    // With the main window not yet shown (a table made from the command line at the first
    // start) no balloon points at a control nobody sees.
    deleteTipMarkers();
    s.window.hide();
    s.ui->fileAnswers.push_back(s.home.file("u.tvk"));
    trigger(s, "tb(0)");
    EXPECT_FALSE(tips.balloon()->isVisible());
    EXPECT_EQ(workspace().current().tablePath, s.home.file("u.tvk"));
}
