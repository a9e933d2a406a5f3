#include "platform/xslt_page_stream.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <libxslt/imports.h>
#include <libxslt/xsltutils.h>

#include <algorithm>
#include <cstring>

bool plainHtmlOutput(xsltStylesheetPtr style)
{
    const xmlChar *method = nullptr;
    const xmlChar *doctypePublic = nullptr;
    const xmlChar *doctypeSystem = nullptr;
    const xmlChar *version = nullptr;
    XSLT_GET_IMPORT_PTR(method, style, method);
    XSLT_GET_IMPORT_PTR(doctypePublic, style, doctypePublic);
    XSLT_GET_IMPORT_PTR(doctypeSystem, style, doctypeSystem);
    XSLT_GET_IMPORT_PTR(version, style, version);
    return method && xmlStrEqual(method, BAD_CAST "html") && !doctypePublic && !doctypeSystem &&
           !version && !style->cdataSection;
}

namespace {

// Stands for an element's children while its start and end tags are written.
constexpr char splitText[] = "tarvik-page-split";

bool textLike(const xmlNode *node)
{
    return node->type == XML_TEXT_NODE || node->type == XML_ENTITY_REF_NODE;
}

bool named(const xmlNode *node, const char *name)
{
    return node->type == XML_ELEMENT_NODE && node->name && xmlStrcasecmp(node->name, BAD_CAST name) == 0;
}

// What the html serializer knows of the element; none for one in a namespace.
const htmlElemDesc *describe(const xmlNode *element)
{
    return element->type == XML_ELEMENT_NODE && !element->ns ? htmlTagLookup(element->name) : nullptr;
}

// The serializer's own rule: a line break around the element's content and after its end
// tag only for a block element whose name (or parent's) does not begin with "p" (p, pre,
// param).
bool breaksLines(const xmlNode *element, int format)
{
    const htmlElemDesc *info = describe(element);
    return format && info && !info->isinline;
}

bool notP(const xmlNode *node) { return node && node->name && node->name[0] != 'p'; }

int appendText(void *context, const char *piece, int length)
{
    static_cast<std::string *>(context)->append(piece, std::size_t(length));
    return length;
}

// The document taken for an html one while it is written, as the serializer takes it.
class AsHtml {
public:
    explicit AsHtml(xmlDocPtr doc) : doc(doc), type(doc->type) { doc->type = XML_HTML_DOCUMENT_NODE; }
    ~AsHtml() { doc->type = type; }
    AsHtml(const AsHtml &) = delete;
    AsHtml &operator=(const AsHtml &) = delete;

private:
    xmlDocPtr doc;
    xmlElementType type;
};

} // namespace

// The page's bytes as they are serialized, counted against the run's memory bound.
struct PageStream::Bytes {
    XsltRunWatch &watch;
    QByteArray page;

    static int append(void *context, const char *piece, int length)
    {
        auto *bytes = static_cast<Bytes *>(context);
        const qsizetype before = bytes->page.capacity();
        if (bytes->page.size() + length > before && !bytes->watch.admit(std::size_t(length) + before))
            return -1;
        bytes->page.append(piece, length);
        bytes->watch.counted(bytes->page.capacity() - before);
        return length;
    }
    void insertNewline(qsizetype at)
    {
        const qsizetype before = page.capacity();
        page.insert(at, '\n');
        watch.counted(page.capacity() - before);
    }
};

// An element whose start tag is written (or the document itself, outermost).
struct PageStream::Level {
    xmlNodePtr node;
    std::string endTag;
    int children = 0; // written, or begun
    qsizetype lineBreakAt = -1; // the break after the start tag, if a second child comes
    xmlNodePtr closed = nullptr; // a child written up to its end tag, until its next sibling comes
};

// Where a loop's pass ends: a compiled extension element the transform calls.
struct PageStream::Pass {
    xsltElemPreComp comp; // first: the transform hands its address
    PageStream *stream;
    xmlNodePtr node;
};

PageStream::PageStream(xsltStylesheetPtr style, XsltRunWatch &watch)
    : style(style), bytes(std::make_unique<Bytes>(Bytes{watch, {}}))
{
    XSLT_GET_IMPORT_PTR(encoding, style, encoding);
    XSLT_GET_IMPORT_INT(format, style, indent);
    if (format == -1)
        format = 1;
    xmlCharEncodingHandlerPtr encoder =
        encoding ? xmlFindCharEncodingHandler(reinterpret_cast<const char *>(encoding)) : nullptr;
    if (encoder && xmlStrEqual(BAD_CAST encoder->name, BAD_CAST "UTF-8"))
        encoder = nullptr;
    plain = !encoder && !style->methodURI && plainHtmlOutput(style);
    out = xmlOutputBufferCreateIO(Bytes::append, nullptr, bytes.get(), encoder);
}

