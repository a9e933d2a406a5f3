#include "generator/transform.h"

#include "documents/settings_files.h"
#include "documents/store_access.h"
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

QString builtInMessage(const XsltOutcome &outcome)
{
    switch (outcome.failure) {
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
    // Named like the plug-in's file, so both processors point to the same place.
    const XsltOutcome outcome =
        runXslt(xmlPath, xslCode, stylesheetFolder() + pluginStylesheetName);
    TransformResult result;
    result.ok = outcome.failure == XsltOutcome::Failure::None;
    result.html = outcome.output;
    result.message = builtInMessage(outcome);
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
    return runPlugin(commandLine, xmlPath, xslCode, stylesheetFolder(),
                     workspace().current().xsltProcessorUsed);
}

QString transformXml(const QString &xmlPath, const QString &xslCode)
{
    const TransformResult result = runTransform(xmlPath, xslCode);
    if (!result.message.isEmpty())
        ui().message(result.message);
    return result.html;
}
