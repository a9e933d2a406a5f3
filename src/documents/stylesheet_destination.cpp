#include "documents/stylesheet_destination.h"

#include "documents/path_helpers.h"
#include "documents/workspace.h"
#include "platform/ui/ui_services.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The file a write would really reach: the folder's links followed, "." and ".." resolved.
// A link at the path itself is not followed: the writer replaces it.
QString reachedFile(const QString &path)
{
    const QFileInfo info(slashPath(path));
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

QString linkTarget(const QString &path)
{
    constexpr int deepestChain = 40; // as the system's own path lookup allows
    QFileInfo info(slashPath(path));
    for (int depth = 0; depth < deepestChain && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.filePath();
}

bool mayWriteStylesheet(const QString &path, bool throughLink)
{
    TableDocument &doc = workspace().current();
    if ((!doc.xslPathFromFile && !throughLink) || isStylesheetInFolderOf(path, doc.tablePath))
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
