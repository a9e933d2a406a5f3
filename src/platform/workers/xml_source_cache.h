#pragma once

#include "platform/xslt/xslt_transform.h"

#include <QDateTime>
#include <QString>
#include <memory>
#include <mutex>

// The parsed XML document of one table, kept while its file's path, size and modification
// time stay the same. Safe to use from any thread.
class XmlSourceCache {
public:
    // The parsed document of the file, parsed again under the memory bound when the file
    // changed; null with failure set when it cannot be parsed or the parse was stopped.
    std::shared_ptr<XmlSource> get(const QString &path, const XsltLimits &limits,
                                   XsltOutcome &failure);

private:
    std::mutex mutex;
    QString path;
    qint64 size = -1;
    QDateTime modified;
    std::shared_ptr<XmlSource> source;
};
