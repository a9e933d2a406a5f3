#pragma once

#include "documents/views/tip_view.h"
#include "documents/workspace.h"

#include <QObject>
#include <QStringList>
#include <map>
#include <memory>

// A tip view without widgets: every control asked for exists, named "window.name" (the
// window's enum number), trees have their selected node at (10, 20, 30 x 6), and every
// balloon is recorded as "title @ control" or "title @ control (x,y)". It registers
// itself as the workspace's tip view for its lifetime.
class RecordingTips final : public TipView {
public:
    QStringList balloons;
    QStringList texts;
    bool nodeSelected = true;

    RecordingTips() { workspace().tipView = this; }
    ~RecordingTips() override
    {
        if (workspace().tipView == this)
            workspace().tipView = nullptr;
    }

    QObject *control(const QString &name)
    {
        std::unique_ptr<QObject> &object = controls[name];
        if (!object) {
            object = std::make_unique<QObject>();
            object->setObjectName(name);
        }
        return object.get();
    }

    QObject *slotControl(SlotWindow window, const QString &name) const override
    {
        return const_cast<RecordingTips *>(this)->control(
            QString("%1.%2").arg(int(window)).arg(name));
    }
    QRect nodeRect(QObject *) const override
    {
        return nodeSelected ? QRect(10, 20, 30, 6) : QRect();
    }
    void showBalloon(QObject *control, std::optional<QPoint> point, const QString &text,
                     const QString &title) override
    {
        QString entry = title + " @ " + control->objectName();
        if (point)
            entry += QString(" (%1,%2)").arg(point->x()).arg(point->y());
        balloons << entry;
        texts << text;
    }

private:
    std::map<QString, std::unique_ptr<QObject>> controls;
};
