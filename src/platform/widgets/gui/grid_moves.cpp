#include "platform/widgets/gui/grid_moves.h"

#include <QTableWidget>

namespace {

void swapRows(QTableWidget &grid, int upper)
{
    for (int column = 0; column < grid.columnCount(); ++column) {
        QTableWidgetItem *above = grid.takeItem(upper, column);
        QTableWidgetItem *below = grid.takeItem(upper + 1, column);
        grid.setItem(upper, column, below);
        grid.setItem(upper + 1, column, above);
    }
}

void moveRow(QTableWidget &grid, int by)
{
    const int row = grid.currentRow();
    const int target = row + by;
    if (row < 0 || target < 0 || target >= grid.rowCount())
        return;
    swapRows(grid, std::min(row, target));
    grid.setCurrentCell(target, std::max(0, grid.currentColumn()));
    grid.setFocus();
}

} // namespace

void gridMoveUp(QTableWidget &grid) { moveRow(grid, -1); }

void gridMoveDown(QTableWidget &grid) { moveRow(grid, 1); }
