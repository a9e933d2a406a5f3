#pragma once

#include "documents/table_document.h"

#include <QString>
#include <QStringList>
#include <array>

// The building blocks of the table file shared by its writer, its reader and side-file
// restore.

inline constexpr QChar fieldSeparator{0x02}; // between the fields of a record
inline constexpr QChar recordEnd{0x03};      // after each record
inline constexpr QChar sectionEnd{0x04};     // after the XML path and the first three sections
inline constexpr QChar sideFileMark{0x05};   // before each embedded side file and after the last

// The order of a slot's windows in the window section: property sheet, XML document
// window, table window, preview, generated-stylesheet view.
inline constexpr std::array<SlotWindow, slotWindowCount> windowFileOrder{
    SlotWindow::Prop, SlotWindow::Parser, SlotWindow::Rep, SlotWindow::Result,
    SlotWindow::XslCode};

// The six side files beside a table file, in the order the table file carries them.
const QStringList &sideFileExtensions();

// The field with every separator Chr(2)..Chr(5) removed, so that it cannot break the file.
QString cleanField(const QString &field);
// A side file's text with every Chr(5) removed.
QString cleanSidePiece(const QString &piece);

// The side-file pieces embedded after the first Chr(5) of a table file's text: each
// complete piece (ended by Chr(5)), at most six; a tail cut short gives fewer.
QStringList embeddedSidePieces(const QString &tableText);
