#include "documents/text_files.h"

#include "platform/ui_services.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QRandomGenerator>
#include <cstdio>
#include <unistd.h>

bool lastWriteOk = false;

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F.
constexpr char16_t cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (const char byte : bytes) {
        const auto b = static_cast<unsigned char>(byte);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? cp1252High[b - 0x80] : char16_t(b));
    }
    return text;
}

// Every byte out and flushed, or false: a failing write (a full disk, a file size limit)
// is never lost in a buffer.
bool writeAll(QFileDevice &file, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return file.flush() && file.error() == QFileDevice::NoError;
}

// A new file of a free name beside the path, opened unbuffered, with a new file's usual
// mode. Creation never follows a link, so nothing planted at that name is written.
bool createBeside(const QString &path, QFile &file)
{
    constexpr int attempts = 100;
    for (int attempt = 0; attempt < attempts; ++attempt) {
        file.setFileName(path + QStringLiteral(".%1").arg(
                                    QRandomGenerator::global()->generate(), 8, 16, QChar(u'0')));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        if (!pathTaken(file.fileName()))
            return false;
    }
    return false;
}

// The bytes writeFile writes for the text.
QByteArray textFileBytes(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes += "\r\n";
    return bytes;
}

} // namespace

QString decodeText(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(bytes);
}

// The new file takes the mode of the regular file it replaces before a byte goes in (a
// password file stays its owner's throughout) and is renamed over the path.
// A rename never follows a link at its destination: a link there, planted before the write
// or while it runs, is replaced and its target, dangling or not, stays as it was. A failed
// write leaves whatever was at the path, and so does a write to a regular file the user may
// not write. The bytes are on the disk before the rename, so the path never names a file
// that a crash left short.
bool writeFileBytes(const QString &path, const QByteArray &bytes)
{
    const QFileInfo old(path);
    if (old.isFile() && !old.isSymLink() && !old.isWritable())
        return false;
    QFile file;
    if (!createBeside(path, file))
        return false;
    bool ok = (old.isSymLink() || !old.isFile() || file.setPermissions(old.permissions())) &&
              writeAll(file, bytes) && fdatasync(file.handle()) == 0;
    file.close();
    ok = ok && std::rename(QFile::encodeName(file.fileName()).constData(),
                           QFile::encodeName(path).constData()) == 0;
    if (!ok)
        file.remove();
    return ok;
}

void reportWriteFailure(const QString &path)
{
    ui().message(QStringLiteral("Cannot write to file ") + path +
                 QStringLiteral("\r\n\r\nPlease check if file name is incorrect, file is "
                                "read-only, or if there is enough disk space"));
}

bool writeTextFile(const QString &path, const QString &text)
{
    return writeFileBytes(path, textFileBytes(text));
}

bool writeFile(const QString &path, const QString &text, bool silent)
{
    lastWriteOk = writeTextFile(path, text);
    if (!lastWriteOk && !silent)
        reportWriteFailure(path);
    return lastWriteOk;
}

bool fileHoldsText(const QString &path, const QString &text)
{
    const QByteArray bytes = textFileBytes(text);
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) &&
           file.size() == bytes.size() && file.readAll() == bytes;
}

void writeFileIfChanged(const QString &path, const QString &text, bool silent)
{
    if (!fileHoldsText(path, text))
        writeFile(path, text, silent);
}

QByteArray readFileBytes(const QString &path)
{
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || info.size() > textFileLimit || !file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (bytes.size() >= 2 && bytes.endsWith("\r\n"))
        bytes.chop(2);
    return bytes;
}

QString readFile(const QString &path) { return decodeText(readFileBytes(path)); }

bool normalFileExists(const QString &path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

bool pathTaken(const QString &path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && (info.isSymLink() || info.exists());
}

void deleteFile(const QString &path) { QFile::remove(path); }
