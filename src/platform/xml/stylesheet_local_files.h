#pragma once

#include <QString>
#include <QStringList>

// The files on this computer that a stylesheet reads by name: the stylesheets its
// xsl:import and xsl:include elements name and the documents its document() calls name
// with a literal, each resolved against the stylesheet's own path, and in turn what the
// stylesheets it imports or includes read. Only regular files that exist are listed, each
// once, in the order met; a URL of another scheme (http:, ftp:) names no file here.
QStringList localFilesRead(const QString &xslText, const QString &xslPath);
