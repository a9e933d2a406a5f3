#include "platform/xslt_transform.h"

#include <QStringDecoder>
#include <QStringList>

#include <libexslt/exslt.h>
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

#include <cstdarg>
#include <memory>
#include <mutex>

namespace {

const xmlChar msxslNamespace[] = "urn:schemas-microsoft-com:xslt";

// Source documents: no network, no entity expansion, no external DTD; CDATA read as text;
// short texts kept inside their nodes.
constexpr int documentOptions = XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_COMPACT;

xsltDocLoaderFunc builtInLoader = nullptr;

// documents loaded by document() follow the same rules as the main XML document.
xmlDocPtr safeLoader(const xmlChar *uri, xmlDictPtr dict, int options, void *ctxt,
                     xsltLoadType type)
{
    if (type == XSLT_LOAD_DOCUMENT)
        options = documentOptions;
    return builtInLoader(uri, dict, options, ctxt, type);
}

xsltSecurityPrefsPtr securityPrefs()
{
    static xsltSecurityPrefsPtr prefs = [] {
        xsltSecurityPrefsPtr p = xsltNewSecurityPrefs();
        xsltSetSecurityPrefs(p, XSLT_SECPREF_WRITE_FILE, xsltSecurityForbid);
        xsltSetSecurityPrefs(p, XSLT_SECPREF_CREATE_DIRECTORY, xsltSecurityForbid);
        xsltSetSecurityPrefs(p, XSLT_SECPREF_WRITE_NETWORK, xsltSecurityForbid);
        return p;
    }();
    return prefs;
}

void initialiseOnce()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        exsltRegisterAll();
        xsltRegisterExtModuleFunction(BAD_CAST "node-set", msxslNamespace,
                                      xsltFunctionNodeSet);
        builtInLoader = xsltDocDefaultLoader;
        xsltSetLoaderFunc(safeLoader);
    });
}

// Collects what libxml2 and libxslt report during one run instead of printing it; the
// handlers in force before come back afterwards.
class ErrorCollector {
public:
    ErrorCollector()
        : structured(xmlStructuredError), structuredContext(xmlStructuredErrorContext),
          generic(xmlGenericError), genericContext(xmlGenericErrorContext),
          xsltGeneric(xsltGenericError), xsltGenericContext(xsltGenericErrorContext)
    {
        xmlSetStructuredErrorFunc(this, onStructured);
        xmlSetGenericErrorFunc(this, onGeneric);
        xsltSetGenericErrorFunc(this, onGeneric);
    }
    ~ErrorCollector()
    {
        xmlSetStructuredErrorFunc(structuredContext, structured);
        xmlSetGenericErrorFunc(genericContext, generic);
        xsltSetGenericErrorFunc(xsltGenericContext, xsltGeneric);
    }
    ErrorCollector(const ErrorCollector &) = delete;
    ErrorCollector &operator=(const ErrorCollector &) = delete;

    QString text() const
    {
        QStringList lines;
        for (const QString &line : collected.split(u'\n')) {
            const QString trimmed = line.trimmed();
            if (!trimmed.isEmpty())
                lines << trimmed;
        }
        return lines.join(u'\n');
    }

private:
    xmlStructuredErrorFunc structured;
    void *structuredContext;
    xmlGenericErrorFunc generic;
    void *genericContext;
    xmlGenericErrorFunc xsltGeneric;
    void *xsltGenericContext;
    QString collected;

    static void onStructured(void *self, xmlErrorPtr error)
    {
        if (error && error->message)
            static_cast<ErrorCollector *>(self)->collected +=
                QString::fromUtf8(error->message) + u'\n';
    }
    static void onGeneric(void *self, const char *format, ...)
    {
        va_list args;
        va_start(args, format);
        static_cast<ErrorCollector *>(self)->collected += QString::vasprintf(format, args);
        va_end(args);
    }
};

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
    explicit PlainHtmlAsXmlTree(xsltStylesheetPtr style) : style(style), ownMethod(style->method)
    {
        const xmlChar *method = nullptr;
        const xmlChar *doctypePublic = nullptr;
        const xmlChar *doctypeSystem = nullptr;
        const xmlChar *version = nullptr;
        XSLT_GET_IMPORT_PTR(method, style, method);
        XSLT_GET_IMPORT_PTR(doctypePublic, style, doctypePublic);
        XSLT_GET_IMPORT_PTR(doctypeSystem, style, doctypeSystem);
        XSLT_GET_IMPORT_PTR(version, style, version);
        active = method && xmlStrEqual(method, BAD_CAST "html") && !doctypePublic &&
                 !doctypeSystem && !version && !style->cdataSection;
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
    bool active = false;
};

