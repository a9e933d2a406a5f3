#pragma once

// Compiles a stylesheet with libxslt and applies it to an XML text, straight through the
// library, so that generated stylesheets meet a real XSLT processor.

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/xpath.h>
#include <libxslt/transform.h>
#include <libxslt/xsltInternals.h>
#include <libxslt/xsltutils.h>

#include <QString>
#include <cstdarg>
#include <memory>

struct XsltRun {
    bool compiled = false;
    bool transformed = false;
    QString html;
    QString errors;
};

namespace libxslt_runner_detail {
inline void collect(void *context, const char *format, ...)
{
    char buffer[2048];
    va_list args;
    va_start(args, format);
    vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    *static_cast<QString *>(context) += QString::fromUtf8(buffer);
}
} // namespace libxslt_runner_detail

inline XsltRun runLibxslt(const QString &xsl, const QString &xml)
{
    XsltRun run;
    // The program's own handler comes back afterwards.
    const xmlGenericErrorFunc previousXslt = xsltGenericError;
    void *const previousXsltContext = xsltGenericErrorContext;
    xsltSetGenericErrorFunc(&run.errors, libxslt_runner_detail::collect);
    xmlSetGenericErrorFunc(&run.errors, libxslt_runner_detail::collect);
    const QByteArray xslBytes = xsl.toUtf8();
    const QByteArray xmlBytes = xml.toUtf8();
    xmlDocPtr styleDoc = xmlReadMemory(xslBytes.constData(), int(xslBytes.size()), "style.xsl",
                                       "UTF-8", XML_PARSE_NONET);
    xsltStylesheetPtr style = styleDoc ? xsltParseStylesheetDoc(styleDoc) : nullptr;
    if (!style && styleDoc)
        xmlFreeDoc(styleDoc);
    run.compiled = style != nullptr && style->errors == 0;
    xmlDocPtr input = xmlReadMemory(xmlBytes.constData(), int(xmlBytes.size()), "input.xml",
                                    "UTF-8", XML_PARSE_NONET);
    if (run.compiled && input) {
        xmlDocPtr result = xsltApplyStylesheet(style, input, nullptr);
        if (result) {
            xmlChar *text = nullptr;
            int size = 0;
            run.transformed = xsltSaveResultToString(&text, &size, result, style) == 0;
            run.html = QString::fromUtf8(reinterpret_cast<const char *>(text), size);
            xmlFree(text);
            xmlFreeDoc(result);
        }
    }
    if (input)
        xmlFreeDoc(input);
    if (style)
        xsltFreeStylesheet(style);
    xsltSetGenericErrorFunc(previousXsltContext, previousXslt);
    xmlSetGenericErrorFunc(nullptr, nullptr);
    return run;
}

// An HTML page parsed with libxml2's HTML parser, queried with XPath.
class HtmlPage {
public:
    explicit HtmlPage(const QString &html)
    {
        const QByteArray bytes = html.toUtf8();
        doc = htmlReadMemory(bytes.constData(), int(bytes.size()), "page.html", "UTF-8",
                             HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
    }
    ~HtmlPage()
    {
        if (doc)
            xmlFreeDoc(doc);
    }
    HtmlPage(const HtmlPage &) = delete;
    HtmlPage &operator=(const HtmlPage &) = delete;

    bool parsed() const { return doc != nullptr; }

    // The number value of an XPath expression (count(...) and the like); -1 on failure.
    double number(const QString &expression) const
    {
        if (!doc)
            return -1;
        xmlXPathContextPtr context = xmlXPathNewContext(doc);
        const QByteArray bytes = expression.toUtf8();
        xmlXPathObjectPtr result =
            xmlXPathEvalExpression(reinterpret_cast<const xmlChar *>(bytes.constData()), context);
        const double value = result ? xmlXPathCastToNumber(result) : -1;
        if (result)
            xmlXPathFreeObject(result);
        xmlXPathFreeContext(context);
        return value;
    }
    int count(const QString &path) const { return int(number(QStringLiteral("count(") + path + QChar(')'))); }

private:
    xmlDocPtr doc = nullptr;
};
