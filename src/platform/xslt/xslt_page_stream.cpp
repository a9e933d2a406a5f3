#include "platform/xslt/xslt_page_stream.h"

#include "platform/heap_setup.h"

#include <libxml/HTMLparser.h>
#include <libxml/HTMLtree.h>
#include <libxslt/imports.h>
#include <libxslt/xsltutils.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

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
// Nodes taken out of the tree wait this long for the writer before the transform does.
constexpr std::size_t nodesWaiting = 4096;
// They are handed to the writer this many at a time.
constexpr std::size_t nodesAtOnce = 64;

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

// The page's bytes as they are serialized: counted against the run's memory bound as they
// come while the whole tree is written, else by the transform as it hands on more.
struct PageStream::Bytes {
    XsltRunWatch *watch;
    QByteArray page;
    std::atomic<qint64> capacity{0};

    static int append(void *context, const char *piece, int length)
    {
        auto *bytes = static_cast<Bytes *>(context);
        const qsizetype before = bytes->page.capacity();
        if (bytes->watch && bytes->page.size() + length > before &&
            !bytes->watch->admit(std::size_t(length) + before))
            return -1;
        bytes->page.append(piece, length);
        bytes->counted(before);
        return length;
    }
    void counted(qsizetype before)
    {
        if (watch)
            watch->counted(page.capacity() - before);
        else
            capacity.store(page.capacity(), std::memory_order_relaxed);
    }
};

// An element whose start tag is written (or the document itself, outermost).
struct PageStream::Level {
    xmlNodePtr node;
    std::string endTag;
    xmlNodePtr parent; // as the serializer sees it, for a child taken out
    const Namespaces *declared; // by it and the elements above it
    int children = 0; // written, or begun
    int lineBreak = -1; // the break after the start tag, if a second child comes
    xmlNodePtr closed = nullptr; // a child written up to its end tag, until its next sibling comes
};

// Where a loop's pass ends: a compiled extension element the transform calls.
struct PageStream::Pass {
    xsltElemPreComp comp; // first: the transform hands its address
    PageStream *stream;
    xmlNodePtr node;
};

// One step of writing the page: a node to serialize, a node only to free, text, or a place
// for a line break and the line break put there.
struct PageStream::Step {
    xmlNodePtr node = nullptr;
    xmlNsPtr resultXmlNs = nullptr; // the result tree's xml namespace, which the node may use
    const Namespaces *declared = nullptr;
    bool serialize = false;
    std::string text;
    int mark = -1;
    int fill = -1;
};

// Namespaces a node taken out of the tree may use from outside it: those declared by the
// elements being built above it, whose declarations the writer uses instead, as the result
// tree may be gone before it is done.
struct PageStream::Namespaces {
    std::vector<std::pair<xmlNsPtr, xmlNsPtr>> declared; // in the result tree, the writer's
};

namespace {

// The subtree, taken out of the result tree, belongs to the holder from now on: it is
// written and freed after the result tree may be gone.
void adopt(xmlNodePtr root, xmlDocPtr holder, xmlNsPtr resultXmlNs, xmlNsPtr holderXmlNs,
           const std::vector<std::pair<xmlNsPtr, xmlNsPtr>> &declared)
{
    const auto ownNs = [&](xmlNsPtr &ns) {
        if (!ns)
            return;
        if (ns == resultXmlNs)
            ns = holderXmlNs;
        for (const auto &[inTree, own] : declared)
            if (ns == inTree)
                ns = own;
    };
    for (xmlNodePtr node = root;;) {
        node->doc = holder;
        if (node->type == XML_ELEMENT_NODE) {
            ownNs(node->ns);
            for (xmlAttrPtr attr = node->properties; attr; attr = attr->next) {
                attr->doc = holder;
                ownNs(attr->ns);
                for (xmlNodePtr child = attr->children; child; child = child->next)
                    child->doc = holder;
            }
            if (node->children) {
                node = node->children;
                continue;
            }
        }
        while (node != root && !node->next)
            node = node->parent;
        if (node == root)
            return;
        node = node->next;
    }
}

} // namespace

