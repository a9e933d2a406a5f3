#pragma once

#include <QByteArray>
#include <QString>

// A file's bytes exactly as on disk; "<missing>" when it cannot be read.
QByteArray bytesOf(const QString &path);
// Replaces the file with exactly these bytes; false when it cannot be written.
bool writeBytes(const QString &path, const QByteArray &bytes);
