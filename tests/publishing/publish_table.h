#pragma once

// A table "books" in slot 0 with its XML file beside it in a fresh data folder, ready to
// be published.

#include "../generator/table_fixture.h"
#include "documents/workspace.h"
#include "publishing/publish_settings.h"
#include "support/file_bytes.h"

#include <QFile>

class PublishTable : public TableFixture {
public:
    explicit PublishTable(const QByteArray &xml = "<books>\r\n<book><title>A</title></book>\r\n</books>\n",
                          const QString &xmlName = QStringLiteral("books.xml"))
        : TableFixture(QStringLiteral("books"), QStringLiteral("/books/book"))
    {
        addColumn(QStringLiteral("title"), QStringLiteral("Text"), QStringLiteral("title"));
        workspace().current().xmlPath = home.file(xmlName);
        QFile file(workspace().current().xmlPath);
        file.open(QIODevice::WriteOnly);
        file.write(xml);
    }
};

// The bytes a server on this system stores for an ASCII upload: line ends become LF.
inline QByteArray storedAsAscii(QByteArray bytes) { return bytes.replace("\r\n", "\n"); }

// Settings with every field set to something other than its default.
inline PublishSettings samplePublishSettings()
{
    PublishSettings s;
    s.sname = QStringLiteral(" ftp.example.org ");
    s.uname = QStringLiteral("user");
    s.sdir = QStringLiteral("www");
    s.password = QStringLiteral(" p") + QChar(0xff) + QStringLiteral(" ");
    s.proxyname = QStringLiteral("proxy:3128");
    s.bypassproxy = QStringLiteral("local");
    s.passivemode = 0;
    s.dontx = 1;
    s.preview = QStringLiteral("http://example.org/");
    s.currSource = QStringLiteral("http://example.org/feed.xml");
    return s;
}
