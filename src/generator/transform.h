#pragma once

#include "generator/code_field_fault.h"
#include "generator/plugin_processor.h"
#include "generator/transform_result.h"
#include "platform/xslt/xslt_run_limits.h"

#include <QString>

// The transform of the current slot's XML document by a stylesheet text, with the
// processor the table chooses: the built-in one (libxslt), or its plug-in command line
// when "Use Plug In XSLT-Table" is "True" and "XSLT Command Line-Table" is not empty.
// Both record in the slot's xsltProcessorUsed which one ran: "msxsl" for the built-in
// processor, else the expanded command line.

// How far a run trusts the table: as far as its folder is trusted (trusted_folders.h), or
// as its caller decides. A restricted run reads files only from the folders the table may
// read and does not run a plug-in processor.
enum class RunTrust { ByFolder, Trusted, Restricted };

// Everything one transform needs, taken from the slot on the user-interface thread, so
// that the transform itself can run on any thread.
struct TransformJob {
    bool refused = false; // the transform must not run; refusal says why ("" : told already)
    QString refusal;
    QString xmlPath;
    QString xslCode; // the stylesheet as written
    // Built-in: the same text with the generator's elements marked, the slot's xslRunning
    // when that is xslCode marked; "" runs xslCode, in which nothing is rewritten.
    QString runningText;
    bool plugIn = false;
    PluginCommand plugin; // plug-in: the command, its stylesheet file written
    QString baseUri;      // built-in: the table's stylesheet, for imports and messages
    XsltLimits limits;    // built-in: its bounds and readable folders; both: its stop token
    QString keptAs; // built-in: the name its worker keeps the parsed document under, or ""
    CodeFields codeFields; // built-in: to name the one that breaks the stylesheet
};

// The table's plug-in command line; "" when the table uses the built-in processor.
QString pluginCommandLine();
// The stylesheet file the table's plug-in processor reads; "" when the table uses the
// built-in processor.
QString pluginStylesheetPath();
// Whether a run of the current table with that trust is restricted.
bool runsRestricted(RunTrust trust);
// The table's processor chosen and recorded; for a plug-in, its stylesheet file written
// (a failure is reported). A restricted plug-in run is refused with the held-back notice.
TransformJob prepareTransform(const QString &xmlPath, const QString &xslCode,
                              RunTrust trust = RunTrust::Trusted);
// Runs a prepared transform and says what happened; shows nothing, touches no table.
TransformResult runTransformJob(const TransformJob &job);

// Runs the transform and says what happened; shows nothing itself, except the message of
// a plug-in stylesheet file that cannot be written.
TransformResult runTransform(const QString &xmlPath, const QString &xslCode,
                             RunTrust trust = RunTrust::Trusted);