// Serializes what the transform hands on, on a thread of its own, and hands back the nodes
// to free. What it works with alone lies apart from what the transform changes.
struct PageStream::Writer {
    // Shared with the transform, under the mutex.
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<Step> handed;
    std::size_t nodesHanded = 0;
    std::vector<xmlNodePtr> written;
    bool ending = false;
    // The writer's own.
    alignas(64) xmlOutputBufferPtr out;
    xmlDocPtr holder;
    xmlNsPtr holderXmlNs;
    int format;
    Bytes *bytes;
    std::vector<qsizetype> marks;
    std::thread thread;

    Writer(xmlOutputBufferPtr out, xmlDocPtr holder, xmlNsPtr holderXmlNs, int format, Bytes *bytes)
        : out(out), holder(holder), holderXmlNs(holderXmlNs), format(format), bytes(bytes)
    {
    }

    void take(std::vector<Step> &steps, std::vector<xmlNodePtr> &done)
    {
        for (Step &step : steps) {
            if (step.node)
                adopt(step.node, holder, step.resultXmlNs, holderXmlNs, step.declared->declared);
            if (step.serialize) {
                htmlNodeDumpFormatOutput(out, holder, step.node, nullptr, format);
            } else if (step.mark >= 0 || step.fill >= 0) {
                xmlOutputBufferFlush(out);
                if (step.mark >= 0) {
                    marks.resize(std::max(marks.size(), std::size_t(step.mark) + 1));
                    marks[std::size_t(step.mark)] = bytes->page.size();
                } else {
                    const qsizetype before = bytes->page.capacity();
                    bytes->page.insert(marks[std::size_t(step.fill)], '\n');
                    bytes->counted(before);
                }
            } else if (!step.node) {
                xmlOutputBufferWrite(out, int(step.text.size()), step.text.data());
            }
            if (step.node)
                done.push_back(step.node);
        }
        steps.clear();
    }

    void run()
    {
        std::vector<Step> steps;
        std::vector<xmlNodePtr> done;
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [this] { return !handed.empty() || ending; });
            if (handed.empty())
                return;
            steps.swap(handed);
            nodesHanded = 0;
            lock.unlock();
            take(steps, done);
            lock.lock();
            written.insert(written.end(), done.begin(), done.end());
            done.clear();
            changed.notify_all();
        }
    }
};

PageStream::PageStream(xsltStylesheetPtr style, XsltRunWatch &watch)
    : style(style), watch(watch), bytes(std::make_unique<Bytes>())
{
    bytes->watch = &watch;
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
    textAfter.type = XML_TEXT_NODE;
    elementAfter.type = XML_ELEMENT_NODE;
}

PageStream::~PageStream()
{
    if (writer)
        endWriter();
    for (const std::unique_ptr<Pass> &pass : passes) {
        xmlUnlinkNode(pass->node);
        xmlFreeNode(pass->node);
    }
    if (out)
        xmlOutputBufferClose(out);
    if (splitNode)
        xmlFreeNode(splitNode);
    if (holder)
        xmlFreeDoc(holder);
    for (const xmlNsPtr ns : namespaceCopies)
        xmlFreeNs(ns);
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
    if (!plain || !insert || !output || insert->doc != output || (started && output != doc))
        return;
    pathScratch.clear();
    xmlNodePtr node = insert;
    for (; node && node->type == XML_ELEMENT_NODE; node = node->parent)
        pathScratch.push_back(node);
    if (node != reinterpret_cast<xmlNodePtr>(output))
        return;
    std::reverse(pathScratch.begin(), pathScratch.end());
    if (!started && !start(output))
        return;
    {
        const AsHtml asHtml(output);
        writeTo(pathScratch);
    }
    // The transform may append to the content of the last text node it wrote, which may be gone.
    ctxt->lasttext = nullptr;
    ctxt->lasttsize = 0;
    ctxt->lasttuse = 0;
    hand(false);
}

