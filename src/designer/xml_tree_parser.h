#pragma once

#include "designer/xml_tree.h"

#include <QString>
#include <functional>
#include <memory>

// Why a document did not load, as the "Error in XML file:" message tells it.
struct XmlLoadError {
    QString file;       // the document's path
    QString sourceText; // the line of the file where the parser stopped
    QString reason;
    int line = 0;
    qint64 filePos = 0; // characters before the error point, counted from the file's start
};

struct XmlTreeParse {
    std::shared_ptr<const XmlTree> tree; // null when the document did not load
    XmlLoadError error;
};

// Percent of the file read so far; called on the parsing thread.
using XmlParseProgress = std::function<void(int percent)>;

// Parses the file into its XML tree, the document node captioned documentCaption. No
// network, no external DTD, entity references kept as such; whitespace-only text is
// dropped. Safe to run on any thread.
XmlTreeParse parseXmlTree(const QString &path, const QString &documentCaption,
                          const XmlParseProgress &progress = {});

// The composite message shown for a document that did not load.
QString xmlErrorMessage(const XmlLoadError &error);
