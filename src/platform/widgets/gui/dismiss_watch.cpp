#include "platform/widgets/gui/dismiss_watch.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace {

bool dismisses(const QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        return static_cast<const QMouseEvent *>(event)->button() == Qt::LeftButton;
    return event->type() == QEvent::KeyPress &&
           static_cast<const QKeyEvent *>(event)->key() == Qt::Key_Escape;
}

// A child of the widget it hides; it looks at every event of the application and
// swallows none.
class DismissWatch final : public QObject {
    Q_OBJECT
public:
    explicit DismissWatch(QWidget *widget) : QObject(widget)
    {
        hide.setSingleShot(true);
        connect(&hide, &QTimer::timeout, widget, &QWidget::hide);
    }

    void start(int delayMs)
    {
        hide.stop();
        hide.setInterval(delayMs);
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *, QEvent *event) override
    {
        if (dismisses(event)) {
            qApp->removeEventFilter(this);
            hide.start();
        }
        return false;
    }

private:
    QTimer hide;
};

} // namespace

void hideAtClickOrEsc(QWidget *widget, int delayMs)
{
    auto *watch = widget->findChild<DismissWatch *>(QString(), Qt::FindDirectChildrenOnly);
    if (!watch)
        watch = new DismissWatch(widget);
    watch->start(delayMs);
}

#include "dismiss_watch.moc"
