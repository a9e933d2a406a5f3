#include "generator/transform.h"

#include "documents/settings_files.h"
#include "documents/store_access.h"
#include "documents/stylesheet_destination.h"
#include "documents/table_commands.h"
#include "documents/text_files.h"
#include "documents/trusted_folders.h"
#include "documents/workspace.h"
#include "generator/stylesheet_header.h"
#include "platform/workers/xslt_workers.h"
#include "platform/xslt/generator_marks.h"

#include <QUrl>

namespace {

const QString builtInProcessor = QStringLiteral("msxsl");

// The XSL output folder; for a table never saved, which has none, the data folder.
QString stylesheetFolder()
{
    const QString folder = xslOutputFolder();
    return folder.isEmpty() ? dataFolder() + u'/' : folder;
}

// The table's stylesheet, as the built-in processor names it in its messages: the XSL
// output page, by default the table's name with ".xsl".
QString tableStylesheet()
{
    const TableDocument &doc = workspace().current();
    QString name = doc.xslFileName;
    if (name.isEmpty())
        name = getTableName(workspace().curTable) + QStringLiteral(".xsl");
    return stylesheetFolder() + name;
}

qint64 megabytesUp(qint64 bytes) { return (bytes + (qint64(1) << 20) - 1) >> 20; }

QString stoppedMessage(const XsltOutcome &outcome, const XsltLimits &limits)
{
    switch (outcome.stopReason) {
    case XsltStopReason::TimeLimit:
        return QStringLiteral("The XSLT transformation did not finish within %1 seconds and "
                              "was stopped.")
            .arg(limits.timeoutMs / 1000.0);
    case XsltStopReason::MemoryLimit:
        return QStringLiteral("The XSLT transformation needed %1 MB of memory, more than the "
                              "%2 MB it may use, and was stopped.")
            .arg(megabytesUp(outcome.memoryNeeded))
            .arg(limits.memoryBytes >> 20);
    case XsltStopReason::PageLimit:
        return QStringLiteral("The page is %1 MB, larger than the %2 MB the browser can show, "
                              "and is not shown.")
            .arg(megabytesUp(outcome.memoryNeeded))
            .arg(limits.pageBytes >> 20);
    case XsltStopReason::Requested:
    case XsltStopReason::None:
        break;
    }
    return QStringLiteral("The XSLT transformation was stopped.");
}

QString builtInMessage(const XsltOutcome &outcome, const XsltLimits &limits)
{
    switch (outcome.failure) {
    case XsltOutcome::Failure::Stopped:
        return stoppedMessage(outcome, limits);
    case XsltOutcome::Failure::XmlDocument:
        return QStringLiteral("Error in XML document: ") + outcome.reason;
    case XsltOutcome::Failure::XslDocument:
        return QStringLiteral("Error in XSL document: ") + outcome.reason;
    case XsltOutcome::Failure::ProcessorEnded:
        return outcome.reason;
    case XsltOutcome::Failure::Transform:
        return outcome.reason.isEmpty() ? QStringLiteral("The XSL transformation failed.")
                                        : outcome.reason;
    case XsltOutcome::Failure::None:
        break;
    }
    return {};
}

XsltOutcome runBuiltIn(const TransformJob &job)
{
    XsltRequest request;
    request.xmlPath = job.xmlPath;
    request.xslText = job.runningText.isEmpty() ? job.xslCode : job.runningText;
    request.baseUri = job.baseUri;
    request.keptAs = job.keptAs;
    request.limits = job.limits;
    return runInWorker(request);
}

// Line numbers count in the text that ran. When the stylesheet file holds another text (a
// preview's row limit or debug output, or no file yet), the message names the text the
// stylesheet window shows instead of the file.
QString pointingAtTheTextThatRan(const QString &message, const TransformJob &job)
{
    // libxslt names the file as a URI, its blanks and other letters escaped.
    const QString escaped = QString::fromUtf8(QUrl::toPercentEncoding(job.baseUri, "/"));
    QString pointed = message;
    for (const QString &name : {job.baseUri, escaped})
        pointed.replace(QStringLiteral("file ") + name + QStringLiteral(" line"),
                        QStringLiteral("the previewed stylesheet (XSL code window), line"));
    if (pointed == message || readFile(job.baseUri) == job.xslCode)
        return message;
    return pointed;
}

// The slot's marked text when it is the stylesheet marked, else "".
QString runningTextOf(const QString &xslCode)
{
    const QString &running = workspace().current().xslRunning;
    return !running.isEmpty() && withoutGeneratorMarks(running) == xslCode ? running : QString();
}

// A transform that must not run: result says why.
TransformJob refusedJob(const QString &why)
{
    TransformJob job;
    job.refused = true;
    job.refusal = why;
    return job;
}

} // namespace

