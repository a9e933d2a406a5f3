#include "platform/xslt/xslt_transform.h"

#include "platform/xml/namespace_names.h"
#include "platform/xml/xml_file_input.h"
#include "platform/xml/xml_library.h"
#include "platform/xslt/generator_marks.h"
#include "platform/xslt/xslt_errors.h"
#include "platform/xslt/xslt_page_stream.h"

#include <libexslt/exslt.h>
#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <libxslt/documents.h>
#include <libxslt/extra.h>
#include <libxslt/extensions.h>
#include <libxslt/imports.h>
#include <libxslt/security.h>
#include <libxslt/transform.h>
#include <libxslt/xslt.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace {

const xmlChar msxslNamespace[] = "urn:schemas-microsoft-com:xslt";

// Every document, the stylesheet with its imports and includes as well as the sources:
// no network, no entity substitution, no DTD loading; CDATA read as text; short texts
// kept inside their nodes.
constexpr int documentOptions = XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_COMPACT;

xsltDocLoaderFunc builtInLoader = nullptr;

// Every document once read: its namespace names as it writes them.
xmlDocPtr asWrittenNamespaces(xmlDocPtr doc)
{
    restoreNamespaceAmpersands(doc);
    return doc;
}

// Files are opened by the input of xml_file_input.h; every document, stylesheet or one that
// document() reads, is read with the options above.
xmlDocPtr safeLoader(const xmlChar *uri, xmlDictPtr dict, int, void *ctxt, xsltLoadType type)
{
    if (!uri)
        return nullptr;
    return asWrittenNamespaces(builtInLoader(uri, dict, documentOptions, ctxt, type));
}

void forbidWritesAndNetwork(xsltSecurityPrefsPtr prefs)
{
    for (const xsltSecurityOption option :
         {XSLT_SECPREF_WRITE_FILE, XSLT_SECPREF_CREATE_DIRECTORY, XSLT_SECPREF_WRITE_NETWORK,
          XSLT_SECPREF_READ_NETWORK})
        xsltSetSecurityPrefs(prefs, option, xsltSecurityForbid);
}

struct PrefsFree {
    void operator()(xsltSecurityPrefsPtr prefs) const { xsltFreeSecurityPrefs(prefs); }
};
using PrefsPtr = std::unique_ptr<xsltSecurityPrefs, PrefsFree>;

// Preferences of one run's transform context.
PrefsPtr runSecurityPrefs()
{
    PrefsPtr prefs(xsltNewSecurityPrefs());
    forbidWritesAndNetwork(prefs.get());
    return prefs;
}

} // namespace

void initialiseXslt()
{
    static std::once_flag once;
    std::call_once(once, [] {
        initXmlLibrary();
        exsltRegisterAll();
        xsltRegisterExtModuleFunction(BAD_CAST "node-set", msxslNamespace,
                                      xsltFunctionNodeSet);
        builtInLoader = xsltDocDefaultLoader;
        xsltSetLoaderFunc(safeLoader);
        routeXsltErrorsToRuns();
        // Imports and includes are checked against the default preferences, set once here
        // and never changed.
        xsltSecurityPrefsPtr defaults = xsltNewSecurityPrefs();
        forbidWritesAndNetwork(defaults);
        xsltSetDefaultSecurityPrefs(defaults);
    });
}

namespace {

struct DocFree {
    void operator()(xmlDocPtr doc) const { xmlFreeDoc(doc); }
};
struct StyleFree {
    void operator()(xsltStylesheetPtr style) const { xsltFreeStylesheet(style); }
};
struct ContextFree {
    void operator()(xsltTransformContextPtr ctxt) const { xsltFreeTransformContext(ctxt); }
};
using DocPtr = std::unique_ptr<xmlDoc, DocFree>;
using StylePtr = std::unique_ptr<xsltStylesheet, StyleFree>;
using ContextPtr = std::unique_ptr<xsltTransformContext, ContextFree>;

// libxml2 enters every "id" attribute of an HTML document into the document's ID table,
// which for pages with hundreds of thousands of ids costs far more than the rest of the
// transform. For plain html output (no doctype, no version) the result is built as an XML
// tree instead and turned into an HTML document before it is written: the same page.
class PlainHtmlAsXmlTree {
public:
    explicit PlainHtmlAsXmlTree(xsltStylesheetPtr style)
        : style(style), ownMethod(style->method), active(plainHtmlOutput(style))
    {
        if (active)
            style->method = xmlMethod;
    }
    ~PlainHtmlAsXmlTree() { style->method = ownMethod; }
    PlainHtmlAsXmlTree(const PlainHtmlAsXmlTree &) = delete;
    PlainHtmlAsXmlTree &operator=(const PlainHtmlAsXmlTree &) = delete;

