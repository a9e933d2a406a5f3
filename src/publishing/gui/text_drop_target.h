#pragma once

#include <QDropEvent>
#include <QMimeData>
#include <QTableView>
#include <functional>

// A control that takes any plain text dropped on it (a tree drag's Xpath or text from
// another program): onDrop gets the text and the drop point; the drag source keeps what it
// dragged (drop effect none).
template <class Base>
class TextDropTarget : public Base {
public:
    using Base::Base;
    std::function<void(const QString &text, QPoint at)> onDrop;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override { acceptText(event); }
    void dragMoveEvent(QDragMoveEvent *event) override { acceptText(event); }
    void dropEvent(QDropEvent *event) override
    {
        if (!event->mimeData()->hasText())
            return;
        if (onDrop)
            onDrop(event->mimeData()->text(), event->position().toPoint());
        event->setDropAction(Qt::IgnoreAction);
        event->accept();
    }

private:
    static void acceptText(QDragMoveEvent *event)
    {
        if (event->mimeData()->hasText())
            event->acceptProposedAction();
    }
};

// Column widths as shares of the grid's width: column i gets width * parts[i] / whole,
// less its padding in pixels.
struct ColumnShare {
    int part;
    int padding;
};
inline void fitGridColumns(QTableView &grid, std::initializer_list<ColumnShare> shares, int whole)
{
    const int width = grid.viewport()->width();
    int column = 0;
    for (const ColumnShare &share : shares)
        grid.setColumnWidth(column++, width * share.part / whole - share.padding);
}
