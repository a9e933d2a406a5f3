#include "platform/xml/xml_file_input.h"

#include "platform/files/regular_file.h"

#include <QByteArray>
#include <QFileInfo>
#include <QList>

#include <libxml/globals.h>
#include <libxml/xmlIO.h>
#include <libxml/xmlerror.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <climits>
#include <cstdlib>

namespace {

// The folders the runs on this thread may read files from; null: any.
thread_local ReadableFolders *readableFolders = nullptr;

// The length of the URI scheme in front of ':' (one letter is a drive, no scheme); 0: none.
qsizetype schemeLength(const QByteArray &uri)
{
    qsizetype length = 0;
    while (length < uri.size() && (std::isalnum(static_cast<unsigned char>(uri[length])) ||
                                   uri[length] == '+' || uri[length] == '-' ||
                                   uri[length] == '.'))
        ++length;
    return length > 1 && length < uri.size() && uri[length] == ':' ? length : 0;
}

// The paths a URI may name, in the order libxml2 itself tries them: a file URL names its
// unescaped path on this machine; a plain path names itself, then itself unescaped.
// None for another scheme or another host.
QList<QByteArray> candidatePaths(const QByteArray &uri)
{
    const qsizetype scheme = schemeLength(uri);
    if (scheme == 0)
        return {uri, QByteArray::fromPercentEncoding(uri)};
    if (uri.left(scheme).toLower() != "file")
        return {};
    QByteArray rest = uri.mid(scheme + 1);
    if (rest.startsWith("//")) {
        const qsizetype pathStart = rest.indexOf('/', 2);
        const QByteArray host = rest.mid(2, pathStart < 0 ? -1 : pathStart - 2).toLower();
        if (pathStart < 0 || !(host.isEmpty() || host == "localhost"))
            return {};
        rest = rest.mid(pathStart);
    }
    return {QByteArray::fromPercentEncoding(rest)};
}

void refuse(const char *uri, const char *why)
{
    xmlGenericError(xmlGenericErrorContext, "%s %s\n", uri, why);
}

// The path itself, or, while the thread's reads are held to some folders, the file it names
// with every link resolved when it lies directly in one of them; "" when it does not.
QByteArray readablePath(const QByteArray &path)
{
    if (!readableFolders)
        return path;
    char resolved[PATH_MAX];
    if (!realpath(path.constData(), resolved))
        return {};
    const QByteArray file(resolved);
    const QString folder = QFileInfo(QString::fromLocal8Bit(file)).path();
    return readableFolders->admits(folder) ? file : QByteArray();
}

// The open descriptor of a regular file at one of the paths, or -1.
int openRegularFile(const char *uri)
{
    const QList<QByteArray> paths = candidatePaths(uri);
    if (paths.isEmpty()) {
        refuse(uri, "is not a local file: only local files are read.");
        return -1;
    }
    for (const QByteArray &path : paths) {
        struct stat status;
        if (stat(path.constData(), &status) != 0)
            continue;
        const QByteArray readable = readablePath(path);
        if (readable.isEmpty()) {
            refuse(uri, "lies outside the folders this table may read from: its folder is not "
                        "trusted.");
            return -1;
        }
        int fd = -1;
        if (openRegularFile(readable, fd) == RegularOpen::Opened)
            return fd;
        refuse(uri, "is not a file that can be read.");
        return -1;
    }
    return -1; // libxml2 says it could not load the file
}

xmlParserInputBufferPtr openInput(const char *uri, xmlCharEncoding encoding)
{
    if (!uri)
        return nullptr;
    const int fd = openRegularFile(uri);
    if (fd < 0)
        return nullptr;
    xmlParserInputBufferPtr input = xmlParserInputBufferCreateFd(fd, encoding);
    if (!input)
        close(fd);
    return input; // closes the descriptor when it is freed
}

} // namespace

void installXmlFileInput()
{
    xmlThrDefParserInputBufferCreateFilenameDefault(openInput);
    xmlParserInputBufferCreateFilenameDefault(openInput);
}

ReadableFolders::ReadableFolders(const QStringList &folders)
{
    if (folders.isEmpty())
        return;
    for (const QString &folder : folders) {
        const QString canonical = QFileInfo(folder).canonicalFilePath();
        if (!canonical.isEmpty() && !allowed.contains(canonical))
            allowed.append(canonical);
    }
    previous = std::exchange(readableFolders, this);
    held = true;
}

bool ReadableFolders::admits(const QString &folder)
{
    if (allowed.contains(folder))
        return true;
    refused = true;
    return false;
}

ReadableFolders::~ReadableFolders()
{
    if (held)
        readableFolders = previous;
}
