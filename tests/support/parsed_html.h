#pragma once

#include <QString>

// An HTML text as libxml2's HTML parser understands it, serialized again without
// whitespace-only text: two pages that read the same give the same text.
QString parsedHtml(const QString &html);
