#pragma once

#include <QString>

// The PHP page a publish run uploads beside the XML file and the stylesheet. On a web
// server with xsltproc it transforms the XML file with the stylesheet and sends the HTML;
// with a live source it first replaces the XML file with what it reads there. The names
// go into PHP single-quoted strings escaped, and into the command line through
// escapeshellarg().
//   xmlFile    the XML file's remote name
//   xslFile    the stylesheet's remote name
//   liveSource the live XML source, blanks around it ignored; none when empty or equal to
//              xmlFile
//   noTransform "Don't generate XSL transformation code" is ticked
// Lines are CR LF apart, with none after the last.
QString buildPhpPage(const QString &xmlFile, const QString &xslFile, const QString &liveSource,
                     bool noTransform);
