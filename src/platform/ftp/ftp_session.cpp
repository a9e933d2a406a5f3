#include "platform/ftp/ftp_session.h"

#include "platform/files/device_writes.h"

#include <QBuffer>
#include <QIODevice>
#include <QRegularExpression>
#include <QUrl>

#include <curl/curl.h>
#include <limits>
#include <mutex>
#include <optional>
#include <utility>

namespace {

constexpr long connectTimeoutSeconds = 20;
constexpr long replyTimeoutSeconds = 30;
constexpr long stalledSeconds = 30;   // a transfer slower than 1 byte/s for this long ends
constexpr long acceptTimeoutMs = 20000; // active mode: the server must connect back by then

void initCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

bool holdsLineBreakOrNul(const QString &text)
{
    return text.contains(QChar('\r')) || text.contains(QChar('\n')) || text.contains(QChar(u'\0'));
}

FtpResult invalidServer()
{
    return {false, CURLE_URL_MALFORMAT, QStringLiteral("Invalid server name."), {}};
}

FtpResult refusedName()
{
    return {false, CURLE_URL_MALFORMAT,
            QStringLiteral("File and folder names cannot hold line breaks or NUL characters."),
            {}};
}

FtpResult refusedLogin()
{
    return {false, CURLE_LOGIN_DENIED,
            QStringLiteral("User names, passwords and proxy names cannot hold line breaks or "
                           "NUL characters."),
            {}};
}

// The number at the start of a reply; 0 when there is none.
int replyNumber(const QString &reply)
{
    int number = 0;
    for (QChar c : reply.trimmed()) {
        if (!c.isDigit())
            break;
        number = number * 10 + c.digitValue();
    }
    return number;
}

bool connectionLost(CURLcode code)
{
    return code == CURLE_RECV_ERROR || code == CURLE_SEND_ERROR || code == CURLE_GOT_NOTHING ||
           code == CURLE_PARTIAL_FILE;
}

// The URL path of an absolute remote path: "%2F" keeps it absolute for the server.
QByteArray urlPath(const QString &remotePath)
{
    QByteArray path = "/%2F";
    const QStringList segments = remotePath.mid(remotePath.startsWith(QChar('/')) ? 1 : 0)
                                     .split(QChar('/'));
    for (qsizetype i = 0; i < segments.size(); ++i) {
        if (i > 0)
            path += '/';
        path += QUrl::toPercentEncoding(segments[i]);
    }
    return path;
}

// "host", "host:port" or "[v6]:port" split into host and port ("" when none).
std::pair<QString, QString> hostAndPort(const QString &server)
{
    static const QRegularExpression withPort(QStringLiteral("^(\\[[^\\]]*\\]|[^:]*):(\\d+)$"));
    const QRegularExpressionMatch match = withPort.match(server);
    if (match.hasMatch())
        return {match.captured(1), match.captured(2)};
    return {server, {}};
}

// " failed: the server sent more than 16 MB." and the like, for a limit in bytes.
QString beyondLimit(const char *what, qint64 limit)
{
    const bool megabytes = limit >= (qint64(1) << 20);
    return QStringLiteral(" failed: the server%1 %2 %3.")
        .arg(QLatin1String(what))
        .arg(megabytes ? limit >> 20 : limit >> 10)
        .arg(QLatin1String(megabytes ? "MB" : "KB"));
}

// "a;b c" (the bypass list as typed) as libcurl's "a,b,c".
QByteArray noProxyList(const QString &bypass)
{
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    return bypass.split(separators, Qt::SkipEmptyParts).join(QChar(',')).toUtf8();
}

} // namespace

int FtpResult::replyCode() const { return replyNumber(lastReply); }

bool FtpResult::refusedByServer() const { return !ok && replyCode() >= 400; }

struct SlistFree {
    void operator()(curl_slist *list) const { curl_slist_free_all(list); }
};
using SlistPtr = std::unique_ptr<curl_slist, SlistFree>;

struct FtpSession::Transfer {
    CURL *curl = nullptr;
    FtpEndpoint endpoint;
    bool ascii = true;
    int connections = 0;

    // Server replies as the header callback hands them over, line by line.
    qint64 replyBytes = 0; // all the operation's replies so far
    QStringList pendingLines;
    QString lastReply;
    QStringList replies;
    char errorText[CURL_ERROR_SIZE] = {};
    SlistPtr typeAscii{curl_slist_append(nullptr, "TYPE A")};
    SlistPtr typeImage{curl_slist_append(nullptr, "TYPE I")};

