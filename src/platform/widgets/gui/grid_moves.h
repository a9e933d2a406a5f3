#pragma once

class QTableWidget;

// Row moves of a grid whose header is its fixed row: the current row swaps places with
// the row above (or below) and stays current; the grid gets the focus. At the first (or
// last) row nothing moves.
void gridMoveUp(QTableWidget &grid);
void gridMoveDown(QTableWidget &grid);
