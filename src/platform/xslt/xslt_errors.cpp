#include "platform/xslt/xslt_errors.h"

#include <QStringList>

#include <libxml/xmlerror.h>
#include <libxslt/xsltutils.h>

#include <cstdarg>
#include <cstdio>

namespace {

// A runaway stylesheet may report without end (xsl:message in a loop).
constexpr qsizetype maxCollected = 64 * 1024;

thread_local ErrorCollector *currentCollector = nullptr;

void onStructured(void *self, xmlErrorPtr error)
{
    if (error && error->message)
        static_cast<ErrorCollector *>(self)->add(QString::fromUtf8(error->message) + u'\n');
}

void reportToRunOnThisThread(void *, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    if (currentCollector)
        currentCollector->add(QString::vasprintf(format, args));
    else
        std::vfprintf(stderr, format, args);
    va_end(args);
}

} // namespace

ErrorCollector::ErrorCollector()
    : structured(xmlStructuredError), structuredContext(xmlStructuredErrorContext),
      generic(xmlGenericError), genericContext(xmlGenericErrorContext), outer(currentCollector)
{
    xmlSetStructuredErrorFunc(this, onStructured);
    xmlSetGenericErrorFunc(this, onGeneric);
    currentCollector = this;
}

ErrorCollector::~ErrorCollector()
{
    currentCollector = outer;
    xmlSetStructuredErrorFunc(structuredContext, structured);
    xmlSetGenericErrorFunc(genericContext, generic);
}

void ErrorCollector::collectFrom(xsltTransformContextPtr ctxt)
{
    xsltSetTransformErrorFunc(ctxt, this, onGeneric);
}

QString ErrorCollector::text() const
{
    QStringList lines;
    for (const QString &line : collected.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines << trimmed;
    }
    return lines.join(u'\n');
}

void ErrorCollector::add(const QString &report)
{
    if (collected.size() < maxCollected)
        collected += report.left(maxCollected - collected.size());
}

void ErrorCollector::onGeneric(void *self, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    static_cast<ErrorCollector *>(self)->add(QString::vasprintf(format, args));
    va_end(args);
}

void routeXsltErrorsToRuns() { xsltSetGenericErrorFunc(nullptr, reportToRunOnThisThread); }
