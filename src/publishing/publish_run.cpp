#include "publishing/publish_run.h"

#include "documents/path_helpers.h"
#include "documents/settings_files.h"
#include "documents/store_access.h"
#include "documents/string_helpers.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "generator/stylesheet_header.h"
#include "generator/xsl_generator.h"
#include "platform/ui/ui_services.h"
#include "platform/xml/stylesheet_local_files.h"
#include "publishing/aspftp.h"
#include "publishing/php_page.h"

#include <QDir>

namespace {

constexpr int proxyAccess = 3;

QString uploadFile(const char *name) { return settingsPath(QLatin1String(name)); }

QString copyingStatus(const QString &name)
{
    return QStringLiteral("Copying file ") + name + QStringLiteral("...");
}

bool writeUploadFile(const QString &path, const QString &text, PublishRefusal *refusal)
{
    if (writeFile(path, text, false))
        return true;
    refusal->status = QStringLiteral("Cannot write to file ") + path;
    return false;
}

// Nothing is sent without a server to send it to.
bool refuseWithoutServer(const PublishSettings &settings, PublishRefusal *refusal)
{
    if (!trimWhiteVar(settings.sname).isEmpty())
        return false;
    const QString reason = QStringLiteral("Server name required.");
    ui().message(reason);
    *refusal = {QStringLiteral("Publishing did not start: ") + reason, QStringLiteral("sname")};
    return true;
}

void setUpClient(ASPFTP &client, const PublishSettings &settings)
{
    client.sPassword(settings.password);
    client.sServerName(settings.sname);
    client.sUserID(settings.uname);
    client.sproxyname(trimWhiteVar(settings.proxyname));
    client.sproxybypass(trimWhiteVar(settings.bypassproxy));
    if (!client.sproxyname().isEmpty())
        client.lAccessType(proxyAccess);
    client.bPassiveMode(settings.passivemode == 1);
}

PublishOutcome failed(const ASPFTP &client)
{
    const QString text = client.sErrorDesc().isEmpty() ? client.sError() : client.sErrorDesc();
    return {false, text};
}

// A remote name is a plain file name in the target folder, never a way out of it.
std::optional<QString> folderPartRefusal(const PublishJob &job)
{
    for (const PublishJob::Upload &upload : job.uploads) {
        const QString &name = upload.remoteName;
        if (name.contains(QChar('/')) || name.contains(QChar('\\')) || name == u"." ||
            name == u"..")
            return QStringLiteral("Cannot publish under the name \"") + name +
                   QStringLiteral("\": a remote file name cannot hold \"/\" or \"\\\" or be "
                                  "\".\" or \"..\". Nothing was uploaded.");
    }
    return std::nullopt;
}

} // namespace

std::optional<PublishJob> preparePublish(const PublishSettings &settings, bool phpMode,
                                         PublishRefusal *refusal)
{
    TableDocument &doc = workspace().current();
    const QString tableName = getTableName(workspace().curTable);
    writePublishSettings(tableName, settings);
    if (refuseWithoutServer(settings, refusal))
        return std::nullopt;

    PublishJob job{settings, {}};
    const QString xmlName = getFileName(doc.xmlPath);
    job.uploads.append({doc.xmlFile(), xmlName, copyingStatus(xmlName)});

    const QString stylesheet = generateForOutput();
    if (doc.xslFileName.isEmpty())
        doc.xslFileName = tableName + QStringLiteral(".xsl");
    const QString xslPath = uploadFile("set-temp-xsl-publish.xsl");
    if (!writeUploadFile(xslPath, stylesheet, refusal))
        return std::nullopt;
    job.uploads.append({xslPath, doc.xslFileName, copyingStatus(doc.xslFileName)});
    job.localOnlyFiles = localFilesRead(stylesheet, xslOutputFolder() + doc.xslFileName);
    job.localOnlyFiles.removeAll(QDir::cleanPath(doc.xmlFile()));

    if (phpMode) {
        const QString phpPath = uploadFile("set-temp-php-xsltproc-publish.php");
        const QString page =
            buildPhpPage(xmlName, doc.xslFileName, settings.currSource, settings.dontx == 1);
        if (!writeUploadFile(phpPath, page, refusal))
            return std::nullopt;
        job.uploads.append({phpPath, doc.xslFileName + QStringLiteral(".php"),
                            QStringLiteral("Copying PHP (xsltproc) code...")});
    }
    return job;
}

namespace {

PublishOutcome transferAll(const PublishJob &job, const PublishStatus &status)
{
    if (const std::optional<QString> refusal = folderPartRefusal(job))
        return {false, *refusal};
    ASPFTP client;
    setUpClient(client, job.settings);
    status(QStringLiteral("Connecting to FTP server..."));
    if (!client.bConnect())
        return failed(client);
    client.bMakeDir(job.settings.sdir); // fails when the folder exists, which is fine
    if (!client.bSetCurrentDir(job.settings.sdir))
        return failed(client);
    for (const PublishJob::Upload &upload : job.uploads) {
        status(upload.status);
        if (!client.bPutFile(upload.localPath, upload.remoteName))
            return failed(client);
    }
    client.bDisconnect();
    status(QStringLiteral("Done"));
    return {true, {}};
}

// "Published successfully!", naming the files the page still needs from this computer,
// and the offer to open the page when asking.
QString successText(const QStringList &localOnlyFiles, bool asking)
{
    QString text = QStringLiteral("Published successfully!");
    if (!localOnlyFiles.isEmpty())
        text += QStringLiteral("\n\nThe published stylesheet reads these files, which exist only "
                               "on this computer and were not uploaded:\n")
                + localOnlyFiles.join(QChar('\n')) + QString::fromLatin1(asking ? "\n\n" : "");
    else if (asking)
        text += QChar(' ');
    if (asking)
        text += QStringLiteral("Do you want to view your web page in web browser?");
    return text;
}

} // namespace

PublishOutcome runPublishTransfers(const PublishJob &job, const PublishStatus &status)
{
    PublishOutcome outcome = transferAll(job, status);
    if (!outcome.ok)
        status(outcome.error);
    outcome.localOnlyFiles = job.localOnlyFiles;
    return outcome;
}

bool finishPublish(const PublishOutcome &outcome, bool phpMode, QString &preview)
{
    if (!outcome.ok) {
        ui().message(outcome.error);
        return false;
    }
    if (!phpMode || trimWhiteVar(preview).isEmpty()) {
        ui().message(successText(outcome.localOnlyFiles, false));
        return true;
    }
    if (ui().askYesNoCancel(successText(outcome.localOnlyFiles, true)) != UiServices::Answer::Yes)
        return true;
    trimWhite(preview);
    if (!preview.endsWith(QChar('/')) && !preview.endsWith(QChar('\\')))
        preview += QChar('/');
    ui().openInBrowser(preview + workspace().current().xslFileName + QStringLiteral(".php"));
    return true;
}

PublishOutcome publishCurrentTable(PublishSettings settings, bool phpMode,
                                   const PublishStatus &status)
{
    PublishRefusal refusal;
    const std::optional<PublishJob> job = preparePublish(settings, phpMode, &refusal);
    if (!job) {
        status(refusal.status);
        return {false, refusal.status};
    }
    const PublishOutcome outcome = runPublishTransfers(*job, status);
    finishPublish(outcome, phpMode, settings.preview);
    return outcome;
}
