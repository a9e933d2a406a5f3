#pragma once

#include <QString>

// XSLT 1.0 in process on libxml2 / libxslt / libexslt.
//
// Every transform runs with security preferences that refuse writing files, creating
// folders and writing to the network; input documents are parsed without network access
// and without expanding entities. EXSLT is available, and "node-set" answers in the
// namespace "urn:schemas-microsoft-com:xslt" as well.

struct XsltOutcome {
    enum class Failure { None, XmlDocument, XslDocument, Transform };

    Failure failure = Failure::None;
    QString output; // the serialized result; "" after a failure
    QString reason; // libxml2's / libxslt's description of the failure
};

// Runs the stylesheet text over the XML file. The stylesheet is parsed from memory as if
// it were the file baseUri (a path), so relative imports and document() calls resolve
// from that file's folder.
XsltOutcome runXslt(const QString &xmlPath, const QString &xslText, const QString &baseUri);
