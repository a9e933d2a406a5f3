#include "mainwindow/gui/balloon_tips.h"

#include "documents/workspace.h"
#include "mainwindow/gui/slot_window_set.h"
#include "mainwindow/gui/vantor.h"
#include "platform/widgets/gui/balloon.h"
#include "platform/widgets/gui/dismiss_watch.h"

#include <QAbstractItemView>

BalloonTips::BalloonTips(Vantor &window) : window(window), bubble(new Balloon(&window))
{
    workspace().tipView = this;
}

BalloonTips::~BalloonTips()
{
    if (workspace().tipView == this)
        workspace().tipView = nullptr;
}

QObject *BalloonTips::slotControl(SlotWindow kind, const QString &name) const
{
    const SlotSubWindow *sub = window.slotWindow(workspace().curTable, kind);
    return sub ? sub->findChild<QWidget *>(name) : nullptr;
}

QRect BalloonTips::nodeRect(QObject *tree) const
{
    const auto *view = qobject_cast<QAbstractItemView *>(tree);
    return view && view->currentIndex().isValid() ? view->visualRect(view->currentIndex())
                                                  : QRect();
}

void BalloonTips::showBalloon(QObject *control, std::optional<QPoint> point, const QString &text,
                              const QString &title)
{
    // A balloon at a control that is not on screen (the main window before start-up shows
    // it) would point at nothing.
    auto *widget = qobject_cast<QWidget *>(control);
    if (!widget || !widget->isVisible())
        return;
    // The balloon stays up until the next click or Esc while the program runs on: a wait
    // here would hold every window, the page's own dialogs among them.
    bubble->setContent(title, text);
    bubble->showAt(widget, point);
    hideAtClickOrEsc(bubble);
}