    Transfer()
    {
        initCurlOnce();
        curl = curl_easy_init();
    }
    ~Transfer() { curl_easy_cleanup(curl); }

    void addLine(const QString &line);
    bool setUp(const QString &remotePath);
    // Refuses a path holding CR, LF or NUL, then sets the transfer up for it.
    std::optional<FtpResult> prepare(const QString &remotePath);
    // Runs the set-up transfer; "what" names it in a failure that is not a refusal.
    FtpResult perform(const QString &what);
    // Retrieves the remote path into the sink, line ends converted in ASCII mode, failing
    // beyond limit bytes.
    FtpResult receive(const QString &remotePath, QIODevice &sink, const QString &what,
                      qint64 limit = std::numeric_limits<qint64>::max());
    // The same into memory.
    FtpResult receiveBytes(const QString &remotePath, QByteArray &bytes, const QString &what);
};

namespace {

size_t onHeader(char *data, size_t size, size_t count, void *user)
{
    auto *transfer = static_cast<FtpSession::Transfer *>(user);
    transfer->replyBytes += qint64(size * count);
    if (transfer->replyBytes > ftpRepliesLimit)
        return 0; // libcurl ends the operation
    QString line = QString::fromUtf8(data, qsizetype(size * count));
    while (line.endsWith(QChar('\n')) || line.endsWith(QChar('\r')))
        line.chop(1);
    transfer->addLine(line);
    return size * count;
}

// The bytes of an upload; in ASCII mode a line end without its CR gets one, as the wire
// form wants CR LF.
struct UploadSource {
    QIODevice &device;
    bool ascii;
    bool lastWasCr = false;
};

size_t onRead(char *buffer, size_t size, size_t count, void *user)
{
    auto *source = static_cast<UploadSource *>(user);
    const qint64 room = qint64(size * count);
    if (!source->ascii) {
        const qint64 read = source->device.read(buffer, room);
        return read < 0 ? CURL_READFUNC_ABORT : size_t(read);
    }
    QByteArray chunk(room / 2, Qt::Uninitialized);
    const qint64 read = source->device.read(chunk.data(), chunk.size());
    if (read < 0)
        return CURL_READFUNC_ABORT;
    size_t out = 0;
    for (qint64 i = 0; i < read; ++i) {
        const char byte = chunk[i];
        if (byte == '\n' && !source->lastWasCr)
            buffer[out++] = '\r';
        buffer[out++] = byte;
        source->lastWasCr = byte == '\r';
    }
    return out;
}

// The bytes of a download, at most room of them; in ASCII mode the wire's CR LF becomes a
// line feed.
struct DownloadSink {
    QIODevice &device;
    bool ascii;
    qint64 room;
    bool heldCr = false; // a CR at the end of the last block, which may open a CR LF
    bool overLimit = false;

    bool write(const QByteArray &bytes) { return writeAll(device, bytes); }
    bool finish() { return !std::exchange(heldCr, false) || write(QByteArrayLiteral("\r")); }
};

size_t onWrite(char *data, size_t size, size_t count, void *user)
{
    auto *sink = static_cast<DownloadSink *>(user);
    const qsizetype length = qsizetype(size * count);
    sink->overLimit = length > sink->room;
    if (sink->overLimit)
        return 0; // libcurl ends the transfer
    sink->room -= length;
    if (!sink->ascii)
        return sink->write(QByteArray::fromRawData(data, length)) ? size_t(length) : 0;
    QByteArray block = sink->heldCr ? QByteArrayLiteral("\r") : QByteArray();
    block.append(data, length);
    sink->heldCr = block.endsWith('\r');
    if (sink->heldCr)
        block.chop(1);
    return sink->write(block.replace("\r\n", "\n")) ? size_t(length) : 0;
}

bool isReplyStart(const QString &line)
{
    return line.size() >= 3 && line[0].isDigit() && line[1].isDigit() && line[2].isDigit();
}

} // namespace

// A reply ends with a line of its code and a blank (or the bare code); a line of the code
// and "-" opens a multi-line reply. Lines outside a reply (libcurl's own notes) are dropped.
void FtpSession::Transfer::addLine(const QString &line)
{
    if (pendingLines.isEmpty() && !isReplyStart(line))
        return;
    pendingLines.append(line);
    const QString code = pendingLines.first().left(3);
    const bool multi = pendingLines.first().mid(3, 1) == QLatin1String("-");
    const bool last = !multi || (pendingLines.size() > 1 && line.startsWith(code) &&
                                 line.mid(3, 1) != QLatin1String("-"));
    if (!last)
        return;
    lastReply = pendingLines.join(QStringLiteral("\r\n"));
    replies.append(lastReply);
    pendingLines.clear();
}

