#pragma once

#include "mainwindow/window_layout.h"

class QFrame;
class QLabel;
class QTreeWidget;
class QWidget;

// Small services the windows share.

// Twips per pixel of the screen the widget is on.
TwipsPerPixel screenTwips(const QWidget &widget);
// Expands or collapses every node of the tree, reporting progress on the main window.
void expandAll(QTreeWidget *tree, bool expand);
// Centres the window over the main window.
void centerForm(QWidget *form);
// Puts the title over the description and frames both with the four lines, 5 pixels out.
void layoutHeader(QLabel *title, QLabel *description, QFrame *top, QFrame *right,
                  QFrame *bottom, QFrame *left);
// Gives the box the focus and selects all its text (QLineEdit, QTextEdit, QPlainTextEdit).
void selectAllText(QWidget *box);
// Scrolls the tree fully left (the table windows do it for scrollTreesLeft).
void scrollTreeLeft(QTreeWidget *tree);
// Switches off the tooltips the tree shows for its nodes.
void disableTreeTips(QTreeWidget *tree);
