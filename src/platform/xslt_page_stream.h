#pragma once

#include "platform/xslt_run_limits.h"

#include <QByteArray>

#include <libxml/xmlIO.h>
#include <libxslt/xsltInternals.h>

#include <memory>
#include <string>
#include <vector>

// The stylesheet writes plain html: method html, without doctype, version or CDATA sections.
bool plainHtmlOutput(xsltStylesheetPtr style);

// The page of one run, serialized as the html output method writes it. For a plain html page
// in UTF-8 the result tree is written while the transform builds it: at the end of each
// pass of the loops it is given, what the transform can no longer change (every node before
// the one being built, on every level) is written and freed, so the tree never holds more
// than a pass or so. The page is byte for byte the one the whole tree gives.
class PageStream {
public:
    PageStream(xsltStylesheetPtr style, XsltRunWatch &watch);
    ~PageStream();
    PageStream(const PageStream &) = delete;
    PageStream &operator=(const PageStream &) = delete;

    // Writes the page at the end of each pass of these loops of the compiled stylesheet.
    // Only for plain html in UTF-8; else the page is written from the whole tree.
    void writeDuring(const std::vector<xmlNodePtr> &loops);
    // The whole page of the finished result tree; empty when it could not be written.
    QByteArray finish(xmlDocPtr result);

private:
    struct Level;
    struct Pass;

    static void atPassEnd(xsltTransformContextPtr ctxt, xmlNodePtr, xmlNodePtr, xsltElemPreCompPtr comp);
    void write(xsltTransformContextPtr ctxt);
    bool metaEncodingSettled(xmlDocPtr output) const;
    void writeTo(const std::vector<xmlNodePtr> &path);
    bool beginElement(xmlNodePtr element);
    void close();
    void writeChild(Level &level, xmlNodePtr child);
    void startChild(Level &level, xmlNodePtr child, bool begun);
    void dropClosed(Level &level);
    void newline() { xmlOutputBufferWrite(out, 1, "\n"); }
    qsizetype writtenSize();

    xsltStylesheetPtr style;
    struct Bytes;
    std::unique_ptr<Bytes> bytes;
    xmlOutputBufferPtr out = nullptr;
    const xmlChar *encoding = nullptr;
    int format = 1;
    bool plain = false; // plain html in UTF-8: the tree may be written as it grows
    bool started = false;
    xmlDocPtr doc = nullptr;
    std::vector<Level> levels; // the elements whose start tags are written, outermost first
    std::vector<xmlNodePtr> pathScratch;
    std::vector<std::unique_ptr<Pass>> passes;
    xmlNodePtr splitNode = nullptr;
};