PageStream::~PageStream()
{
    for (const std::unique_ptr<Pass> &pass : passes) {
        xmlUnlinkNode(pass->node);
        xmlFreeNode(pass->node);
    }
    if (out)
        xmlOutputBufferClose(out);
    if (splitNode)
        xmlFreeNode(splitNode);
}

void PageStream::writeDuring(const std::vector<xmlNodePtr> &loops)
{
    if (!plain || !out)
        return;
    for (const xmlNodePtr loop : loops) {
        xmlNodePtr node = xmlNewDocNode(loop->doc, nullptr, BAD_CAST "pass-end", nullptr);
        xmlNsPtr ns = node ? xmlNewNs(node, BAD_CAST "urn:tarvik:page-stream", BAD_CAST "page") : nullptr;
        if (!ns) {
            xmlFreeNode(node);
            return;
        }
        xmlSetNs(node, ns);
        auto pass = std::make_unique<Pass>();
        pass->comp.type = XSLT_FUNC_EXTENSION;
        pass->comp.func = atPassEnd;
        pass->comp.inst = node;
        pass->stream = this;
        pass->node = node;
        node->psvi = &pass->comp;
        xmlAddChild(loop, node);
        passes.push_back(std::move(pass));
    }
}

void PageStream::atPassEnd(xsltTransformContextPtr ctxt, xmlNodePtr, xmlNodePtr, xsltElemPreCompPtr comp)
{
    reinterpret_cast<Pass *>(comp)->stream->write(ctxt);
}

void PageStream::write(xsltTransformContextPtr ctxt)
{
    xmlNodePtr insert = ctxt->insert;
    xmlDocPtr output = ctxt->output;
    // Only when the transform writes into the result tree itself, not into a variable's
    // value or an attribute's.
    if (!insert || !output || insert->doc != output || (started && output != doc))
        return;
    pathScratch.clear();
    xmlNodePtr node = insert;
    for (; node && node->type == XML_ELEMENT_NODE; node = node->parent)
        pathScratch.push_back(node);
    if (node != reinterpret_cast<xmlNodePtr>(output))
        return;
    std::reverse(pathScratch.begin(), pathScratch.end());
    const AsHtml asHtml(output);
    if (!started) {
        if (!metaEncodingSettled(output))
            return;
        htmlSetMetaEncoding(output, encoding ? encoding : BAD_CAST "UTF-8");
        started = true;
        doc = output;
        levels.push_back(Level{reinterpret_cast<xmlNodePtr>(output), {}});
    }
    writeTo(pathScratch);
    // The transform may append to the content of the last text node it wrote, which may be gone.
    ctxt->lasttext = nullptr;
    ctxt->lasttsize = 0;
    ctxt->lasttuse = 0;
}

// The serializer puts the encoding into the head's meta elements first: that is settled once
// the head it changes is complete.
bool PageStream::metaEncodingSettled(xmlDocPtr output) const
{
    xmlNodePtr html = output->children;
    for (; html && !named(html, "html"); html = html->next)
        if (named(html, "head") || named(html, "meta"))
            return false;
    for (xmlNodePtr node = html ? html->children : nullptr; node; node = node->next) {
        if (named(node, "head"))
            return std::find(pathScratch.begin(), pathScratch.end(), node) == pathScratch.end();
        if (named(node, "meta"))
            return false;
    }
    return false;
}

// Writes what can no longer change while the elements of the path (outermost first) are
// still being built; every node once written is freed.
void PageStream::writeTo(const std::vector<xmlNodePtr> &path)
{
    std::size_t kept = 1;
    while (kept < levels.size() && kept <= path.size() && levels[kept].node == path[kept - 1])
        ++kept;
    while (levels.size() > kept)
        close();
    for (;;) {
        Level &level = levels.back();
        const xmlNodePtr open = levels.size() <= path.size() ? path[levels.size() - 1] : nullptr;
        dropClosed(level);
        xmlNodePtr child = level.node->children;
        while (child && child != level.closed && child->next && child != open) {
            const xmlNodePtr next = child->next;
            writeChild(level, child);
            child = next;
        }
        const htmlElemDesc *info = open ? describe(open) : nullptr;
        if (child != open || !open->children || (info && info->empty) || !beginElement(open))
            return;
    }
}

