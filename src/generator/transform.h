#pragma once

#include "generator/transform_result.h"

#include <QString>

// The transform of the current slot's XML document by a stylesheet text, with the
// processor the table chooses: the built-in one (libxslt), or its plug-in command line
// when "Use Plug In XSLT-Table" is "True" and "XSLT Command Line-Table" is not empty.
// Both record in the slot's xsltProcessorUsed which one ran: "msxsl" for the built-in
// processor, else the expanded command line.

// Runs the transform and says what happened; shows nothing itself, except the message of
// a plug-in stylesheet file that cannot be written.
TransformResult runTransform(const QString &xmlPath, const QString &xslCode);

// runTransform, with its failure shown in a message box. Returns the page: "" after a
// failure of the built-in processor, the reason as text after a failure of a plug-in one.
QString transformXml(const QString &xmlPath, const QString &xslCode);
