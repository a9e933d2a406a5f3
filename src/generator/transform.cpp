#include "generator/transform.h"

#include "documents/settings_files.h"
#include "documents/store_access.h"
#include "documents/workspace.h"
#include "generator/stylesheet_header.h"
#include "platform/ui_services.h"
#include "platform/xml_source_cache.h"
#include "platform/xslt_transform.h"

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

XsltOutcome runBuiltIn(const TransformJob &job)
{
    if (!job.sources)
        return runXslt(job.xmlPath, job.xslCode, job.baseUri);
    XsltOutcome failed;
    const std::shared_ptr<XmlSource> xml = job.sources->get(job.xmlPath, failed.reason);
    if (!xml) {
        failed.failure = XsltOutcome::Failure::XmlDocument;
        return failed;
    }
    return runXslt(*xml, job.xslCode, job.baseUri);
}

} // namespace

TransformJob prepareTransform(const QString &xmlPath, const QString &xslCode)
{
    TransformJob job;
    job.xmlPath = xmlPath;
    job.xslCode = xslCode;
    QString &used = workspace().current().xsltProcessorUsed;
    const QString commandLine = getKey(QStringLiteral("XSLT Command Line-Table"));
    job.plugIn =
        getKey(QStringLiteral("Use Plug In XSLT-Table")) == u"True" && !commandLine.isEmpty();
    if (job.plugIn) {
        job.plugin = preparePlugin(commandLine, xmlPath, xslCode, stylesheetFolder(), used);
    } else {
        used = builtInProcessor;
        job.baseUri = tableStylesheet();
    }
    return job;
}

TransformResult runTransformJob(const TransformJob &job)
{
    if (job.plugIn)
        return runPluginCommand(job.plugin);
    const XsltOutcome outcome = runBuiltIn(job);
    TransformResult result;
    result.ok = outcome.failure == XsltOutcome::Failure::None;
    result.html = outcome.output;
    result.message = builtInMessage(outcome);
    return result;
}

TransformResult runTransform(const QString &xmlPath, const QString &xslCode)
{
    return runTransformJob(prepareTransform(xmlPath, xslCode));
}

QString transformXml(const QString &xmlPath, const QString &xslCode)
{
    const TransformResult result = runTransform(xmlPath, xslCode);
    if (!result.message.isEmpty())
        ui().message(result.message);
    return result.html;
}
