#include "documents/text_files.h"

#include "documents/file_replacement.h"
#include "platform/files/device_writes.h"
#include "platform/files/regular_file.h"
#include "platform/ui/ui_services.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

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

// The bytes are on the disk before the rename, so the path never names a file that a
// crash left short.
bool writeFileBytes(const QString &path, const QByteArray &bytes)
{
    FileReplacement replacement(path);
    return replacement.isOpen() && writeAll(replacement.device(), bytes) && replacement.commit();
}

void reportWriteFailure(const QString &path)
{
    ui().message(QStringLiteral("Cannot write to file ") + path +
                 QStringLiteral("\r\n\r\nPlease check if file name is incorrect, file is "
                                "read-only, or if there is enough disk space"));
}

bool writeFile(const QString &path, const QString &text, bool silent)
{
    lastWriteOk = writeFileBytes(path, textFileBytes(text));
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
    QFile file;
    if (!openRegularFile(file, path).isEmpty() || file.size() > textFileLimit)
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