bool PageStream::start(xmlDocPtr output)
{
    const Settled settled = metaEncodingSettled(output);
    plain = settled != Settled::Never;
    if (settled != Settled::Yes || !(holder = xmlNewDoc(nullptr)))
        return false;
    {
        const AsHtml asHtml(output);
        htmlSetMetaEncoding(output, encoding ? encoding : BAD_CAST "UTF-8");
    }
    holder->type = XML_HTML_DOCUMENT_NODE;
    holderXmlNs = xmlSearchNsByHref(holder, reinterpret_cast<xmlNodePtr>(holder), XML_XML_NAMESPACE);
    holder->dict = output->dict;
    if (holder->dict)
        xmlDictReference(holder->dict);
    started = true;
    doc = output;
    bytes->watch = nullptr; // counted as the transform hands on more
    bytes->capacity = bytes->page.capacity();
    pageCounted = bytes->capacity;
    parents.push_back({});
    namespaces.emplace_back();
    levels.push_back(Level{reinterpret_cast<xmlNodePtr>(output), {}, &parents.back().node, &namespaces.back()});
    writer = std::make_unique<Writer>(out, holder, holderXmlNs, format, bytes.get());
    try {
        writer->thread = std::thread([running = writer.get()] {
            const bool ownHeap = enterSpareSmallBlocks();
            running->run();
            if (ownHeap)
                leaveSpareSmallBlocks();
        });
    } catch (const std::system_error &) {
        // written as the transform hands it on
    }
    return true;
}

// The serializer puts the encoding into the head's meta elements first: that is settled once
// the head it changes is complete. The page is written as it grows only when the html element
// is the document's first and its head the html element's first, each after at most a few
// other nodes, so that telling costs little at every pass.
PageStream::Settled PageStream::metaEncodingSettled(xmlDocPtr output) const
{
    constexpr int fewNodes = 16;
    int before = 0;
    xmlNodePtr html = output->children;
    for (; html && !named(html, "html"); html = html->next)
        if (html->type == XML_ELEMENT_NODE || ++before > fewNodes)
            return Settled::Never;
    for (xmlNodePtr node = html ? html->children : nullptr; node; node = node->next) {
        if (named(node, "head"))
            return std::find(pathScratch.begin(), pathScratch.end(), node) == pathScratch.end()
                       ? Settled::Yes
                       : Settled::NotYet;
        if (node->type == XML_ELEMENT_NODE || ++before > fewNodes)
            return Settled::Never;
    }
    return Settled::NotYet;
}

// Writes what can no longer change while the elements of the path (outermost first) are
// still being built; every node written is taken out of the tree.
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
    startChild(levels.back(), element, true);
    text(tags.substr(0, at));
    parents.push_back({});
    Parent &parent = parents.back();
    parent.name = reinterpret_cast<const char *>(element->name);
    parent.node.type = XML_ELEMENT_NODE;
    parent.node.name = BAD_CAST parent.name.c_str();
    Namespaces &declared = namespaces.emplace_back(*levels.back().declared);
    for (xmlNsPtr ns = element->nsDef; ns; ns = ns->next)
        if (xmlNsPtr own = xmlNewNs(nullptr, ns->href, ns->prefix)) {
            namespaceCopies.push_back(own);
            declared.declared.emplace_back(ns, own);
        }
    levels.push_back(Level{element, tags.substr(at + std::strlen(splitText)), &parent.node, &declared});
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
    if (child->next) {
        text("\n");
    } else if (begun) {
        level.lineBreak = lineBreaks++;
        Step step;
        step.mark = level.lineBreak;
        steps.push_back(std::move(step));
    }
}

// The child is complete and what follows it known: it is taken out of the tree, seen by the
// serializer with a parent and a next sibling like its own.
void PageStream::writeChild(Level &level, xmlNodePtr child)
{
    dropClosed(level);
    startChild(level, child, false);
    const xmlNodePtr next = child->next;
    xmlUnlinkNode(child);
    child->parent = level.parent;
    child->next = next ? (textLike(next) ? &textAfter : &elementAfter) : nullptr;
    Step step;
    step.node = child;
    step.resultXmlNs = doc->oldNs;
    step.declared = level.declared;
    step.serialize = true;
    steps.push_back(std::move(step));
    ++nodesInSteps;
}

