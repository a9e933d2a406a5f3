#include "designer/xml_tree_parser.h"

#include "designer/xml_text.h"
#include "documents/string_helpers.h"
#include "platform/files/regular_file.h"
#include "platform/xml/namespace_names.h"
#include "platform/xml/xml_library.h"
#include "platform/xml/xml_parse.h"

#include <QFile>
#include <QStringDecoder>
#include <libxml/SAX2.h>
#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <libxml/xmlerror.h>

#include <algorithm>
#include <string_view>

namespace {

std::string bytes(const xmlChar *text) { return text ? reinterpret_cast<const char *>(text) : ""; }

std::string bytes(const xmlChar *begin, const xmlChar *end)
{
    return std::string(reinterpret_cast<const char *>(begin), size_t(end - begin));
}

std::string qualified(const xmlChar *prefix, const xmlChar *local)
{
    return prefix ? bytes(prefix) + ':' + bytes(local) : bytes(local);
}

// CR, LF and Tab removed, as element texts and attribute values are shown.
std::string withoutBreaks(std::string text)
{
    std::erase_if(text, [](char c) { return c == '\r' || c == '\n' || c == '\t'; });
    return text;
}

bool isBlank(const std::string &text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// The PUBLIC or SYSTEM part of an entity or notation declaration.
std::string externalId(const xmlChar *publicId, const xmlChar *systemId)
{
    if (publicId && *publicId)
        return " PUBLIC '" + bytes(publicId) + "' '" + bytes(systemId) + "'";
    if (systemId && *systemId)
        return " SYSTEM '" + bytes(systemId) + "'";
    return {};
}

bool isGeneralEntity(int type)
{
    return type == XML_INTERNAL_GENERAL_ENTITY || type == XML_EXTERNAL_GENERAL_PARSED_ENTITY ||
           type == XML_EXTERNAL_GENERAL_UNPARSED_ENTITY;
}

bool isXmlSpace(xmlChar c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool namesNamespace(const xmlChar *name, const xmlChar *end)
{
    const std::string_view written(reinterpret_cast<const char *>(name), size_t(end - name));
    return written == "xmlns" || written.starts_with("xmlns:");
}

// For each attribute of the start tag just read, as written, whether it declares a
// namespace. The parser reports an element once its start tag is read, so the tag is the
// text before the input's position back to its "<" (no attribute value holds a "<").
std::vector<bool> writtenNamespaceFlags(xmlParserCtxtPtr ctxt)
{
    std::vector<bool> flags;
    if (!ctxt->input || !ctxt->input->base || !ctxt->input->cur)
        return flags;
    const xmlChar *base = ctxt->input->base;
    const xmlChar *end = ctxt->input->cur;
    const xmlChar *at = end;
    while (at > base && *at != '<')
        --at;
    if (*at != '<')
        return flags;
    while (at < end && !isXmlSpace(*at)) // the element's name
        ++at;
    while (at < end) {
        while (at < end && isXmlSpace(*at))
            ++at;
        const xmlChar *name = at;
        while (at < end && *at != '=' && !isXmlSpace(*at))
            ++at;
        if (at == name)
            break;
        flags.push_back(namesNamespace(name, at));
        while (at < end && *at != '"' && *at != '\'')
            ++at;
        if (at == end)
            break;
        const xmlChar quote = *at++;
        while (at < end && *at != quote)
            ++at;
        ++at;
    }
    return flags;
}

// Receives the parser's events and turns them into tree nodes.
class TreeSax {
public:
    explicit TreeSax(const QString &caption) : builder(caption) {}

    // The receiver of the document's own events. The parser reads an entity's content
    // through a context of its own that shares our handler; those events are not the
    // document's (the reference shows under its name) and have none.
    static TreeSax *of(void *context)
    {
        const auto ctxt = static_cast<xmlParserCtxtPtr>(context);
        auto *sax = static_cast<TreeSax *>(ctxt->_private);
        return sax && sax->document == ctxt ? sax : nullptr;
    }

    void startElement(const xmlChar *local, const xmlChar *prefix, int nbNamespaces,
                      const xmlChar **namespaces, int nbAttributes, const xmlChar **attributes)
    {
        flushText();
        const int node = builder.add(top());
        open.push_back({node, qualified(prefix, local)});
        addAttributes(nbNamespaces, namespaces, nbAttributes, attributes);
    }

    void endElement()
    {
        flushText();
        builder.setCaption(open.back().node, open.back().caption);
        open.pop_back();
    }

    void characters(const xmlChar *text, int length)
    {
        if (!open.empty() && textFits(length))
            pendingText.append(reinterpret_cast<const char *>(text), size_t(length));
    }

    void cdata(const xmlChar *text, int length)
    {
        if (!textFits(length))
            return;
        const std::size_t run = textRun; // the transform reads the section into the text
        flushText();
        textRun = run;
        addLeaf(std::string(reinterpret_cast<const char *>(text), size_t(length)));
    }

    void comment(const xmlChar *text)
    {
        flushText();
        addLeaf("<!--" + bytes(text) + "-->");
    }

    void processingInstruction(const xmlChar *target, const xmlChar *data)
    {
        flushText();
        addLeaf("<?" + bytes(target) + " " + bytes(data) + "?>");
    }

    void reference(const xmlChar *name)
    {
        flushText();
        addLeaf('&' + bytes(name) + ';');
    }

    void doctype(const xmlChar *name)
    {
        doctypeNode = builder.add(top());
        builder.setCaption(doctypeNode, "DOCTYPE " + bytes(name));
    }

    void declaration(const std::string &caption)
    {
        if (doctypeNode >= 0)
            builder.setCaption(builder.add(doctypeNode), caption);
    }

    XmlTree finish() { return builder.finish(); }

    XmlLoadError firstError;
    std::string xmlDeclaration; // the XML declaration's data, "" for none
    xmlParserCtxtPtr document = nullptr; // the context parsing the document itself

private:
    struct Open {
        int node;
        std::string caption;
    };

    int top() const { return open.empty() ? XmlTree::documentNode : open.back().node; }

    // A node with its caption known now; an empty caption makes no node.
    void addLeaf(const std::string &caption)
    {
        if (!caption.empty())
            builder.setCaption(builder.add(top()), caption);
    }

    // The element's namespace declarations and other attributes. The parser gives each kind
    // in the order written (defaulted ones after); they are listed merged as written.
    void addAttributes(int nbNamespaces, const xmlChar **namespaces, int nbAttributes,
                       const xmlChar **attributes)
    {
        const auto addNamespace = [&](int i) {
            const xmlChar *name = namespaces[2 * i];
            addLeaf('@' + (name ? "xmlns:" + bytes(name) : std::string("xmlns")) + '=' +
                    withoutBreaks(withAmpersandsBack(bytes(namespaces[2 * i + 1]))));
        };
        const auto addAttribute = [&](int i) {
            const xmlChar **a = attributes + 5 * i;
            addLeaf('@' + qualified(a[1], a[0]) + '=' + withoutBreaks(withAmpersandsBack(bytes(a[3], a[4]))));
        };
        int ns = 0;
        int att = 0;
        if (nbNamespaces > 0 && nbAttributes > 0)
            for (const bool isNamespace : writtenNamespaceFlags(document)) {
                if (isNamespace && ns < nbNamespaces)
                    addNamespace(ns++);
                else if (!isNamespace && att < nbAttributes)
                    addAttribute(att++);
            }
        while (ns < nbNamespaces)
            addNamespace(ns++);
        while (att < nbAttributes)
            addAttribute(att++);
    }

    // The transform's parse refuses a text (text and CDATA with nothing between) longer
    // than this; so does the tree, stopping the parse.
    static constexpr std::size_t maxText = 10000000;

    bool textFits(int length)
    {
        textRun += std::size_t(length);
        if (textRun <= maxText)
            return true;
        if (firstError.reason.isEmpty()) {
            firstError.reason =
                QStringLiteral("huge text node: a text longer than 10,000,000 bytes");
            firstError.line = xmlSAX2GetLineNumber(document);
            firstError.filePos = xmlSAX2GetColumnNumber(document);
        }
        xmlStopParser(document);
        return false;
    }

    // A text node ends: its text joins its element's caption.
    void flushText()
    {
        textRun = 0;
        if (!pendingText.empty() && !isBlank(pendingText))
            open.back().caption.append(1, '=').append(withoutBreaks(pendingText));
        pendingText.clear();
    }

    XmlTreeBuilder builder;
    std::vector<Open> open;
    std::string pendingText;
    std::size_t textRun = 0;
    int doctypeNode = -1;
};

void onStartElement(void *ctx, const xmlChar *local, const xmlChar *prefix, const xmlChar *,
                    int nbNamespaces, const xmlChar **namespaces, int nbAttributes, int,
                    const xmlChar **attributes)
{
    if (TreeSax *sax = TreeSax::of(ctx))
        sax->startElement(local, prefix, nbNamespaces, namespaces, nbAttributes, attributes);
}

void onEndElement(void *ctx, const xmlChar *, const xmlChar *, const xmlChar *)
{
    if (TreeSax *sax = TreeSax::of(ctx))
        sax->endElement();
}

void onCharacters(void *ctx, const xmlChar *text, int length)
{
    if (TreeSax *sax = TreeSax::of(ctx))
        sax->characters(text, length);
}

// The XML declaration, when the document has one, is the document's first node, shown as
// the processing instruction it looks like (so node indexes count it, as tables record).
// Its data as written, read from the file's first bytes before any change of encoding:
// the declaration is ASCII in every encoding, and its first "<" tells a UTF-16 or UTF-32
// file without a byte order mark.
std::string declarationData(const QByteArray &head)
{
    const QStringConverter::Encoding encoding =
        QStringConverter::encodingForData(head, u'<').value_or(QStringConverter::Utf8);
    const QString text = QStringDecoder(encoding).decode(head); // without the mark
    const qsizetype end = text.indexOf(QLatin1String("?>"));
    if (!text.startsWith(QLatin1String("<?xml")) || end < 6 || !isXmlSpace(xmlChar(text[5].unicode())))
        return {};
    return text.mid(5, end - 5).trimmed().toStdString();
}

void onStartDocument(void *ctx)
{
    xmlSAX2StartDocument(ctx);
    TreeSax *sax = TreeSax::of(ctx);
    if (sax && !sax->xmlDeclaration.empty())
        sax->processingInstruction(BAD_CAST "xml", BAD_CAST sax->xmlDeclaration.c_str());
}

void onCdata(void *ctx, const xmlChar *text, int length)
{
    if (TreeSax *sax = TreeSax::of(ctx))
        sax->cdata(text, length);
}

void onComment(void *ctx, const xmlChar *text)
{
    if (TreeSax *sax = TreeSax::of(ctx))
        sax->comment(text);
}

void onProcessingInstruction(void *ctx, const xmlChar *target, const xmlChar *data)
{
    if (TreeSax *sax = TreeSax::of(ctx))
        sax->processingInstruction(target, data);
}

void onReference(void *ctx, const xmlChar *name)
{
    if (TreeSax *sax = TreeSax::of(ctx))
        sax->reference(name);
}

void onInternalSubset(void *ctx, const xmlChar *name, const xmlChar *publicId,
                      const xmlChar *systemId)
{
    xmlSAX2InternalSubset(ctx, name, publicId, systemId);
    if (TreeSax *sax = TreeSax::of(ctx))
        sax->doctype(name);
}

void onEntityDecl(void *ctx, const xmlChar *name, int type, const xmlChar *publicId,
                  const xmlChar *systemId, xmlChar *content)
{
    xmlSAX2EntityDecl(ctx, name, type, publicId, systemId, content);
    TreeSax *sax = TreeSax::of(ctx);
    if (sax && isGeneralEntity(type))
        sax->declaration("<!ENTITY " + bytes(name) + externalId(publicId, systemId) + ">");
}

void onUnparsedEntityDecl(void *ctx, const xmlChar *name, const xmlChar *publicId,
                          const xmlChar *systemId, const xmlChar *notation)
{
    xmlSAX2UnparsedEntityDecl(ctx, name, publicId, systemId, notation);
    const std::string ndata = notation && *notation ? " NDATA " + bytes(notation) : "";
    if (TreeSax *sax = TreeSax::of(ctx))
        sax->declaration("<!ENTITY " + bytes(name) + externalId(publicId, systemId) + ndata + ">");
}

void onNotationDecl(void *ctx, const xmlChar *name, const xmlChar *publicId,
                    const xmlChar *systemId)
{
    xmlSAX2NotationDecl(ctx, name, publicId, systemId);
    if (TreeSax *sax = TreeSax::of(ctx))
        sax->declaration("<!NOTATION " + bytes(name) + externalId(publicId, systemId) + ">");
}

void ignoreWhitespace(void *, const xmlChar *, int) {}

void keepFirstError(void *ctx, xmlErrorPtr error)
{
    TreeSax *sax = TreeSax::of(ctx);
    if (!sax || !sax->firstError.reason.isEmpty() || !error || error->level < XML_ERR_ERROR)
        return;
    const XmlParseError kept = xmlParseErrorOf(*error);
    XmlLoadError *first = &sax->firstError;
    first->reason = kept.reason;
    first->line = kept.line;
    first->filePos = kept.column; // made a file position once parsing is over
}

xmlSAXHandler treeHandler()
{
    xmlSAXHandler handler;
    xmlSAXVersion(&handler, 2);
    handler.startDocument = onStartDocument;
    handler.startElementNs = onStartElement;
    handler.endElementNs = onEndElement;
    handler.characters = onCharacters;
    handler.ignorableWhitespace = ignoreWhitespace;
    handler.cdataBlock = onCdata;
    handler.comment = onComment;
    handler.processingInstruction = onProcessingInstruction;
    handler.reference = onReference;
    handler.internalSubset = onInternalSubset;
    handler.entityDecl = onEntityDecl;
    handler.unparsedEntityDecl = onUnparsedEntityDecl;
    handler.notationDecl = onNotationDecl;
    handler.serror = keepFirstError;
    return handler;
}

// The file, read in pieces for the parser, reporting how far it got.
struct ProgressFile {
    QFile file;
    qint64 done = 0;
    int lastPercent = -1;
    const XmlParseProgress *progress = nullptr;

    static int read(void *context, char *buffer, int length)
    {
        auto *self = static_cast<ProgressFile *>(context);
        const qint64 got = self->file.read(buffer, length);
        if (got > 0)
            self->report(got);
        return int(got);
    }

    static int close(void *) { return 0; }

    void report(qint64 got)
    {
        done += got;
        const int percent = file.size() > 0 ? int(done * 100 / file.size()) : 100;
        if (percent != lastPercent && progress && *progress)
            (*progress)(percent);
        lastPercent = percent;
    }
};

// At most this many characters of the error's line are quoted, around the error point.
constexpr qsizetype maxQuoted = 200;

// The error's line of the file (its part around the error point) and the characters before
// the error point.
void locateError(const QString &path, XmlLoadError &error)
{
    if (error.line <= 0)
        return;
    const QString text = readXmlText(path); // decoded as the parser read it
    qsizetype start = 0;
    for (int line = 1; line < error.line && start >= 0; ++line) {
        start = text.indexOf(QChar('\n'), start);
        if (start >= 0)
            ++start;
    }
    if (start < 0)
        return;
    const qsizetype end = text.indexOf(QChar('\n'), start);
    const qsizetype column = std::max<qint64>(error.filePos - 1, 0);
    const qsizetype lineLength = (end < 0 ? text.size() : end) - start;
    const qsizetype from = std::clamp<qsizetype>(column - maxQuoted / 2, 0,
                                                 std::max<qsizetype>(lineLength - maxQuoted, 0));
    error.sourceText = text.mid(start + from, std::min(maxQuoted, lineLength - from));
    trimWhite(error.sourceText);
    error.filePos = start + column;
}

} // namespace

XmlTreeParse parseXmlTree(const QString &path, const QString &documentCaption,
                          const XmlParseProgress &progress)
{
    initXmlLibrary();
    XmlTreeParse result;
    result.error.file = path;
    ProgressFile input;
    input.progress = &progress;
    result.error.reason = openRegularFile(input.file, path);
    if (!result.error.reason.isEmpty())
        return result;
    TreeSax sax(documentCaption);
    sax.xmlDeclaration = declarationData(input.file.peek(4096));
    xmlSAXHandler handler = treeHandler();
    xmlParserCtxtPtr ctxt = xmlCreateIOParserCtxt(&handler, nullptr, ProgressFile::read,
                                                  ProgressFile::close, &input,
                                                  XML_CHAR_ENCODING_NONE);
    if (!ctxt) {
        result.error.reason = QStringLiteral("The parser could not start.");
        return result;
    }
    ctxt->_private = &sax;
    sax.document = ctxt;
    xmlCtxtUseOptions(ctxt, XML_PARSE_NONET);
    ctxt->sax->ignorableWhitespace = ignoreWhitespace;
    xmlParseDocument(ctxt);
    const bool wellFormed = ctxt->wellFormed && sax.firstError.reason.isEmpty();
    xmlFreeDoc(ctxt->myDoc);
    ctxt->myDoc = nullptr;
    xmlFreeParserCtxt(ctxt);
    if (!wellFormed) {
        result.error = sax.firstError;
        result.error.file = path;
        if (result.error.reason.isEmpty())
            result.error.reason = QStringLiteral("The document could not be parsed.");
        locateError(path, result.error);
        return result;
    }
    result.tree = std::make_shared<const XmlTree>(sax.finish());
    return result;
}

QString xmlErrorMessage(const XmlLoadError &error)
{
    // A file that was never read has no place of the error to show.
    const bool placed = error.line > 0;
    const QString crlf = QStringLiteral("\r\n");
    QString message = QStringLiteral("Error in XML file: ") + error.file + crlf + crlf;
    if (placed)
        message += QStringLiteral("Source Text: ") + error.sourceText + crlf + crlf;
    message += QStringLiteral("Error: ") + error.reason;
    if (placed)
        message += crlf + QStringLiteral("Line #: ") + QString::number(error.line) +
                   QStringLiteral(" (position in file: ") + QString::number(error.filePos) +
                   QChar(')');
    return message + crlf + crlf + QStringLiteral("Correct above error and try again.");
}
