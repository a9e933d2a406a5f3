#include "platform/gui/dismiss_wait.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace {

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

bool dismisses(const QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        return static_cast<const QMouseEvent *>(event)->button() == Qt::LeftButton;
    return event->type() == QEvent::KeyPress &&
           static_cast<const QKeyEvent *>(event)->key() == Qt::Key_Escape;
}

// Swallows user input for its lifetime; the first dismissing event quits the loop.
class InputGate : public QObject {
public:
    explicit InputGate(QEventLoop &loop) : loop(loop) { qApp->installEventFilter(this); }
    ~InputGate() override { qApp->removeEventFilter(this); }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (!isUserInput(event->type()))
            return false;
        if (dismisses(event))
            loop.quit();
        return true;
    }

private:
    QEventLoop &loop;
};

} // namespace

void waitForClickOrEsc(int delayMs)
{
    QEventLoop loop;
    InputGate gate(loop);
    loop.exec();
    QEventLoop linger;
    QTimer::singleShot(delayMs, &linger, &QEventLoop::quit);
    linger.exec();
}
