#pragma once

#include "platform/xslt/xslt_run_limits.h"
#include "platform/xslt/xslt_running_form.h"

#include <QByteArray>
#include <QString>
#include <memory>

struct _xmlDoc;

// XSLT 1.0 in process on libxml2 / libxslt / libexslt.
//
// Every transform runs with security preferences of its own that refuse writing files,
// creating folders and any network access. Every document it reads (the XML document, the
// stylesheet, its imports and includes, and documents read by document()) is parsed
// without network access, entity substitution or DTD loading; a URI with a scheme other
// than "file:", or naming anything but a regular file, is not loaded at all; a run given
// readable folders (XsltLimits) loads no other file than the XML document outside them. EXSLT is
// available, and "node-set" answers in the namespace "urn:schemas-microsoft-com:xslt" as
// well. Runs are independent: each collects its own errors and has its own memory bound
// (xslt_run_limits.h). A run works on the calling thread until it ends: the program runs
// it in a worker process (xslt_workers.h), which can be ended whatever step it is in.

// Sets up libxml2 (initXmlLibrary) and libxslt for the program; later calls do nothing.
// Call it on the main thread before anything uses libxml2 (every run calls it too).
void initialiseXslt();

struct XsltOutcome {
    // ProcessorEnded: the worker process running it ended before it answered (a crash, a kill).
    enum class Failure { None, XmlDocument, XslDocument, Transform, Stopped, ProcessorEnded };

    Failure failure = Failure::None;
    XsltStopReason stopReason = XsltStopReason::None; // why a Stopped run was stopped
    // Stopped at the memory bound: what the run held and asked for; at the page bound: the
    // page's length.
    qint64 memoryNeeded = 0;
    QByteArray output; // the serialized page in its declared encoding; "" after a failure
    QString reason; // libxml2's / libxslt's description of the failure
    bool readsRefused = false; // a file it asked for lay outside its readable folders
};

// A source document parsed once (with the rules above) to be transformed many times; runs
// only read it, so several may share it at once.
class XmlSource {
public:
    // The file parsed under the memory bound; null when it is not well-formed or cannot be
    // read, or when the bound ended the parse: failure says which, as runXslt.
    static std::shared_ptr<XmlSource> parse(const QString &xmlPath, const XsltLimits &limits,
                                            XsltOutcome &failure);
    ~XmlSource();
    XmlSource(const XmlSource &) = delete;
    XmlSource &operator=(const XmlSource &) = delete;
    _xmlDoc *document() const { return doc; }

private:
    explicit XmlSource(_xmlDoc *doc) : doc(doc) {}
    _xmlDoc *doc;
};

// Runs the stylesheet text over a parsed source document; as runXslt. A stylesheet that
// strips white space works on a copy, so the source stays as parsed.
XsltOutcome runXslt(const std::shared_ptr<const XmlSource> &xml, const QString &xslText,
                    const QString &baseUri, const XsltLimits &limits = {},
                    StylesheetForm form = StylesheetForm::Running,
                    const QByteArray &markName = generatorMarkName());

// Runs the stylesheet text over the XML file. The stylesheet is parsed from memory as if
// it were the file baseUri (a path), so relative imports and document() calls resolve
// from that file's folder. The text runs in its running form; when that fails, the text
// runs as written, so that a failure is reported as the text itself gives it. Only the mark
// of that name counts as the generator's (generator_marks.h).
XsltOutcome runXslt(const QString &xmlPath, const QString &xslText, const QString &baseUri,
                    const XsltLimits &limits = {},
                    StylesheetForm form = StylesheetForm::Running,
                    const QByteArray &markName = generatorMarkName());

// The trees of the last run on this thread are freed here, once its page was passed on, or
// as the next run begins.
void freeReportedRun();
