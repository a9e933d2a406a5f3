#pragma once

#include "documents/table_document.h"

#include <QMdiSubWindow>
#include <array>

class QMdiArea;

// One window of a table slot inside the main window's client area. Closing it hides it;
// its place and size follow the slot's geometry in the model (twips), and a move or resize
// by the user is written back there.
class SlotSubWindow : public QMdiSubWindow {
    Q_OBJECT
public:
    SlotSubWindow(int slot, SlotWindow kind);

    int slot() const { return tableSlot; }
    SlotWindow kind() const { return windowKind; }
    // Moves and sizes the window to a geometry in twips.
    void applyGeometry(const WindowGeometry &geometry);

protected:
    void closeEvent(QCloseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    WindowGeometry &model() const;
    QRect modelRect() const;
    void moveTo(const QRect &rect);
    void recordGeometry();

    int tableSlot;
    SlotWindow windowKind;
    bool applying = false;
};

// The five windows of one slot: XML document, table, property sheet, stylesheet view and
// preview. Until their own windows exist, each is an empty window with its caption.
class SlotWindowSet {
public:
    SlotWindowSet(QMdiArea &area, int slot);

    SlotSubWindow *window(SlotWindow kind) const { return windows[size_t(kind)]; }
    // The windows drop what they show for the next table of the slot.
    void clear() const;
    // Moves and sizes each window to the geometry the table holds for it.
    void applyGeometry(const TableDocument &doc) const;

private:
    std::array<SlotSubWindow *, slotWindowCount> windows{};
};

// The caption a slot window starts with.
QString slotWindowCaption(SlotWindow kind);