XsltOutcome failed(XsltOutcome::Failure failure, const ErrorCollector &errors)
{
    XsltOutcome outcome;
    outcome.failure = failure;
    outcome.reason = errors.text();
    return outcome;
}

// The result text in the encoding the stylesheet's xsl:output asks for (UTF-8 by default).
QString serialize(xmlDocPtr result, xsltStylesheetPtr style)
{
    xmlChar *bytes = nullptr;
    int length = 0;
    if (xsltSaveResultToString(&bytes, &length, result, style) != 0 || !bytes)
        return {};
    const xmlChar *encoding = nullptr;
    XSLT_GET_IMPORT_PTR(encoding, style, encoding);
    const QByteArray raw(reinterpret_cast<const char *>(bytes), length);
    xmlFree(bytes);
    QStringDecoder decoder(encoding ? reinterpret_cast<const char *>(encoding) : "UTF-8");
    return decoder.isValid() ? decoder.decode(raw) : QString::fromUtf8(raw);
}

// The result tree; null when the transform failed or was stopped.
DocPtr applyStylesheet(xsltStylesheetPtr style, xmlDocPtr source)
{
    DocPtr copy; // outlives the context that works on it
    ContextPtr ctxt(xsltNewTransformContext(style, source));
    if (!ctxt)
        return nullptr;
    // Stripping white space changes the source document: a shared one is copied first.
    xmlDocPtr xml = source;
    if (xsltNeedElemSpaceHandling(ctxt.get())) {
        copy.reset(xmlCopyDoc(source, 1));
        xml = copy.get();
        ctxt.reset(copy ? xsltNewTransformContext(style, xml) : nullptr);
        if (!ctxt)
            return nullptr;
    }
    xsltSetCtxtSecurityPrefs(securityPrefs(), ctxt.get());
    const PlainHtmlAsXmlTree tree(style);
    DocPtr result(xsltApplyStylesheetUser(style, xml, nullptr, nullptr, nullptr, ctxt.get()));
    if (!result || ctxt->state != XSLT_STATE_OK)
        return nullptr;
    tree.restoreHtml(result.get());
    return result;
}

} // namespace

std::shared_ptr<XmlSource> XmlSource::parse(const QString &xmlPath, QString &reason)
{
    initialiseOnce();
    ErrorCollector errors;
    xmlDocPtr doc = xmlReadFile(xmlPath.toUtf8().constData(), nullptr, documentOptions);
    if (!doc) {
        reason = errors.text();
        return nullptr;
    }
    return std::shared_ptr<XmlSource>(new XmlSource(doc));
}

XmlSource::~XmlSource() { xmlFreeDoc(doc); }

XsltOutcome runXslt(const XmlSource &xml, const QString &xslText, const QString &baseUri)
{
    initialiseOnce();
    ErrorCollector errors;

    const QByteArray xslBytes = xslText.toUtf8();
    xmlDocPtr xslDoc = xmlReadMemory(xslBytes.constData(), int(xslBytes.size()),
                                     baseUri.toUtf8().constData(), "UTF-8", documentOptions);
    if (!xslDoc)
        return failed(XsltOutcome::Failure::XslDocument, errors);
    // A compiled stylesheet owns its document; without one the document is still ours.
    const StylePtr style(xsltParseStylesheetDoc(xslDoc));
    if (!style)
        xmlFreeDoc(xslDoc);
    if (!style || style->errors > 0)
        return failed(XsltOutcome::Failure::Transform, errors);

    const DocPtr result = applyStylesheet(style.get(), xml.document());
    if (!result)
        return failed(XsltOutcome::Failure::Transform, errors);

    XsltOutcome outcome;
    outcome.output = serialize(result.get(), style.get());
    return outcome;
}

XsltOutcome runXslt(const QString &xmlPath, const QString &xslText, const QString &baseUri)
{
    QString reason;
    const std::shared_ptr<XmlSource> xml = XmlSource::parse(xmlPath, reason);
    if (!xml) {
        XsltOutcome outcome;
        outcome.failure = XsltOutcome::Failure::XmlDocument;
        outcome.reason = reason;
        return outcome;
    }
    return runXslt(*xml, xslText, baseUri);
}