bool FtpSession::Transfer::setUp(const QString &remotePath)
{
    curl_easy_reset(curl); // keeps the open connection
    const auto [host, port] = hostAndPort(endpoint.server.trimmed());
    CURLU *url = curl_url();
    bool valid = curl_url_set(url, CURLUPART_SCHEME, "ftp", 0) == CURLUE_OK &&
                 curl_url_set(url, CURLUPART_HOST, host.toUtf8().constData(), 0) == CURLUE_OK &&
                 curl_url_set(url, CURLUPART_PATH, urlPath(remotePath).constData(), 0) == CURLUE_OK;
    if (valid && !port.isEmpty())
        valid = curl_url_set(url, CURLUPART_PORT, port.toUtf8().constData(), 0) == CURLUE_OK;
    char *full = nullptr;
    if (valid)
        valid = curl_url_get(url, CURLUPART_URL, &full, 0) == CURLUE_OK;
    curl_url_cleanup(url);
    if (!valid)
        return false;
    curl_easy_setopt(curl, CURLOPT_URL, full);
    curl_free(full);

    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
    curl_easy_setopt(curl, CURLOPT_USERNAME, endpoint.user.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, endpoint.password.toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_PROXY, endpoint.proxy.trimmed().toUtf8().constData());
    curl_easy_setopt(curl, CURLOPT_NOPROXY, noProxyList(endpoint.proxyBypass).constData());
    curl_easy_setopt(curl, CURLOPT_HTTPPROXYTUNNEL, 1L);
    if (!endpoint.passive)
        curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");
    curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_NOCWD));
    // libcurl asks for TYPE I and converts nothing; the command that follows sets the type
    // this transfer wants, whatever libcurl believes the connection's type to be. Servers
    // refuse SIZE in ASCII mode, so a download then does without it.
    curl_easy_setopt(curl, CURLOPT_PREQUOTE, ascii ? typeAscii.get() : typeImage.get());
    curl_easy_setopt(curl, CURLOPT_IGNORE_CONTENT_LENGTH, ascii ? 1L : 0L);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, connectTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, replyTimeoutSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, stalledSeconds);
    curl_easy_setopt(curl, CURLOPT_ACCEPTTIMEOUT_MS, acceptTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_HEADERFUNCTION, onHeader);
    curl_easy_setopt(curl, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorText);
    return true;
}

FtpResult FtpSession::Transfer::perform(const QString &what)
{
    errorText[0] = '\0';
    replyBytes = 0;
    pendingLines.clear();
    lastReply.clear();
    replies.clear();
    const CURLcode code = curl_easy_perform(curl);
    connections += int(replies.filter(QRegularExpression(QStringLiteral("^220[ -]"))).size());
    FtpResult result;
    result.ok = code == CURLE_OK;
    result.code = int(code);
    result.lastReply = lastReply;
    if (replyBytes > ftpRepliesLimit)
        result.message = what + beyondLimit("'s replies are longer than", ftpRepliesLimit);
    else if (!result.ok)
        result.message = what + QStringLiteral(" failed: ") +
                         (connectionLost(code)
                              ? QStringLiteral("the connection to the server was lost.")
                              : QString::fromUtf8(errorText[0] ? errorText
                                                               : curl_easy_strerror(code)));
    return result;
}

FtpSession::FtpSession() : transfer(std::make_unique<Transfer>()) {}

FtpSession::~FtpSession() = default;

void FtpSession::setEndpoint(const FtpEndpoint &endpoint) { transfer->endpoint = endpoint; }

void FtpSession::setAscii(bool ascii) { transfer->ascii = ascii; }

std::optional<FtpResult> FtpSession::Transfer::prepare(const QString &remotePath)
{
    if (holdsLineBreakOrNul(endpoint.user) || holdsLineBreakOrNul(endpoint.password) ||
        holdsLineBreakOrNul(endpoint.proxy))
        return refusedLogin();
    if (holdsLineBreakOrNul(remotePath))
        return refusedName();
    if (!setUp(remotePath))
        return invalidServer();
    return std::nullopt;
}

FtpResult FtpSession::login(QString *entryPath)
{
    if (const std::optional<FtpResult> failure = transfer->prepare(QStringLiteral("/")))
        return *failure;
    curl_easy_setopt(transfer->curl, CURLOPT_NOBODY, 1L);
    FtpResult result =
        transfer->perform(QStringLiteral("Logging in to ") + transfer->endpoint.server);
    if (result.ok && entryPath) {
        char *path = nullptr;
        curl_easy_getinfo(transfer->curl, CURLINFO_FTP_ENTRY_PATH, &path);
        *entryPath = path ? QString::fromUtf8(path) : QStringLiteral("/");
    }
    return result;
}

