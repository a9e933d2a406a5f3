#pragma once

#include "generator/transform_result.h"
#include "platform/xslt/xslt_run_limits.h"

#include <QString>
#include <QStringList>

// The plug-in XSLT processor: a command line of the table's own, run without a shell.
// In it "xmlFileName" stands for the XML document and "xslFileName" for the stylesheet
// file, which is written beside the XSL output page first.

inline constexpr int pluginTimeoutMs = 30000;
// A processor that writes more than this is stopped: no page is that large.
inline constexpr qint64 pluginOutputLimit = qint64(256) << 20;
inline const QString pluginStylesheetName = QStringLiteral("TarvikTempXSLFile.xsl");
inline const QString pluginStartFailure =
    QStringLiteral("Failed to create process, check the path of the command line.");

// The command line split into program and arguments as QProcess::splitCommand does, then
// the first "xmlFileName" and the first "xslFileName" replaced by the paths. A path stays
// within the argument that named it, whatever characters it holds.
QStringList expandCommandLine(const QString &commandLine, const QString &xmlPath,
                              const QString &xslPath);
// The program and its arguments as one line, an argument with blanks or quotes quoted.
QString commandText(const QStringList &command);

// A plug-in run made ready: its stylesheet file written and its command expanded.
struct PluginCommand {
    QStringList command; // program, then arguments
    bool ready = false;  // false when the stylesheet file could not be written
};

// Writes xslCode to folder + pluginStylesheetName (a failure is reported) and expands the
// command line; processorUsed receives the expanded command line.
PluginCommand preparePlugin(const QString &commandLine, const QString &xmlPath,
                            const QString &xslCode, const QString &folder,
                            QString &processorUsed);
// Runs a prepared command and takes everything it writes, both streams, as the page.
// Touches nothing else, so it can run on any thread. A processor still running after
// timeoutMs, or writing more than maxOutputBytes, is stopped with everything it started;
// the page then says why. A stop requested on the token stops it too, leaving no page.
// A processor that fails (a non-zero exit status) gives no page but a message with its
// exit status and what it wrote to standard error.
TransformResult runPluginCommand(const PluginCommand &plugin, int timeoutMs = pluginTimeoutMs,
                                 qint64 maxOutputBytes = pluginOutputLimit,
                                 const XsltStopToken *stop = nullptr);
