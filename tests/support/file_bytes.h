#pragma once

#include <QByteArray>
#include <QString>

// A file's bytes exactly as on disk; "<missing>" when it cannot be read.
QByteArray bytesOf(const QString &path);
