#include "platform/pages/gui/page_server.h"

#include "platform/pages/gui/local_page.h"

#include "platform/pages/page_first_rows.h"
#include "platform/pages/page_url.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QHash>
#include <QPointer>
#include <QTimer>
#include <QUrlQuery>
#include <QUuid>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlSchemeHandler>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>

// The engine takes a served page through a pipe of 64 KiB and renders what it has parsed
// between two pieces: a table of many rows is laid out anew for every piece, so the load
// time grows with the square of the page's size. So a page's first rows go to the engine as
// they are, and after them comes a script of the page's own origin that is answered only once
// the engine has been handed the page's last byte: it holds the parser, and with it every
// rendering but that of the first rows, until the rest is in the engine, which then parses it
// at once, as it does a page read from a file. The engine keeps only so much of a held page
// (some 64 MB): once it stops reading, the script is answered too, and what is left comes
// piece by piece.

namespace {

const QString holdKey = QStringLiteral("hold");
// What goes to the engine before the hold: some hundreds of rows of a table.
constexpr qsizetype firstRowsBytes = 256 << 10;
// How long the engine reads nothing of a held page before it is taken to read no more.
constexpr int stalledMs = 250;

// The folders, canonical, that each page held back from the web loads local files from, by
// the host of its origin; only touched on the user-interface thread.
QHash<QString, QStringList> &readableFoldersOfOrigins()
{
    static QHash<QString, QStringList> origins;
    return origins;
}

// Each canonical and ending in '/'.
void noteReadableFolders(const QUrl &page, const QStringList &folders)
{
    QStringList canonical;
    for (const QString &folder : folders) {
        const QString path = QFileInfo(folder).canonicalFilePath();
        if (!path.isEmpty())
            canonical.append(path.endsWith(u'/') ? path : path + u'/');
    }
    readableFoldersOfOrigins().insert(page.host(), canonical);
}

// Whether a page held back from the web loads the file (canonical): one in its folders or
// in a folder below them, where the pictures of a table's folder often are.
bool inReadableFolders(const QUrl &page, const QString &file)
{
    const QStringList folders = readableFoldersOfOrigins().value(page.host());
    return std::any_of(folders.begin(), folders.end(),
                       [&](const QString &folder) { return file.startsWith(folder); });
}

// The held scripts of a handler's pages, by the token in their address; only touched on the
// user-interface thread.
struct HeldScripts {
    // A page being handed over; its script is held once asked for.
    QHash<QString, QPointer<QWebEngineUrlRequestJob>> waiting;

    static void answer(QWebEngineUrlRequestJob *job)
    {
        auto *script = new QBuffer(job);
        // The page keeps no trace of it; read from the prototype, as an element the page
        // names "currentScript" is what the document's property gives.
        script->setData("Object.getOwnPropertyDescriptor(Document.prototype, 'currentScript')"
                        ".get.call(document).remove()");
        script->open(QIODevice::ReadOnly);
        job->reply("text/javascript", script);
    }
    bool holds(const QString &token) const { return !waiting.value(token).isNull(); }
    // The page of token has been handed over, or its load has ended.
    void release(const QString &token)
    {
        if (const QPointer<QWebEngineUrlRequestJob> held = waiting.take(token))
            answer(held);
    }
    void hold(QWebEngineUrlRequestJob *job, const QString &token)
    {
        const auto page = waiting.find(token);
        if (page == waiting.end())
            answer(job); // handed over already, or no page of ours
        else
            *page = job;
    }
};

// Milliseconds on a clock that the system's time setting does not move.
qint64 steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A page's bytes, which the engine reads on a thread of its own. Says once, on the
// user-interface thread, that its last byte was read or that it is gone unread.
class PageBody final : public QBuffer {
public:
    PageBody(const QByteArray &bytes, std::function<void()> handedOver, QObject *parent)
        : QBuffer(parent), handedOver(std::move(handedOver))
    {
        setData(bytes);
        open(QIODevice::ReadOnly);
    }
    ~PageBody() override { tell(); }
    // Whether the engine has read nothing for that long and has not read the last byte.
    bool stalledFor(qint64 ms) const
    {
        return !told && steadyMs() - lastReadAt.load() > ms;
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 from = pos();
        const qint64 read = QBuffer::readData(data, maxSize);
        lastReadAt = steadyMs();
        if (from + read >= size())
            tell();
        return read;
    }

private:
    void tell()
    {
        QCoreApplication *app = QCoreApplication::instance(); // none left as the program ends
        if (!told.exchange(true) && app)
            QMetaObject::invokeMethod(app, handedOver, Qt::QueuedConnection);
    }
    std::function<void()> handedOver;
    std::atomic_bool told = false;
    std::atomic<qint64> lastReadAt = steadyMs();
};

// Serves each page file under its own address (page_url.h), read as it stands, and the
// script that holds it.
class PageFiles final : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        const QString token = QUrlQuery(job->requestUrl()).queryItemValue(holdKey);
        if (!token.isEmpty()) {
            held->hold(job, token);
            return;
        }
        const std::optional<ServedPage> page = servedPage(job->requestUrl());
        QFile file(page ? page->file : QString());
        if (!page || !file.open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        if (heldBackPage(job->requestUrl()))
            noteReadableFolders(job->requestUrl(), page->readableFolders);
        const QString pageToken = QUuid::createUuid().toString(QUuid::WithoutBraces);
        held->waiting.insert(pageToken, nullptr);
        const QByteArray script = "<script src=\"" + holdAddress(job->requestUrl(), pageToken) +
                                  "\"></script>";
        auto *body = new PageBody(heldAfterFirstRows(file.readAll(), page->base, script),
                                  [held = held, pageToken] { held->release(pageToken); }, job);
        watchForStall(body, pageToken);
        job->reply("text/html", body);
    }

private:
    // The page as served: its base and connection policy in its head, and the script that
    // holds it after its first rows, or where its head begins when no row ends there.
    static QByteArray heldAfterFirstRows(QByteArray page, const QUrl &base, const QByteArray &script)
    {
        page = inAsciiCompatibleEncoding(std::move(page)); // its rows are found as markup
        const qsizetype rowsEnd = firstRowsEnd(page, firstRowsBytes);
        if (rowsEnd < 0)
            return withConnectionPolicy(withBase(std::move(page), base, script));
        page.reserve(page.size() + script.size() + (4 << 10)); // it grows in place
        page.insert(rowsEnd, script); // past the head, where base and policy go in
        return withConnectionPolicy(withBase(std::move(page), base));
    }

