#include "documents/stylesheet_destination.h"

#include "documents/path_helpers.h"
#include "documents/workspace.h"
#include "platform/ui_services.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The file a write would really reach: links followed, "." and ".." resolved.
QString reachedFile(const QString &path)
{
    const QFileInfo info(slashPath(path));
    if (info.exists())
        return info.canonicalFilePath();
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? QDir::cleanPath(info.absolutePath()) : folder) + u'/' +
           info.fileName();
}

bool isStylesheetInFolderOf(const QString &path, const QString &tablePath)
{
    const QString target = reachedFile(path);
    const QString tableFolder =
        QFileInfo(QFileInfo(slashPath(tablePath)).absolutePath()).canonicalFilePath();
    return target.endsWith(QStringLiteral(".xsl")) && !tableFolder.isEmpty() &&
           QFileInfo(target).absolutePath() == tableFolder;
}

} // namespace

bool mayWriteStylesheet(const QString &path)
{
    TableDocument &doc = workspace().current();
    if (!doc.xslPathFromFile || isStylesheetInFolderOf(path, doc.tablePath))
        return true;
    const auto known = doc.stylesheetPathAnswers.constFind(path);
    if (known != doc.stylesheetPathAnswers.constEnd())
        return *known;
    const bool yes = ui().askYesNo(QStringLiteral("This table writes its stylesheet to ") + path +
                                   QStringLiteral(". Write it there?")) ==
                     UiServices::Answer::Yes;
    doc.stylesheetPathAnswers.insert(path, yes);
    return yes;
}
