#pragma once

#include <QByteArray>
#include <QIODevice>

// Every byte out, or false with the device's error set: a short write (a full disk, a file
// size limit) is tried again to learn why it stopped.
bool writeAll(QIODevice &device, const QByteArray &bytes);
