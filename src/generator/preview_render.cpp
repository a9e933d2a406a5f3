#include "generator/preview_render.h"

#include "documents/settings_files.h"
#include "documents/text_files.h"
#include "documents/trusted_folders.h"
#include "documents/workspace.h"
#include "generator/side_files.h"
#include "platform/pages/page_url.h"
#include "platform/ui/ui_services.h"

#include <QDir>
#include <QFileInfo>
#include <array>

namespace {

// How often each slot forgot its document: a part of the name its document is kept under.
std::array<unsigned, maxTables> &forgottenSources()
{
    static std::array<unsigned, maxTables> counts{};
    return counts;
}

// The name under which a worker keeps the slot's parsed XML document between renders.
QString keptSourceName(int slot)
{
    return QStringLiteral("table %1, %2").arg(slot).arg(forgottenSources()[size_t(slot)]);
}

} // namespace

QString pagesFolder() { return dataFolder() + QStringLiteral("/pages"); }

PageFilesLease::PageFilesLease() : lock(pagesFolder() + QStringLiteral("/.lock"))
{
    QDir().mkpath(pagesFolder());
    lock.setStaleLockTime(0); // held for as long as its process runs, however long
    if (lock.tryLock())
        removePageFiles();
}

PageFilesLease::~PageFilesLease()
{
    if (lock.isLocked())
        removePageFiles();
}

void PageFilesLease::removePageFiles()
{
    QDir folder(pagesFolder());
    for (const QString &name : folder.entryList({QStringLiteral("*.html")},
                                                QDir::Files | QDir::System | QDir::Hidden))
        folder.remove(name);
}

QString previewPagePath(int slot)
{
    return pagesFolder() + QStringLiteral("/browser-%1.html").arg(slot + 1);
}

QString windowPagePath(int slot)
{
    return pagesFolder() + QStringLiteral("/preview-%1.html").arg(slot + 1);
}

QString pageAddress(const QString &pageFile, RunTrust trust)
{
    return pageUrl(pageFile, QFileInfo(workspace().current().xmlFile()).absolutePath(),
                   runsRestricted(trust), currentReadableFolders())
        .toString();
}

QString previewCaption()
{
    const TableDocument &doc = workspace().current();
    return QStringLiteral("Web page from: ") + doc.xmlFile() + QStringLiteral(" [using ") +
           doc.xsltProcessorUsed + u']';
}

bool pluginHeldBack(RunTrust trust)
{
    return runsRestricted(trust) && !pluginCommandLine().isEmpty();
}

RenderOutcome pluginHeldBackOutcome()
{
    RenderOutcome outcome;
    outcome.status = QStringLiteral("Not rendered: the program ") + pluginCommandLine() +
                     QStringLiteral(" does not run for a table of a folder that is not trusted");
    outcome.heldBack.pluginCommand = pluginCommandLine();
    return outcome;
}

void forgetXmlSource(int slot) { ++forgottenSources()[size_t(slot)]; }

std::optional<TransformJob> beginRender(RunTrust trust)
{
    getXSLFile();
    if (pluginHeldBack(trust))
        return std::nullopt;
    const TableDocument &doc = workspace().current();
    TransformJob job = prepareTransform(doc.xmlFile(), doc.xslGenerated, trust);
    if (!job.plugIn)
        job.keptAs = keptSourceName(workspace().curTable);
    return job;
}

QStringList writePageFiles(const QByteArray &page, int slot, bool forWindow)
{
    QStringList unwritten;
    QDir().mkpath(pagesFolder());
    for (const QString &path : forWindow ? QStringList{previewPagePath(slot), windowPagePath(slot)}
                                         : QStringList{previewPagePath(slot)})
        if (!writeFileBytes(path, page))
            unwritten.append(path);
    return unwritten;
}

RenderOutcome finishRender(const TransformResult &result, const QStringList &unwritten,
                           bool forWindow, RunTrust trust)
{
    if (!result.message.isEmpty())
        ui().message(result.message);
    for (const QString &path : unwritten)
        reportWriteFailure(path);
    RenderOutcome outcome;
    outcome.rendered = true;
    const int slot = workspace().curTable;
    outcome.pagePath = forWindow ? windowPagePath(slot) : previewPagePath(slot);
    outcome.pageUrl = pageAddress(outcome.pagePath, trust);
    outcome.heldBack.fileReads = result.readsRefused;
    if (forWindow)
        workspace().lastHighlightedColumn.clear(); // the new page carries no outline
    outcome.caption = previewCaption();
    return outcome;
}

TransformResult renderGenerated(RunTrust trust, bool forWindow, RenderOutcome &outcome)
{
    const std::optional<TransformJob> job = beginRender(trust);
    if (!job) {
        outcome = pluginHeldBackOutcome();
        return {false, QByteArray(), heldBackNotice(outcome.heldBack)};
    }
    const TransformResult result = runTransformJob(*job);
    outcome = finishRender(result, writePageFiles(result.html, workspace().curTable, forWindow),
                           forWindow, trust);
    return result;
}
