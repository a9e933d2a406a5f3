#include "platform/pages/page_first_rows.h"
#include "platform/pages/page_url.h"

#include <QCryptographicHash>
#include <QUrlQuery>
#include <gtest/gtest.h>

// A page's address leads to its own page file only: an address made up for another file,
// or with the plain hash of a file's name as its host, serves nothing.
TEST(PageUrl, OnlyAddressesOfThisRunServeTheirPage)
{
    const QString page = QStringLiteral("/data/pages 100%41/preview-1.html");
    const QUrl url = pageUrl(page, QStringLiteral("/xml/folder"));
    const auto served = servedPage(url);
    ASSERT_TRUE(served);
    EXPECT_EQ(served->file, page);
    EXPECT_EQ(served->base, QUrl(QStringLiteral("tarvik-file://local/xml/folder/")));

    const QString secret = QStringLiteral("/home/u/.ssh/id_rsa");
    for (const QString &host :
         {url.host(), QStringLiteral("p") +
                          QString::fromLatin1(QCryptographicHash::hash(
                              secret.toUtf8(), QCryptographicHash::Sha256)
                                                  .toHex()
                                                  .left(32))}) {
        QUrl forged = url;
        forged.setHost(host);
        QUrlQuery query;
        query.addQueryItem(QStringLiteral("page"), secret);
        forged.setQuery(query);
        EXPECT_FALSE(servedPage(forged)) << host.toStdString();
    }
}

// The base goes after the head's start tag, never into an element whose name begins alike.
TEST(PageUrl, TheBaseFollowsTheHeadOrHtmlStartTag)
{
    const QUrl base = QUrl::fromLocalFile(QStringLiteral("/xml/"));
    const QByteArray element = "<base href=\"file:///xml/\">";
    const struct {
        QByteArray page;
        QByteArray expected;
    } cases[] = {
        {"<html><head><title>t</title>", "<html><head>" + element + "<title>t</title>"},
        {"<html lang=en><body><header>h</header>",
         "<html lang=en>" + element + "<body><header>h</header>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(withBase(c.page, base), c.expected) << c.page.toStdString();
}

// A page is held just after the first row that ends at or past the point asked for, where a
// script's tag is read as markup: never in a comment, an attribute, a script's or textarea's
// text (a script's "<!--<script>" text too), a template (nested too), SVG or its CDATA. "|"
// marks the hold.
TEST(PageUrl, APageIsHeldAfterARowReadAsMarkup)
{
    const QByteArray pages[] = {
        "<table><tr><td>v</td></tr>|<tr><td>w</td></tr>",
        "<table><!-- </tr> --><tr><td>v</td></tr>|",
        "<table><tr title='</tr>'><td>a</td></tr>|<tr></tr>",
        "<script>var s = '</tr>';</script><table><tr></TR >|",
        "<textarea></tr></TEXTAREA><table><tr></tr>|",
        "<template><table></tr></table></template><table><tr></tr>|",
        "<template><template></template></tr><script>'</template>'</script></template><tr></tr>|",
        "<svg><foreignObject><table></tr></table></foreignObject></svg><table><tr></tr>|",
        "<script>var s = '</scripts></tr>';</script><table><tr></tr>|",
        "<!--><table><tr></tr>|",
        "<td title=don't><script>//'></tr></script><table><tr></tr>|",
        "<plaintext><table><tr></tr>",
        "<select><style></select><script>'</style></tr>'</script><table><tr></tr>",
        "<style\v><script>'</style></tr>'</script><table><tr></tr>|",
        "<td>a<1<script>var s = '</tr>';</script><table><tr></tr>|",
        "<!-- a --!><script>while (n-->0) s += '</tr>';</script><table><tr></tr>|",
        "<script><!--<script></script></tr>--></script><table><tr></tr>|",
        "<svg a=b/><text></tr></text></svg><table><tr></tr>|",
        "<svg><![CDATA[ a > b ]]></tr></svg><table><tr></tr>|",
        "<svg><b><![CDATA[ x > <script> ]]></svg></tr></script><table><tr></tr>",
        "<svg><title>i</title></svg><math></svg></tr></math><table><tr></tr>|",
        "<svg><desc><script>'</svg></tr>'</script></desc></svg><table><tr></tr>",
        "<table><tr></tr title='>'>|<tr></tr>",
        "<table><tr><td>\x1b$B</TR>\x1b(B</td></tr><tr></tr>", // kanji in ISO-2022-JP
    };
    for (const QByteArray &marked : pages) {
        QByteArray page = marked;
        const qsizetype hold = page.indexOf('|');
        page.replace("|", "");
        EXPECT_EQ(firstRowsEnd(page, 1), hold) << marked.toStdString();
    }
    const QByteArray rows = "<table><tr></tr><tr></tr>";
    EXPECT_EQ(firstRowsEnd(rows, 17), rows.size()) << "a row ending past the point";
}
