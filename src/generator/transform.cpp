#include "generator/transform.h"

#include "documents/settings_files.h"
#include "documents/store_access.h"
#include "documents/stylesheet_destination.h"
#include "documents/table_commands.h"
#include "documents/workspace.h"
#include "generator/plugin_processor.h"
#include "generator/stylesheet_header.h"
#include "platform/ui_services.h"
#include "platform/xslt_transform.h"

namespace {

const QString builtInProcessor = QStringLiteral("msxsl");

// The XSL output folder; for a table never saved, which has none, the data folder.
QString stylesheetFolder()
{
    const QString folder = xslOutputFolder();
    return folder.isEmpty() ? dataFolder() + u'/' : folder;
}

QString stoppedMessage(XsltStopReason reason, const XsltLimits &limits)
{
    switch (reason) {
    case XsltStopReason::TimeLimit:
        return QStringLiteral("The XSLT transformation did not finish within %1 seconds and "
                              "was stopped.")
            .arg(limits.timeoutMs / 1000.0);
    case XsltStopReason::MemoryLimit:
        return QStringLiteral("The XSLT transformation needed more than %1 MB of memory and "
                              "was stopped.")
            .arg(limits.memoryBytes >> 20);
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
        return stoppedMessage(outcome.stopReason, limits);
    case XsltOutcome::Failure::XmlDocument:
        return QStringLiteral("Error in XML document: ") + outcome.reason;
    case XsltOutcome::Failure::XslDocument:
        return QStringLiteral("Error in XSL document: ") + outcome.reason;
    case XsltOutcome::Failure::Transform:
        return outcome.reason.isEmpty() ? QStringLiteral("The XSL transformation failed.")
                                        : outcome.reason;
    case XsltOutcome::Failure::None:
        break;
    }
    return {};
}

TransformResult runBuiltIn(const QString &xmlPath, const QString &xslCode)
{
    workspace().current().xsltProcessorUsed = builtInProcessor;
    XsltLimits limits;
    limits.timeoutMs = pluginTimeoutMs; // both processors get the same time
    // Named like the plug-in's file, so both processors point to the same place.
    const XsltOutcome outcome =
        runXslt(xmlPath, xslCode, stylesheetFolder() + pluginStylesheetName, limits);
    TransformResult result;
    result.ok = outcome.failure == XsltOutcome::Failure::None;
    result.html = outcome.output;
    result.message = builtInMessage(outcome, limits);
    return result;
}

} // namespace

TransformResult runTransform(const QString &xmlPath, const QString &xslCode)
{
    // The table's name names the stylesheet's templates; the processor's own complaint
    // about it would not tell the user what to do.
    if (!workspace().current().tablePath.isEmpty() && !hasValidTableName())
        return {false, QString(), invalidTableNameMessage()};
    const QString commandLine = getKey(QStringLiteral("XSLT Command Line-Table"));
    if (getKey(QStringLiteral("Use Plug In XSLT-Table")) != u"True" || commandLine.isEmpty())
        return runBuiltIn(xmlPath, xslCode);
    // Refused, the plug-in gets no stylesheet and does not run.
    const QString folder = stylesheetFolder();
    if (!mayWriteStylesheet(folder + pluginStylesheetName))
        return {};
    return runPlugin(commandLine, xmlPath, xslCode, folder,
                     workspace().current().xsltProcessorUsed);
}

QString transformXml(const QString &xmlPath, const QString &xslCode)
{
    const TransformResult result = runTransform(xmlPath, xslCode);
    if (!result.message.isEmpty())
        ui().message(result.message);
    return result.html;
}
