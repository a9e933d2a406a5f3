#pragma once

#include "documents/table_document.h"

#include <QObject>
#include <QString>

// Once-only balloon tips. Each tip has a key; its first showing leaves a marker file
// "set-tip" + key holding "done" in the tables folder, and later offers of the same key
// do nothing until the markers are deleted ("Show first-time helpers again").

struct TipText {
    QString key;
    QString title;
    QString text;
};

// The marker file of a key. Characters that cannot stand in a file name ("/", "\", ":",
// "*", "?", '"', "<", ">", "|", "%" and control characters) are written as "%" and two
// hexadecimal digits, so any key (an attribute name, say) gives one file in the tables
// folder; other keys keep their text.
QString tipMarkerPath(const QString &key);
// True when the tip has not been shown yet, and then marks it shown. A marker that cannot
// be written is reported, and the tip is offered again next time.
bool tipNotYetShown(const QString &key);
// Appends CR LF, CR LF and "Click mouse or Esc to close me.".
void addCloseHint(QString &text);
// Deletes every marker file (those that hold "done"); other files are left alone.
void deleteTipMarkers();

// A control of the current slot's window by its object name, for a tip to point at; null
// without windows or when the window has no such control.
QObject *tipControl(SlotWindow window, const QString &name);

// Offer a tip: when the tip view exists and the key has not been shown, the balloon with
// the close hint points at the control, at the right-bottom corner of the tree's selected
// node, or at the point (x, y) of the control, and the call returns once the user has
// dismissed it. A null control does nothing.
void showTipAtControl(QObject *control, const TipText &tip);
void showTipAtNode(QObject *tree, const TipText &tip);
void showTipAtCaret(QObject *control, int x, int y, const TipText &tip);
