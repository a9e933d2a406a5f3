#include "platform/gui/balloon.h"
#include "platform/gui/dismiss_wait.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

void postKey(QWidget *target, Qt::Key key, const QString &text = {})
{
    QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
}

} // namespace

TEST(DismissWait, PostedEscEndsTheWaitWhileTheThreadSleepsAndOtherKeysAreSwallowed)
{
    QLineEdit edit;
    edit.show();
    edit.setFocus();
    int blocked = 0;
    int woken = 0;
    QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance();
    const auto onBlock =
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [&] { ++blocked; });
    const auto onWake =
        QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, [&] { ++woken; });
    QTimer::singleShot(50, &edit, [&] { postKey(&edit, Qt::Key_A, "a"); });
    QTimer::singleShot(300, &edit, [&] { postKey(&edit, Qt::Key_Escape); });
    waitForClickOrEsc();
    QObject::disconnect(onBlock);
    QObject::disconnect(onWake);
    EXPECT_TRUE(edit.text().isEmpty());
    // A thread polling in a loop would wake thousands of times in 400 ms.
    EXPECT_GE(blocked, 1);
    EXPECT_LT(woken, 100);
    QTest::keyClick(&edit, Qt::Key_B); // input flows again afterwards
    EXPECT_EQ(edit.text(), "b");
}

TEST(DismissWait, OnlyTheLeftButtonEndsTheWaitAndNoClickReachesAButton)
{
    QPushButton button("Go");
    button.show();
    QSignalSpy clicked(&button, &QPushButton::clicked);
    bool endedEarly = true;
    QTimer::singleShot(0, &button, [&] { QTest::mouseClick(&button, Qt::RightButton); });
    QTimer::singleShot(100, &button, [&] {
        endedEarly = false;
        QTest::mouseClick(&button, Qt::LeftButton);
    });
    waitForClickOrEsc(0);
    EXPECT_FALSE(endedEarly);
    EXPECT_EQ(clicked.count(), 0);
}

TEST(Balloon, PaleYellowWithTitleAndTextItsTailAtTheTarget)
{
    QWidget host;
    host.resize(400, 300);
    auto *button = new QPushButton("New", &host);
    button->setGeometry(20, 10, 60, 24);
    auto *tree = new QTreeWidget(&host);
    tree->setGeometry(20, 60, 200, 200);
    host.show();
    Balloon balloon(&host);
    balloon.setContent("Get Started", "Click here\r\nor there");
    EXPECT_EQ(balloon.findChild<QLabel *>("balloonText")->text(), "Click here\nor there");

    balloon.showAt(button);
    EXPECT_TRUE(balloon.isVisible());
    EXPECT_EQ(balloon.tip(), button->mapToGlobal(QPoint(30, 24)));
    const QImage image = balloon.grab().toImage();
    EXPECT_EQ(image.pixelColor(image.width() - 6, image.height() / 2), QColor("#ffffc0"));

    balloon.showAt(tree, QPoint(40, 16));
    EXPECT_EQ(balloon.tip(), tree->viewport()->mapToGlobal(QPoint(40, 16)));
    tree->move(60, 70); // the balloon follows its control
    EXPECT_EQ(balloon.tip(), tree->viewport()->mapToGlobal(QPoint(40, 16)));

    // Where the screen ends below the point, the balloon stands above it.
    const QRect screen = host.screen()->availableGeometry();
    const QPoint low = host.mapFromGlobal(QPoint(screen.left() + 100, screen.bottom() - 4));
    balloon.showAt(&host, low);
    EXPECT_EQ(balloon.tip(), host.mapToGlobal(low));
    EXPECT_LE(balloon.geometry().bottom(), balloon.tip().y());
    EXPECT_TRUE(screen.contains(balloon.geometry()));
}