    void restoreHtml(xmlDocPtr result) const
    {
        if (active)
            result->type = XML_HTML_DOCUMENT_NODE;
    }

private:
    xsltStylesheetPtr style;
    xmlChar *ownMethod;
    xmlChar xmlMethod[4] = {'x', 'm', 'l', 0};
    bool active;
};

// What the last run on this thread left to free once its outcome was passed on.
struct ReportedRun {
    std::vector<std::function<void()>> frees;
    void freeAll()
    {
        for (const std::function<void()> &free : std::exchange(frees, {}))
            free();
    }
    ~ReportedRun() { freeAll(); }
};
thread_local ReportedRun reportedRun;

void freeAfterReport(std::function<void()> free) { reportedRun.frees.push_back(std::move(free)); }

XsltOutcome failed(XsltOutcome::Failure failure, const ErrorCollector &errors)
{
    XsltOutcome outcome;
    outcome.failure = failure;
    outcome.reason = errors.text();
    return outcome;
}

// A transform context over the document. A new context numbers the document's elements in
// document order for XPath, a walk over all of them; a document kept from an earlier run
// (used by one run at a time) is numbered already, and is not walked again.
ContextPtr newContext(xsltStylesheetPtr style, xmlDocPtr doc)
{
    const xmlNodePtr root = xmlDocGetRootElement(doc);
    if (!root || reinterpret_cast<std::ptrdiff_t>(root->content) >= 0)
        return ContextPtr(xsltNewTransformContext(style, doc));
    const xmlNodePtr children = std::exchange(doc->children, nullptr);
    const xmlNodePtr last = std::exchange(doc->last, nullptr);
    ContextPtr ctxt(xsltNewTransformContext(style, doc));
    doc->children = children;
    doc->last = last;
    return ctxt;
}

// The result tree; null when the transform failed or was stopped. document('') and
// document() of the stylesheet's own file read asWritten, the text as it was parsed.
DocPtr applyStylesheet(xsltStylesheetPtr style, xmlDocPtr source, DocPtr asWritten,
                       XsltRunWatch &watch, ErrorCollector &errors)
{
    const PrefsPtr prefs = runSecurityPrefs();
    DocPtr copy; // outlives the context that works on it
    ContextPtr ctxt = newContext(style, source);
    if (!ctxt)
        return nullptr;
    // Stripping white space changes the source document: a shared one is copied first.
    xmlDocPtr xml = source;
    if (xsltNeedElemSpaceHandling(ctxt.get())) {
        copy.reset(xmlCopyDoc(source, 1));
        xml = copy.get();
        ctxt = copy ? newContext(style, xml) : nullptr;
        if (!ctxt)
            return nullptr;
    }
    xsltSetCtxtSecurityPrefs(prefs.get(), ctxt.get());
    if (asWritten && xsltNewDocument(ctxt.get(), asWritten.get()))
        asWritten.release(); // the context's now
    errors.collectFrom(ctxt.get());
    const PlainHtmlAsXmlTree tree(style);
    watch.watchTransform(ctxt.get());
    DocPtr result(xsltApplyStylesheetUser(style, xml, nullptr, nullptr, nullptr, ctxt.get()));
    watch.watchTransform(nullptr);
    if (!result || ctxt->state != XSLT_STATE_OK)
        return nullptr;
    tree.restoreHtml(result.get());
    return result;
}

// The stylesheet compiled from its document, which it owns; null when it has errors.
StylePtr compiled(DocPtr doc)
{
    StylePtr style(xsltParseStylesheetDoc(doc.get()));
    if (style)
        doc.release();
    if (style && style->errors > 0)
        style.reset();
    return style;
}

// The text as written is always compiled, so that what it refuses is refused with its
// own message; its running form, when there is one, is what runs.
// The page is written during the loops of the running form.
StylePtr compiledToRun(xmlDocPtr written, DocPtr running, const GeneratorMarks &marks, XsltRunWatch &watch,
                       std::vector<xmlNodePtr> &loops)
{
    StylePtr style = compiled(DocPtr(written));
    if (!style || !running)
        return style;
    const ErrorCollector unreported; // the text as written compiled without error
    std::vector<xmlNodePtr> outermost =
        prepareForRunning(running.get(), marks, [&watch] { return watch.stopped(); });
    StylePtr prepared = compiled(std::move(running));
    if (!prepared)
        return style;
    loops = std::move(outermost);
    return prepared;
}

// ownedSource, when given, is the source document itself: it is let go as soon as the
// result tree is built, before the page is serialized from it, or, when the page was written
// as it grew, after the page is reported.
XsltOutcome transformReading(xmlDocPtr xml, const QString &xslText, const QString &baseUri,
                             StylesheetForm form, const QByteArray &markName, XsltRunWatch &watch,
                             ErrorCollector &errors, DocPtr ownedSource)
{
    const QByteArray xslBytes = xslText.toUtf8();
    xmlDocPtr xslDoc = asWrittenNamespaces(xmlReadMemory(xslBytes.constData(), int(xslBytes.size()),
                                                         baseUri.toUtf8().constData(), "UTF-8",
                                                         documentOptions));
    if (!xslDoc)
        return failed(XsltOutcome::Failure::XslDocument, errors);
    DocPtr running(form == StylesheetForm::Running ? xmlCopyDoc(xslDoc, 1) : nullptr);
    const GeneratorMarks marks(xslDoc, markName);
    marks.removeFrom(xslDoc);
    DocPtr asWritten(xmlCopyDoc(xslDoc, 1));
    std::vector<xmlNodePtr> loops;
    StylePtr style = compiledToRun(xslDoc, std::move(running), marks, watch, loops);
    if (!style)
        return failed(XsltOutcome::Failure::Transform, errors);

    PageStream page(style.get(), watch);
    page.writeDuring(loops);
    DocPtr result =
        applyStylesheet(style.get(), xml, std::move(asWritten), watch, errors);
    if (!result)
        return failed(XsltOutcome::Failure::Transform, errors);
    if (!page.writtenAsItGrew())
        ownedSource.reset();

    XsltOutcome outcome;
    outcome.output = page.finish(result.get());
    freeAfterReport([result = result.release(), style = style.release(), source = ownedSource.release()] {
        xmlFreeDoc(result);
        xsltFreeStylesheet(style);
        xmlFreeDoc(source);
    });
    return outcome;
}

// The run with its reads held to the readable folders (none: any file).
XsltOutcome transform(xmlDocPtr xml, const QString &xslText, const QString &baseUri,
                      const QStringList &readable, StylesheetForm form, const QByteArray &markName,
                      XsltRunWatch &watch, ErrorCollector &errors, DocPtr ownedSource = nullptr)
{
    ReadableFolders reads(readable);
    XsltOutcome outcome = transformReading(xml, xslText, baseUri, form, markName, watch, errors,
                                           std::move(ownedSource));
    outcome.readsRefused = reads.refusedAny();
    return outcome;
}

// The parse on this thread met a namespace declared with a kept "&".
thread_local bool ampersandInNamespace = false;

void startElementNoting(void *ctx, const xmlChar *localname, const xmlChar *prefix, const xmlChar *uri,
                        int namespaceCount, const xmlChar **namespaces, int attributeCount,
                        int defaultedCount, const xmlChar **attributes)
{
    for (int i = 0; i < namespaceCount && !ampersandInNamespace; ++i)
        ampersandInNamespace = namespaces[2 * i + 1] &&
                               keepsAmpersand(reinterpret_cast<const char *>(namespaces[2 * i + 1]));
    xmlSAX2StartElementNs(ctx, localname, prefix, uri, namespaceCount, namespaces, attributeCount,
                          defaultedCount, attributes);
}

// The XML file parsed under the run's bounds: a bound reached ends the parse early. Its
// namespaces are looked through only when one was declared with an "&".
DocPtr readXml(const QString &xmlPath, XsltRunWatch &watch)
{
    const QByteArray path = xmlPath.toUtf8();
    const std::unique_ptr<xmlParserCtxt, decltype(&xmlFreeParserCtxt)> parser(
        xmlNewParserCtxt(), xmlFreeParserCtxt);
    if (!parser)
        return nullptr;
    parser->sax->startElementNs = startElementNoting;
    ampersandInNamespace = false;
    watch.watchParser(parser.get());
    DocPtr doc(xmlCtxtReadFile(parser.get(), path.constData(), nullptr, documentOptions));
    watch.watchParser(nullptr);
    if (doc && ampersandInNamespace)
        restoreNamespaceAmpersands(doc.get());
    return doc;
}

// A run on this thread under its own error capture and memory bound; a run stopped at the
// bound says only so.
template <typename Run>
XsltOutcome countedRun(const XsltLimits &limits, Run run)
{
    initialiseXslt();
    freeReportedRun();
    XsltRunWatch watch(limits.memoryBytes);
    XsltOutcome outcome;
    {
        const CountedAllocations counting(watch);
        ErrorCollector errors;
        outcome = run(watch, errors);
    }
    if (!watch.stopped())
        return outcome;
    XsltOutcome stopped;
    stopped.failure = XsltOutcome::Failure::Stopped;
    stopped.stopReason = XsltStopReason::MemoryLimit;
    stopped.memoryNeeded = watch.memoryNeeded();
    return stopped;
}

// The run in the running form, and again as written when that one failed on its own. A
// stylesheet text that is no XML document fails before it takes either form.
template <typename Run>
XsltOutcome asWrittenOnFailure(StylesheetForm form, Run run)
{
    XsltOutcome outcome = run(form);
    if (form == StylesheetForm::Running && outcome.failure == XsltOutcome::Failure::Transform)
        return run(StylesheetForm::AsWritten);
    return outcome;
}

} // namespace