// The closed child's line break, once what follows it is known.
void PageStream::dropClosed(Level &level)
{
    xmlNodePtr closed = level.closed;
    if (!closed || !closed->next)
        return;
    if (breaksLines(closed, format) && !textLike(closed->next) && notP(level.node))
        text("\n");
    level.closed = nullptr;
    release(level, closed);
}

// The node is taken out of the tree and freed after what was written inside it, which may
// use its namespaces.
void PageStream::release(const Level &level, xmlNodePtr node)
{
    xmlUnlinkNode(node);
    Step step;
    step.node = node;
    step.resultXmlNs = doc->oldNs;
    step.declared = level.declared;
    steps.push_back(std::move(step));
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
    if (level.lineBreak >= 0 && several) {
        Step step;
        step.fill = level.lineBreak;
        steps.push_back(std::move(step));
    }
    while (xmlNodePtr child = element->children) {
        if (child != level.closed) {
            writeChild(level, child);
        } else if (child->next) {
            dropClosed(level);
        } else {
            level.closed = nullptr; // the last child: no line break after it
            release(level, child);
        }
    }
    if (element->type != XML_ELEMENT_NODE) {
        text("\n"); // the document's end
        levels.pop_back();
        return;
    }
    if (breaksLines(element, format) && !lastTextLike && several && notP(element))
        text("\n");
    text(level.endTag);
    levels.pop_back();
    levels.back().closed = element;
}

void PageStream::text(std::string written)
{
    Step step;
    step.text = std::move(written);
    steps.push_back(std::move(step));
}

// Hands the steps to the writer (a few at a time, unless all), frees what it has written and
// counts the page's growth against the run's bound.
void PageStream::hand(bool all)
{
    if (steps.empty() || (!all && nodesInSteps < nodesAtOnce))
        return;
    std::vector<xmlNodePtr> written;
    if (writer->thread.joinable()) {
        std::unique_lock lock(writer->mutex);
        writer->changed.wait(lock, [this] { return writer->nodesHanded < nodesWaiting; });
        writer->handed.insert(writer->handed.end(), std::make_move_iterator(steps.begin()),
                              std::make_move_iterator(steps.end()));
        writer->nodesHanded += nodesInSteps;
        written.swap(writer->written);
        lock.unlock();
        writer->changed.notify_all();
        steps.clear();
    } else {
        writer->take(steps, written);
    }
    nodesInSteps = 0;
    freeWritten(written);
    countPage();
}

// The page's growth, counted against the run's bound: past it the run stops.
void PageStream::countPage()
{
    const qint64 capacity = bytes->capacity.load(std::memory_order_relaxed);
    if (capacity > pageCounted) {
        watch.admit(std::size_t(capacity - pageCounted));
        watch.counted(capacity - pageCounted);
        pageCounted = capacity;
    }
}

// The writer writes what is left, and the nodes it wrote are freed.
void PageStream::endWriter()
{
    hand(true);
    if (writer->thread.joinable()) {
        {
            const std::lock_guard lock(writer->mutex);
            writer->ending = true;
        }
        writer->changed.notify_all();
        writer->thread.join();
    }
    freeWritten(writer->written);
    countPage();
    writer.reset();
}

void PageStream::freeWritten(std::vector<xmlNodePtr> &nodes)
{
    for (const xmlNodePtr node : nodes)
        xmlFreeNode(node);
    nodes.clear();
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
        endWriter();
    } else {
        written = !started && xsltSaveResultTo(out, result, style) >= 0;
    }
    const bool closed = xmlOutputBufferClose(out) >= 0;
    out = nullptr;
    return closed && written ? std::move(bytes->page) : QByteArray();
}
