#pragma once

#include <QString>

// Reading a table file into the current slot. A read applies what it finds as it goes
// and rolls nothing back.
enum class TableReadOutcome {
    Complete, // read to its end, or it ended early where no further record began
    Invalid,  // malformed: reported to the user (unless starting up); finishing steps skipped
};

// Reads the table file at path into the current, emptied slot. Window places and shown
// flags go to the model only; the main window shows and places the windows afterwards.
TableReadOutcome readTable(const QString &path);
// As readTable, with the file's text already read.
TableReadOutcome readTableText(const QString &path, const QString &text);

// The message shown for an invalid table file.
QString invalidTableFileMessage(const QString &path);

// Reads one record of two fields from pos (0-based), which it advances. Returns 0 when no
// Chr(2) follows (nothing changes), 1 when the Chr(2) has no Chr(3) after it (field1 and
// pos are set), 2 for a whole record.
int readRecord(qsizetype &pos, const QString &text, QString &field1, QString &field2);
