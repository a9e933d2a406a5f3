#include "platform/workers/xml_source_cache.h"

#include <QFileInfo>

std::shared_ptr<XmlSource> XmlSourceCache::get(const QString &xmlPath, const XsltLimits &limits,
                                               XsltOutcome &failure)
{
    const QFileInfo file(xmlPath);
    const qint64 fileSize = file.size();
    const QDateTime fileModified = file.lastModified();
    const std::lock_guard lock(mutex);
    if (source && xmlPath == path && fileSize == size && fileModified == modified)
        return source;
    source.reset(); // the old document goes before the new one is parsed
    source = XmlSource::parse(xmlPath, limits, failure);
    path = xmlPath;
    size = fileSize;
    modified = fileModified;
    return source;
}