    // Answers the held script once the engine reads no more of the held page.
    void watchForStall(PageBody *body, const QString &token)
    {
        auto *watch = new QTimer(body);
        watch->setInterval(stalledMs / 2);
        QObject::connect(watch, &QTimer::timeout, body, [held = held, body, watch, token] {
            if (!held->waiting.contains(token))
                watch->stop();
            else if (held->holds(token) && body->stalledFor(stalledMs))
                held->release(token);
        });
        watch->start();
    }

    // An address of the page's own origin that names the token.
    static QByteArray holdAddress(const QUrl &page, const QString &token)
    {
        QUrl address = page.adjusted(QUrl::RemovePath | QUrl::RemoveQuery);
        address.setPath(QStringLiteral("/"));
        address.setQuery(QUrlQuery{{holdKey, token}});
        return address.toEncoded();
    }

    std::shared_ptr<HeldScripts> held = std::make_shared<HeldScripts>();
};

// The file a local file's address names, every link in its path resolved, when it is served:
// a regular file, asked for by a page, and by a page held back from the web only from the
// page's folders; asked for across origins (naming its origin, as every request whose answer
// a script could read does) only when it is a font, which the engine asks for so. "" when it
// is not served.
QString servedFile(const QWebEngineUrlRequestJob *job)
{
    const QUrl page = job->initiator();
    const QFileInfo file(QFileInfo(localFilePath(job->requestUrl())).canonicalFilePath());
    if (page.scheme() != QLatin1String(pageScheme) || !file.isFile())
        return QString();
    if (heldBackPage(page) && !inReadableFolders(page, file.filePath())) {
        emit heldBackRequests().refused(page, page, false);
        return QString();
    }
    const bool acrossOrigins = job->requestHeaders().contains("Origin");
    if (acrossOrigins && !QMimeDatabase()
                              .mimeTypeForFile(file.filePath(), QMimeDatabase::MatchContent)
                              .name()
                              .startsWith(QLatin1String("font/")))
        return QString();
    return file.filePath();
}

// Serves the local files a page names, read as they stand.
class LocalFiles final : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;

    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        const QString path = servedFile(job);
        auto *file = new QFile(path, job);
        if (path.isEmpty() || !file->open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        const QString named = localFilePath(job->requestUrl()); // its type goes by its name
        job->reply(QMimeDatabase().mimeTypeForFile(named).name().toUtf8(), file);
    }
};

} // namespace

void servePageFiles(QWebEngineProfile *profile)
{
    if (!profile->urlSchemeHandler(pageScheme))
        profile->installUrlSchemeHandler(pageScheme, new PageFiles(profile));
}

void serveLocalFiles(QWebEngineProfile *profile)
{
    if (!profile->urlSchemeHandler(fileScheme))
        profile->installUrlSchemeHandler(fileScheme, new LocalFiles(profile));
}