std::shared_ptr<XmlSource> XmlSource::parse(const QString &xmlPath, const XsltLimits &limits,
                                            XsltOutcome &failure)
{
    DocPtr doc;
    failure = countedRun(limits, [&](XsltRunWatch &watch, ErrorCollector &errors) {
        doc = readXml(xmlPath, watch);
        return doc ? XsltOutcome{} : failed(XsltOutcome::Failure::XmlDocument, errors);
    });
    if (failure.failure != XsltOutcome::Failure::None)
        return nullptr;
    return std::shared_ptr<XmlSource>(new XmlSource(doc.release()));
}

XmlSource::~XmlSource() { xmlFreeDoc(doc); }

void freeReportedRun() { reportedRun.freeAll(); }

XsltOutcome runXslt(const std::shared_ptr<const XmlSource> &xml, const QString &xslText,
                    const QString &baseUri, const XsltLimits &limits, StylesheetForm form,
                    const QByteArray &markName)
{
    return asWrittenOnFailure(form, [&](StylesheetForm as) {
        return countedRun(limits, [&](XsltRunWatch &watch, ErrorCollector &errors) {
            return transform(xml->document(), xslText, baseUri, limits.readableFolders, as, markName,
                             watch, errors);
        });
    });
}

XsltOutcome runXslt(const QString &xmlPath, const QString &xslText, const QString &baseUri,
                    const XsltLimits &limits, StylesheetForm form, const QByteArray &markName)
{
    return asWrittenOnFailure(form, [&](StylesheetForm as) {
        return countedRun(limits, [&](XsltRunWatch &watch, ErrorCollector &errors) {
            DocPtr xml = readXml(xmlPath, watch);
            if (!xml)
                return failed(XsltOutcome::Failure::XmlDocument, errors);
            xmlDocPtr source = xml.get();
            return transform(source, xslText, baseUri, limits.readableFolders, as, markName, watch,
                             errors, std::move(xml));
        });
    });
}