// The start tag of the element being built, its children to come.
bool PageStream::beginElement(xmlNodePtr element)
{
    if (!splitNode && !(splitNode = xmlNewText(BAD_CAST splitText)))
        return false;
    xmlNodePtr children = element->children;
    xmlNodePtr last = element->last;
    element->children = element->last = splitNode;
    splitNode->parent = element;
    std::string tags;
    xmlOutputBufferPtr tagOut = xmlOutputBufferCreateIO(appendText, nullptr, &tags, nullptr);
    if (tagOut) {
        htmlNodeDumpFormatOutput(tagOut, doc, element, nullptr, format);
        xmlOutputBufferClose(tagOut);
    }
    element->children = children;
    element->last = last;
    splitNode->parent = nullptr;
    const std::size_t at = tags.rfind(splitText);
    if (at == std::string::npos)
        return false;
    Level &parent = levels.back();
    startChild(parent, element, true);
    xmlOutputBufferWrite(out, int(at), tags.data());
    levels.push_back(Level{element, tags.substr(at + std::strlen(splitText))});
    return true;
}

// Before the first child: the line break after the start tag, decided now when more
// children follow, else, for a child begun, left open until the element is complete.
void PageStream::startChild(Level &level, xmlNodePtr child, bool begun)
{
    const xmlNodePtr element = level.node;
    if (level.children++ > 0 || element->type != XML_ELEMENT_NODE || !breaksLines(element, format) ||
        textLike(child) || !notP(element))
        return;
    if (child->next)
        newline();
    else if (begun)
        level.lineBreakAt = writtenSize();
}

void PageStream::writeChild(Level &level, xmlNodePtr child)
{
    dropClosed(level);
    startChild(level, child, false);
    htmlNodeDumpFormatOutput(out, doc, child, nullptr, format);
    xmlUnlinkNode(child);
    xmlFreeNode(child);
}

// The closed child's line break, once what follows it is known, and the child itself.
void PageStream::dropClosed(Level &level)
{
    xmlNodePtr closed = level.closed;
    if (!closed || !closed->next)
        return;
    if (breaksLines(closed, format) && !textLike(closed->next) && notP(level.node))
        newline();
    level.closed = nullptr;
    xmlUnlinkNode(closed);
    xmlFreeNode(closed);
}

// The innermost element is complete: the rest of its children and its end tag.
void PageStream::close()
{
    Level &level = levels.back();
    const xmlNodePtr element = level.node;
    int children = level.children;
    for (xmlNodePtr child = element->children; child; child = child->next)
        children += child != level.closed;
    const bool several = children > 1;
    const bool lastTextLike = element->last && textLike(element->last);
    if (level.lineBreakAt >= 0 && several) {
        xmlOutputBufferFlush(out);
        bytes->insertNewline(level.lineBreakAt);
    }
    while (xmlNodePtr child = element->children) {
        if (child != level.closed) {
            writeChild(level, child);
        } else if (child->next) {
            dropClosed(level);
        } else {
            level.closed = nullptr;
            xmlUnlinkNode(child);
            xmlFreeNode(child);
        }
    }
    if (element->type != XML_ELEMENT_NODE) {
        newline(); // the document's end
        levels.pop_back();
        return;
    }
    if (breaksLines(element, format) && !lastTextLike && several && notP(element))
        newline();
    xmlOutputBufferWrite(out, int(level.endTag.size()), level.endTag.data());
    levels.pop_back();
    levels.back().closed = element;
}

qsizetype PageStream::writtenSize()
{
    xmlOutputBufferFlush(out);
    return bytes->page.size();
}

QByteArray PageStream::finish(xmlDocPtr result)
{
    if (!out)
        return {};
    bool written = true;
    if (started && result == doc) {
        const AsHtml asHtml(result);
        while (!levels.empty())
            close();
    } else {
        written = !started && xsltSaveResultTo(out, result, style) >= 0;
    }
    const bool closed = xmlOutputBufferClose(out) >= 0;
    out = nullptr;
    return closed && written ? std::move(bytes->page) : QByteArray();
}
