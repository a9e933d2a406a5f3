#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

// Pages are shown from addresses of their own scheme, one origin per page file, so that
// every other local file is cross-origin to the page's scripts. The address names the page
// file and the folder its relative URLs resolve from (the XML document's folder). The local
// files a page names load from addresses of a second scheme, one origin for them all, which
// answers a cross-origin request for a font only: a page shows them but its scripts read none.

inline constexpr char pageScheme[] = "tarvik-page";
inline constexpr char fileScheme[] = "tarvik-file";

// The address of the page file, its relative URLs resolved from baseFolder. A page held
// back from the web has addresses (and an origin) of its own, for each set of folders its
// local files may come from: baseFolder and readableFolders.
QUrl pageUrl(const QString &pageFile, const QString &baseFolder, bool heldBackFromWeb = false,
             const QStringList &readableFolders = {});

struct ServedPage {
    QString file; // the page file
    QUrl base;    // the address its relative URLs resolve from (localFileUrl)
    // Of a page held back from the web, the folders its local files may come from; empty
    // for any other page, which loads every local file it names.
    QStringList readableFolders;
};
// The page an address of pageUrl names; nullopt for any other address.
std::optional<ServedPage> servedPage(const QUrl &url);

// The address of a local file (or folder, ending in '/') for a page, and the path it names.
QUrl localFileUrl(const QString &path);
QString localFilePath(const QUrl &url);

// Whether the address is of a page held back from the web.
bool heldBackPage(const QUrl &url);

// Whether a request is refused because the page that makes it (its initiator's origin or
// the page of its top frame) is held back from the web: everything but page files, local
// files, data: and blob: URLs is.
bool refusedAsWeb(const QUrl &initiator, const QUrl &firstParty, const QUrl &request);

// The page's bytes in an encoding the engine reads as ASCII-based: a page that starts with
// a UTF-16 byte order mark, which the engine reads as UTF-16 whatever else it says, comes
// back in UTF-8 behind a UTF-8 byte order mark, which the engine takes just as surely; any
// other page comes back as it is, read by the engine in an encoding whose ASCII bytes are
// ASCII (others it does not read into markup) up to the first escape of a stateful one
// (ISO-2022-JP), so what goes in below, at the page's head, is read as written.
QByteArray inAsciiCompatibleEncoding(QByteArray page);

// The page's bytes (inAsciiCompatibleEncoding) with a base element that resolves its relative URLs from
// base (unless the page names a base of its own), followed by headElements, where the
// head's first element goes.
QByteArray withBase(QByteArray page, const QUrl &base, const QByteArray &headElements = {});

// The page's bytes (inAsciiCompatibleEncoding) with a policy that lets none of its scripts, nor the
// workers they start, open a connection (fetch, XHR, WebSocket, WebTransport, beacons),
// placed before anything else the page holds.
QByteArray withConnectionPolicy(QByteArray page);
