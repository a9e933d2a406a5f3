#pragma once

#include "platform/xslt/xslt_run_limits.h"

#include <QByteArray>

#include <libxml/xmlIO.h>
#include <libxslt/xsltInternals.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

// The stylesheet writes plain html: method html, without doctype, version or CDATA sections.
bool plainHtmlOutput(xsltStylesheetPtr style);

// The page of one run, serialized as the html output method writes it. For a plain html page
// in UTF-8 the result tree is written while the transform builds it: at the end of each
// pass of the loops it is given, what the transform can no longer change (every node before
// the one being built, on every level) is taken out of the tree and serialized on a thread
// of its own, then freed, so the tree never holds more than a few passes and serializing
// overlaps the transform. The page is byte for byte the one the whole tree gives.
class PageStream {
public:
    PageStream(xsltStylesheetPtr style, XsltRunWatch &watch);
    ~PageStream();
    PageStream(const PageStream &) = delete;
    PageStream &operator=(const PageStream &) = delete;

    // Writes the page at the end of each pass of these loops of the compiled stylesheet.
    // Only for plain html in UTF-8; else the page is written from the whole tree.
    void writeDuring(const std::vector<xmlNodePtr> &loops);
    // The page has been written as the tree grew.
    bool writtenAsItGrew() const { return started; }
    // The whole page of the finished result tree; empty when it could not be written.
    QByteArray finish(xmlDocPtr result);

private:
    struct Level;
    struct Pass;
    struct Bytes;
    struct Writer;
    struct Step;
    struct Namespaces;

    static void atPassEnd(xsltTransformContextPtr ctxt, xmlNodePtr, xmlNodePtr, xsltElemPreCompPtr comp);
    void write(xsltTransformContextPtr ctxt);
    bool start(xmlDocPtr output);
    enum class Settled { Yes, NotYet, Never };
    Settled metaEncodingSettled(xmlDocPtr output) const;
    void writeTo(const std::vector<xmlNodePtr> &path);
    bool beginElement(xmlNodePtr element);
    void close();
    void writeChild(Level &level, xmlNodePtr child);
    void startChild(Level &level, xmlNodePtr child, bool begun);
    void dropClosed(Level &level);
    void release(const Level &level, xmlNodePtr node);
    void endWriter();
    void text(std::string written);
    void hand(bool all);
    void countPage();
    void freeWritten(std::vector<xmlNodePtr> &nodes);

    xsltStylesheetPtr style;
    XsltRunWatch &watch;
    std::unique_ptr<Bytes> bytes;
    xmlOutputBufferPtr out = nullptr;
    const xmlChar *encoding = nullptr;
    int format = 1;
    bool plain = false; // plain html in UTF-8, its head first: the tree may be written as it grows
    bool started = false;
    xmlDocPtr doc = nullptr;
    // Holds what is taken out of the tree until it is freed, and is the html document the
    // serializer is given: a run that fails frees the result tree before the page is done.
    xmlDocPtr holder = nullptr;
    xmlNsPtr holderXmlNs = nullptr;
    std::vector<Level> levels; // the elements whose start tags are written, outermost first
    struct Parent {
        xmlNode node;
        std::string name;
    };
    std::deque<Parent> parents; // what the serializer sees as the parent of a node taken out
    xmlNode textAfter{}, elementAfter{}; // what it sees after one
    std::deque<Namespaces> namespaces; // of each level
    std::vector<xmlNsPtr> namespaceCopies;
    std::vector<xmlNodePtr> pathScratch;
    std::vector<std::unique_ptr<Pass>> passes;
    xmlNodePtr splitNode = nullptr;
    std::vector<Step> steps; // to hand to the writer
    std::size_t nodesInSteps = 0;
    int lineBreaks = 0;
    qint64 pageCounted = 0;
    std::unique_ptr<Writer> writer;
};
