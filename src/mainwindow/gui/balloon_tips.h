#pragma once

#include "documents/views/tip_view.h"

class Balloon;
class Vantor;

// The once-only tips over the main window: the current slot's controls by their names and
// one balloon at a time. Registers itself as the workspace's tip view for its lifetime.
class BalloonTips final : public TipView {
public:
    explicit BalloonTips(Vantor &window);
    ~BalloonTips() override;
    BalloonTips(const BalloonTips &) = delete;
    BalloonTips &operator=(const BalloonTips &) = delete;

    QObject *slotControl(SlotWindow window, const QString &name) const override;
    QRect nodeRect(QObject *tree) const override;
    void showBalloon(QObject *control, std::optional<QPoint> point, const QString &text,
                     const QString &title) override;

    Balloon *balloon() const { return bubble; }

private:
    Vantor &window;
    Balloon *bubble;
};