QString pluginCommandLine()
{
    if (getKey(QStringLiteral("Use Plug In XSLT-Table")) != u"True")
        return {};
    return getKey(QStringLiteral("XSLT Command Line-Table"));
}

QString pluginStylesheetPath()
{
    return pluginCommandLine().isEmpty() ? QString() : stylesheetFolder() + pluginStylesheetName;
}

bool runsRestricted(RunTrust trust)
{
    return trust == RunTrust::Restricted ||
           (trust == RunTrust::ByFolder && !currentTableTrusted());
}

TransformJob prepareTransform(const QString &xmlPath, const QString &xslCode, RunTrust trust)
{
    // The table's name names the stylesheet's templates; the processor's own complaint
    // about it would not tell the user what to do.
    if (!workspace().current().tablePath.isEmpty() && !hasValidTableName())
        return refusedJob(invalidTableNameMessage());
    TransformJob job;
    job.xmlPath = xmlPath;
    job.xslCode = xslCode;
    QString &used = workspace().current().xsltProcessorUsed;
    const QString commandLine = pluginCommandLine();
    job.plugIn = !commandLine.isEmpty();
    const bool restricted = runsRestricted(trust);
    if (job.plugIn && restricted)
        return refusedJob(heldBackNotice({.pluginCommand = commandLine}));
    if (job.plugIn) {
        // Refused, the plug-in gets no stylesheet and does not run.
        if (!mayWriteStylesheet(pluginStylesheetPath()))
            return refusedJob(QString());
        job.plugin = preparePlugin(commandLine, xmlPath, xslCode, stylesheetFolder(), used);
    } else {
        used = builtInProcessor;
        job.runningText = runningTextOf(xslCode);
        job.baseUri = tableStylesheet();
        job.limits.timeoutMs = pluginTimeoutMs; // both processors get the same time
        job.codeFields = currentCodeFields();
        if (restricted)
            job.limits.readableFolders = currentReadableFolders();
    }
    return job;
}

TransformResult runTransformJob(const TransformJob &job)
{
    if (job.refused)
        return {false, QByteArray(), job.refusal};
    if (job.plugIn)
        return runPluginCommand(job.plugin, pluginTimeoutMs, pluginOutputLimit,
                                job.limits.stopToken);
    const XsltOutcome outcome = runBuiltIn(job);
    TransformResult result;
    result.ok = outcome.failure == XsltOutcome::Failure::None;
    result.html = outcome.output;
    result.readsRefused = outcome.readsRefused;
    result.message = pointingAtTheTextThatRan(builtInMessage(outcome, job.limits), job);
    // A stylesheet that does not parse, or does not compile (an Xpath of a field).
    if (outcome.failure == XsltOutcome::Failure::XslDocument
        || outcome.failure == XsltOutcome::Failure::Transform)
        result.message = namingFaultyCodeField(result.message, job.codeFields);
    return result;
}

TransformResult runTransform(const QString &xmlPath, const QString &xslCode, RunTrust trust)
{
    return runTransformJob(prepareTransform(xmlPath, xslCode, trust));
}
