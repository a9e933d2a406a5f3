#include "platform/widgets/gui/balloon.h"
#include "platform/widgets/gui/dismiss_watch.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

// Esc or a left click anywhere hides the balloon; nothing waits for it and no input is
// swallowed, the dismissing key or click included.
TEST(DismissWatch, EscOrALeftClickHidesTheBalloonAndTheInputStillArrives)
{
    struct Case {
        const char *name;
        std::function<void(QLineEdit *, QPushButton *)> input;
        QString typed;
        int clicks;
        bool hides;
    };
    const Case cases[] = {
        {"key", [](QLineEdit *edit, QPushButton *) { QTest::keyClick(edit, Qt::Key_A); }, "a", 0,
         false},
        {"right button",
         [](QLineEdit *, QPushButton *button) { QTest::mouseClick(button, Qt::RightButton); }, "",
         0, false},
        {"Esc", [](QLineEdit *edit, QPushButton *) { QTest::keyClick(edit, Qt::Key_Escape); }, "",
         0, true},
        {"left button",
         [](QLineEdit *, QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }, "",
         1, true},
    };
    for (const Case &c : cases) {
        QWidget host;
        auto *edit = new QLineEdit(&host);
        auto *button = new QPushButton("Go", &host);
        button->move(0, 40);
        host.show();
        edit->setFocus();
        QSignalSpy clicked(button, &QPushButton::clicked);
        Balloon balloon(&host);
        balloon.setContent("Tip", "text");
        balloon.showAt(edit);
        hideAtClickOrEsc(&balloon, 0);
        c.input(edit, button);
        EXPECT_EQ(edit->text(), c.typed) << c.name;
        EXPECT_EQ(clicked.count(), c.clicks) << c.name;
        QCoreApplication::processEvents(); // the hide's timer, when armed
        EXPECT_EQ(balloon.isHidden(), c.hides) << c.name;
    }
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
