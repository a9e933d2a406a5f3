#pragma once

#include <QByteArray>
#include <QString>

// Whole-file text. Files are written as UTF-8; a file that is not valid UTF-8 is read as
// Windows-1252 (files from older installations).

// The outcome of the most recent writeFile.
extern bool lastWriteOk;

// Replaces the file with the text and one CR LF, atomically: a failed write leaves the
// old file whole, and the new one keeps its mode. A symbolic link at the path is replaced
// by a regular file; its target is never written. Unless silent, a failure is reported to
// the user. Returns lastWriteOk.
bool writeFile(const QString &path, const QString &text, bool silent);
// True when the file (a link's target too) holds the text as writeFile would write it.
bool fileHoldsText(const QString &path, const QString &text);
// writeFile, unless the file holds the text already.
void writeFileIfChanged(const QString &path, const QString &text, bool silent);
// The same with the bytes as they stand, silently and without touching lastWriteOk.
bool writeFileBytes(const QString &path, const QByteArray &bytes);
// Tells the user that the file could not be written.
void reportWriteFailure(const QString &path);
// The whole file without one trailing CR LF; "" on any failure. Only a regular file (or a
// link to one) of at most textFileLimit bytes is read: a device or a pipe reads as "".
QString readFile(const QString &path);
// The same as bytes, not yet decoded.
QByteArray readFileBytes(const QString &path);
// True when the path names an existing file (not a folder).
bool normalFileExists(const QString &path);
// True when anything is at the path, a symbolic link too, dangling or not: what a write
// there would replace.
bool pathTaken(const QString &path);
// Deletes the file; any failure is ignored.
void deleteFile(const QString &path);
// The largest file readFile reads: 1 GB.
inline constexpr qint64 textFileLimit = qint64(1) << 30;
// Decodes file bytes: UTF-8 when valid, else Windows-1252.
QString decodeText(const QByteArray &bytes);
