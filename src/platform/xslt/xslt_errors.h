#pragma once

#include <QString>

#include <libxslt/xsltInternals.h>

// Collects what libxml2 and libxslt report during one XSLT run on the calling thread
// instead of printing it. libxml2's handlers are per thread and come back afterwards;
// libxslt's one process-wide handler is routed to the collector of the thread's run.
class ErrorCollector {
public:
    ErrorCollector();
    ~ErrorCollector();
    ErrorCollector(const ErrorCollector &) = delete;
    ErrorCollector &operator=(const ErrorCollector &) = delete;

    // Errors of the transform itself come through its context.
    void collectFrom(xsltTransformContextPtr ctxt);
    // The reports, one trimmed line each, empty lines left out.
    QString text() const;
    void add(const QString &report);

    static void onGeneric(void *self, const char *format, ...);

private:
    xmlStructuredErrorFunc structured;
    void *structuredContext;
    xmlGenericErrorFunc generic;
    void *genericContext;
    ErrorCollector *outer;
    QString collected;
};

// Sends libxslt's process-wide reports to the collector of the run on the reporting
// thread, or to standard error outside a run; call once.
void routeXsltErrorsToRuns();
