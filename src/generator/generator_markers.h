#pragma once

#include <QString>

// Fixed texts written into the stylesheet first and replaced once the texts that belong
// there are known. Only the first occurrence of each is replaced.
namespace markers {
inline const QString including = QStringLiteral("<!--including statement Tarvik 3785SXAZ-->");
inline const QString variables = QStringLiteral("<!--variables statement Tarvik 754309WMTI-->");
inline const QString row = QStringLiteral("[Tarvik82100FCX22]");
inline const QString sorting = QStringLiteral("<!--sorting statement Tarvik 933KAMLP9-->");
inline const QString css = QStringLiteral("<!--css Tarvik 354509WQTI-->");
inline const QString script = QStringLiteral("<!--script Tarvik 924509XVTI-->");
} // namespace markers
