#include "platform/pages/page_url.h"

#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QDir>
#include <QStringConverter>
#include <QStringList>
#include <QUrlQuery>

namespace {

const QString pageKey = QStringLiteral("page");
const QString readKey = QStringLiteral("read");
constexpr qsizetype headLength = 1 << 16; // where a page's base element is looked for

// A key of this run of the program: an address of a page file cannot be made up outside
// it, so a page's link reaches no other file through the page scheme.
const QByteArray &addressKey()
{
    static const QByteArray key = [] {
        QByteArray bytes(32, Qt::Uninitialized);
        QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(bytes.data()),
                                              bytes.size() / int(sizeof(quint32)));
        return bytes;
    }();
    return key;
}

// The first letter of the host of a page held back from the web, and of any other.
constexpr char heldBackMark = 'r';
constexpr char webMark = 'p';

// The host of a page file's addresses: its own origin, the same on every render. Whether
// the page is held back from the web, and the folders it then reads from, are part of it,
// so no page makes up another address.
QString hostOf(const QString &pageFile, bool heldBack, const QStringList &readableFolders)
{
    const char mark = heldBack ? heldBackMark : webMark;
    QByteArray named = pageFile.toUtf8() + mark;
    for (const QString &folder : readableFolders)
        named += '\0' + folder.toUtf8();
    return QChar::fromLatin1(mark) +
           QString::fromLatin1(QMessageAuthenticationCode::hash(named, addressKey(),
                                                                QCryptographicHash::Sha256)
                                   .toHex()
                                   .left(32));
}

// Where the first start tag of that name is: "<head" of "<header>" is none.
qsizetype startTag(const QByteArray &lower, const QByteArray &tag)
{
    for (qsizetype at = lower.indexOf(tag); at >= 0; at = lower.indexOf(tag, at + 1)) {
        const char next = at + tag.size() < lower.size() ? lower.at(at + tag.size()) : '>';
        if (next == '>' || next == '/' || QChar::isSpace(uchar(next)))
            return at;
    }
    return -1;
}

// Where a base element goes: after the head's start tag, else after the html start tag,
// else after the doctype, else at the very start.
qsizetype baseAt(const QByteArray &lower)
{
    for (const QByteArray tag : {"<head", "<html", "<!doctype"}) {
        const qsizetype start = startTag(lower, tag);
        if (start >= 0) {
            const qsizetype end = lower.indexOf('>', start);
            return end < 0 ? -1 : end + 1;
        }
    }
    return 0;
}

// Where the policy goes: first in the page, after a byte order mark and a doctype.
qsizetype policyAt(const QByteArray &lower)
{
    qsizetype at = lower.startsWith("\xef\xbb\xbf") ? 3 : 0;
    while (at < lower.size() && QChar::isSpace(uchar(lower.at(at))))
        ++at;
    const qsizetype end = lower.indexOf('>', at);
    return lower.mid(at).startsWith("<!doctype") && end >= 0 ? end + 1 : at;
}

} // namespace

QUrl pageUrl(const QString &pageFile, const QString &baseFolder, bool heldBackFromWeb,
             const QStringList &readableFolders)
{
    QUrl url;
    url.setScheme(QLatin1String(pageScheme));
    url.setPath(QDir::cleanPath(baseFolder) + u'/');
    QUrlQuery query;
    query.addQueryItem(pageKey, QString::fromLatin1(QUrl::toPercentEncoding(pageFile)));
    QStringList folders;
    if (heldBackFromWeb)
        for (const QString &folder : readableFolders) {
            query.addQueryItem(readKey, QString::fromLatin1(QUrl::toPercentEncoding(folder)));
            folders.append(folder);
        }
    url.setHost(hostOf(pageFile, heldBackFromWeb, folders));
    url.setQuery(query);
    return url;
}

std::optional<ServedPage> servedPage(const QUrl &url)
{
    const QUrlQuery query(url);
    const QString file = query.queryItemValue(pageKey, QUrl::FullyDecoded);
    const bool heldBack = heldBackPage(url);
    const QStringList folders =
        heldBack ? query.allQueryItemValues(readKey, QUrl::FullyDecoded) : QStringList();
    if (url.scheme() != QLatin1String(pageScheme) || file.isEmpty() ||
        url.host() != hostOf(file, heldBack, folders))
        return std::nullopt;
    const QString base = url.path();
    return ServedPage{file, localFileUrl(base),
                      heldBack ? QStringList{QDir::cleanPath(base)} + folders : QStringList()};
}

QUrl localFileUrl(const QString &path)
{
    QUrl url = QUrl::fromLocalFile(path);
    url.setScheme(QLatin1String(fileScheme));
    url.setHost(QStringLiteral("local"));
    return url;
}

QString localFilePath(const QUrl &url)
{
    return url.scheme() == QLatin1String(fileScheme) ? url.path(QUrl::FullyDecoded) : QString();
}

bool heldBackPage(const QUrl &url)
{
    return url.scheme() == QLatin1String(pageScheme) && url.host().startsWith(heldBackMark);
}

bool refusedAsWeb(const QUrl &initiator, const QUrl &firstParty, const QUrl &request)
{
    if (!heldBackPage(initiator) && !heldBackPage(firstParty))
        return false;
    static const QStringList local{QLatin1String(pageScheme), QLatin1String(fileScheme),
                                   QStringLiteral("file"),
                                   QStringLiteral("data"), QStringLiteral("blob")};
    return !local.contains(request.scheme());
}

QByteArray inAsciiCompatibleEncoding(QByteArray page)
{
    const bool bigEndian = page.startsWith("\xfe\xff");
    if (!bigEndian && !page.startsWith("\xff\xfe"))
        return page;
    // Read as the engine reads it: the mark decides, and what is no character is U+FFFD.
    QStringDecoder wide(bigEndian ? QStringConverter::Utf16BE : QStringConverter::Utf16LE);
    QStringEncoder utf8(QStringConverter::Utf8, QStringConverter::Flag::WriteBom);
    return utf8.encode(wide.decode(page));
}

QByteArray withBase(QByteArray page, const QUrl &base, const QByteArray &headElements)
{
    page = inAsciiCompatibleEncoding(std::move(page));
    const QByteArray lower = page.left(headLength).toLower();
    const QByteArray ownBase = lower.contains("<base") ? QByteArray()
                                                       : "<base href=\"" + base.toEncoded() + "\">";
    const qsizetype at = baseAt(lower);
    if (at >= 0)
        page.insert(at, ownBase + headElements);
    return page;
}

QByteArray withConnectionPolicy(QByteArray page)
{
    page = inAsciiCompatibleEncoding(std::move(page));
    const QByteArray lower = page.left(headLength).toLower();
    page.insert(policyAt(lower), "<meta http-equiv=\"Content-Security-Policy\" "
                                 "content=\"connect-src 'none'\">");
    return page;
}