FtpResult FtpSession::commands(const QStringList &commands, QStringList *replies)
{
    for (const QString &command : commands)
        if (holdsLineBreakOrNul(command))
            return refusedName();
    if (const std::optional<FtpResult> failure = transfer->prepare(QStringLiteral("/")))
        return *failure;
    QList<QByteArray> texts; // alive while libcurl holds the list
    SlistPtr list;
    for (const QString &command : commands) {
        // "*": a refusal does not make libcurl drop the logged-in connection.
        texts.append('*' + command.toUtf8());
        list.reset(curl_slist_append(list.release(), texts.last().constData()));
    }
    curl_easy_setopt(transfer->curl, CURLOPT_NOBODY, 1L);
    // After the (empty) transfer, so that their replies come last.
    curl_easy_setopt(transfer->curl, CURLOPT_POSTQUOTE, list.get());
    FtpResult result = transfer->perform(QStringLiteral("The command ") + commands.value(0));
    curl_easy_setopt(transfer->curl, CURLOPT_POSTQUOTE, nullptr);
    if (replies)
        *replies = transfer->replies;
    // The last replies answer the commands, in order; the first refusal is the failure.
    const qsizetype first = transfer->replies.size() - commands.size();
    for (qsizetype i = 0; result.ok && first >= 0 && i < commands.size(); ++i) {
        const QString &reply = transfer->replies[first + i];
        if (replyNumber(reply) >= 400)
            result = {false, CURLE_QUOTE_ERROR,
                      QStringLiteral("The server refused ") + commands[i], reply};
    }
    return result;
}

FtpResult FtpSession::upload(const QString &remotePath, QIODevice &source, bool append)
{
    if (const std::optional<FtpResult> failure = transfer->prepare(remotePath))
        return *failure;
    curl_easy_setopt(transfer->curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(transfer->curl, CURLOPT_APPEND, append ? 1L : 0L);
    UploadSource bytes{source, transfer->ascii};
    curl_easy_setopt(transfer->curl, CURLOPT_READFUNCTION, onRead);
    curl_easy_setopt(transfer->curl, CURLOPT_READDATA, &bytes);
    return transfer->perform(QStringLiteral("Storing ") + remotePath);
}

FtpResult FtpSession::Transfer::receive(const QString &remotePath, QIODevice &sink,
                                        const QString &what, qint64 limit)
{
    if (const std::optional<FtpResult> failure = prepare(remotePath))
        return *failure;
    DownloadSink bytes{sink, ascii, limit};
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, onWrite);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &bytes);
    FtpResult result = perform(what);
    if (bytes.overLimit)
        result.message = what + beyondLimit(" sent more than", limit);
    else if (result.ok && !bytes.finish())
        result = {false, CURLE_WRITE_ERROR,
                  what + QStringLiteral(" failed: ") +
                      QString::fromUtf8(curl_easy_strerror(CURLE_WRITE_ERROR)),
                  {}};
    return result;
}

FtpResult FtpSession::download(const QString &remotePath, QIODevice &sink)
{
    return transfer->receive(remotePath, sink, QStringLiteral("Retrieving ") + remotePath);
}

FtpResult FtpSession::Transfer::receiveBytes(const QString &remotePath, QByteArray &bytes,
                                             const QString &what)
{
    bytes.clear();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return receive(remotePath, buffer, what, ftpInMemoryLimit);
}

FtpResult FtpSession::read(const QString &remotePath, QByteArray &bytes)
{
    return transfer->receiveBytes(remotePath, bytes, QStringLiteral("Retrieving ") + remotePath);
}

FtpResult FtpSession::list(const QString &remoteFolder, QByteArray &listing)
{
    // A path ending in "/" names a folder, which libcurl lists.
    const bool endsInSlash = remoteFolder.endsWith(QChar('/'));
    return transfer->receiveBytes(endsInSlash ? remoteFolder : remoteFolder + QChar('/'),
                                  listing, QStringLiteral("Listing ") + remoteFolder);
}

void FtpSession::close()
{
    auto fresh = std::make_unique<Transfer>();
    fresh->endpoint = transfer->endpoint;
    fresh->ascii = transfer->ascii;
    fresh->connections = transfer->connections;
    transfer = std::move(fresh); // the old handle says QUIT as it goes
}

int FtpSession::connectionsOpened() const { return transfer->connections; }
