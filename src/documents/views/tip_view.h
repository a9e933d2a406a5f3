#pragma once

#include "documents/table_document.h"

#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

// What the once-only tips ask of the windows: the controls they point at and the balloon.
// A null tip view (no windows, as in tvktool) shows no tips and marks none shown.
class TipView {
public:
    virtual ~TipView() = default;
    // A control of the current slot's window by its name; null when either is missing.
    virtual QObject *slotControl(SlotWindow window, const QString &name) const = 0;
    // The label rectangle of the tree's selected node in the tree's client area; a null
    // rectangle when nothing is selected.
    virtual QRect nodeRect(QObject *tree) const = 0;
    // Shows the balloon pointing at the control, or at a point of its client area, and
    // returns once the user has dismissed it.
    virtual void showBalloon(QObject *control, std::optional<QPoint> point, const QString &text,
                             const QString &title) = 0;
};
