#pragma once

// A table "books" in slot 0 with its XML file beside it in a fresh data folder, ready to
// be published.

#include "../generator/table_fixture.h"
#include "documents/workspace.h"
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
