#include "generator/preview_render.h"

#include "documents/settings_files.h"
#include "documents/text_files.h"
#include "documents/workspace.h"
#include "generator/side_files.h"
#include "platform/page_url.h"
#include "platform/ui_services.h"
#include "platform/xml_source_cache.h"

#include <QDir>
#include <QFileInfo>
#include <array>

namespace {

// The parsed XML document of each slot, kept between renders; a transform in flight holds
// its own reference.
std::shared_ptr<XmlSourceCache> &cachedSourceOf(int slot)
{
    static std::array<std::shared_ptr<XmlSourceCache>, maxTables> caches;
    return caches[size_t(slot)];
}

std::shared_ptr<XmlSourceCache> &xmlSourcesOf(int slot)
{
    std::shared_ptr<XmlSourceCache> &cache = cachedSourceOf(slot);
    if (!cache)
        cache = std::make_shared<XmlSourceCache>();
    return cache;
}

} // namespace

QString pagesFolder() { return dataFolder() + QStringLiteral("/pages"); }

QString previewPagePath(int slot)
{
    return pagesFolder() + QStringLiteral("/browser-%1.html").arg(slot + 1);
}

QString windowPagePath(int slot)
{
    return pagesFolder() + QStringLiteral("/preview-%1.html").arg(slot + 1);
}

QString pageAddress(const QString &pageFile)
{
    return pageUrl(pageFile, QFileInfo(workspace().current().xmlFile()).absolutePath()).toString();
}

QString previewCaption()
{
    const TableDocument &doc = workspace().current();
    return QStringLiteral("Web page from: ") + doc.xmlFile() + QStringLiteral(" [using ") +
           doc.xsltProcessorUsed + u']';
}

bool pluginAllowed()
{
    const QString command = pluginCommandLine();
    if (command.isEmpty())
        return true;
    const std::pair key{workspace().current().tablePath, command};
    QHash<std::pair<QString, QString>, bool> &answers = workspace().pluginAnswers;
    const auto known = answers.constFind(key);
    if (known != answers.constEnd())
        return *known;
    const bool yes = ui().askYesNo(QStringLiteral("This table runs the program ") + command +
                                   QStringLiteral(" to transform its XML. Run it?")) ==
                     UiServices::Answer::Yes;
    answers.insert(key, yes);
    return yes;
}

QString pluginRefusedStatus()
{
    return QStringLiteral("Not rendered: you chose not to run the program ") +
           pluginCommandLine();
}

void forgetXmlSource(int slot) { cachedSourceOf(slot).reset(); }

std::optional<TransformJob> beginRender(bool askBeforePlugIn)
{
    getXSLFile();
    if (askBeforePlugIn && !pluginAllowed())
        return std::nullopt;
    const TableDocument &doc = workspace().current();
    TransformJob job = prepareTransform(doc.xmlFile(), doc.xslGenerated);
    if (!job.plugIn)
        job.sources = xmlSourcesOf(workspace().curTable);
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
                           bool forWindow)
{
    if (!result.message.isEmpty())
        ui().message(result.message);
    for (const QString &path : unwritten)
        reportWriteFailure(path);
    RenderOutcome outcome;
    outcome.rendered = true;
    const int slot = workspace().curTable;
    outcome.pagePath = forWindow ? windowPagePath(slot) : previewPagePath(slot);
    outcome.pageUrl = pageAddress(outcome.pagePath);
    if (forWindow)
        workspace().lastHighlightedColumn.clear(); // the new page carries no outline
    outcome.caption = previewCaption();
    return outcome;
}

TransformResult renderGenerated(bool askBeforePlugIn, bool forWindow, RenderOutcome &outcome)
{
    const std::optional<TransformJob> job = beginRender(askBeforePlugIn);
    if (!job) {
        outcome = {};
        outcome.status = pluginRefusedStatus();
        return {};
    }
    const TransformResult result = runTransformJob(*job);
    outcome = finishRender(result, writePageFiles(result.html, workspace().curTable, forWindow),
                           forWindow);
    return result;
}
