#include "mainwindow/gui/tab_strip.h"

#include "documents/table_slots.h"

#include <QResizeEvent>
#include <QSignalBlocker>
#include <QTabBar>

TabStrip::TabStrip(QWidget *parent) : QWidget(parent), bar(new QTabBar(this))
{
    setObjectName(QStringLiteral("tabs"));
    bar->setObjectName(QStringLiteral("atabs"));
    bar->setExpanding(false);
    bar->setDrawBase(true);
    setAutoFillBackground(true);
    connect(bar, &QTabBar::currentChanged, this, [] { switchTable(); });
    connect(bar, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index == bar->currentIndex())
            switchTable();
    });
}

int TabStrip::indexOfKey(const QString &key) const
{
    for (int i = 0; i < bar->count(); ++i)
        if (bar->tabData(i).toString() == key)
            return i;
    return -1;
}

void TabStrip::insertTab(int index, const QString &key, const QString &caption)
{
    const int at = bar->insertTab(std::min(index, bar->count()), caption);
    bar->setTabData(at, key);
}

void TabStrip::selectTab(const QString &key)
{
    const int index = indexOfKey(key);
    if (index >= 0)
        bar->setCurrentIndex(index);
}

void TabStrip::setCaption(const QString &key, const QString &caption)
{
    const int index = indexOfKey(key);
    if (index >= 0)
        bar->setTabText(index, caption);
}

QString TabStrip::selectedKey() const
{
    const int index = bar->currentIndex();
    return index < 0 ? QString() : bar->tabData(index).toString();
}

void TabStrip::removeSelected()
{
    const int index = bar->currentIndex();
    if (index < 0)
        return;
    const QSignalBlocker blocker(bar);
    bar->removeTab(index);
}

void TabStrip::removeAll()
{
    const QSignalBlocker blocker(bar);
    while (bar->count() > 0)
        bar->removeTab(0);
}

void TabStrip::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    bar->setGeometry(0, 0, event->size().width(), event->size().height());
}
