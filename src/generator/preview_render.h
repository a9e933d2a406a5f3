#pragma once

#include "documents/views/preview_view.h"
#include "generator/transform.h"

#include <QString>
#include <optional>

// A render of the current slot's table for the preview, split where the transform can
// leave the user-interface thread: beginRender and finishRender touch the model and run
// on that thread, runTransformJob (transform.h) and writePageFiles run anywhere in between.

// The page files, in a folder of their own in the data folder.
QString pagesFolder();
// The slot's page file the separate browser shows, replaced by every render of the slot.
QString previewPagePath(int slot);
// The copy of the page the slot's preview window shows: windows of tables rendering side
// by side each load a file no other render replaces meanwhile.
QString windowPagePath(int slot);
// The address a browser shows the current slot's page file from; a restricted run's page
// is held back from the web and loads local files only from its XML document's folder and
// the folders its stylesheet may read.
QString pageAddress(const QString &pageFile, RunTrust trust = RunTrust::ByFolder);
// "Web page from: " + the XML path + " [using " + the processor + "]".
QString previewCaption();

// Whether a run with that trust leaves the table's plug-in command line unrun: a restricted
// one does, and nothing is rendered.
bool pluginHeldBack(RunTrust trust);
// What the preview shows of a render whose plug-in was held back.
RenderOutcome pluginHeldBackOutcome();

// The slot's parsed XML document is not used again: the next render parses it afresh.
void forgetXmlSource(int slot);

// The side files and the stylesheet view (getXSLFile), then the transform made ready.
// A plug-in held back gives nullopt and nothing is transformed.
std::optional<TransformJob> beginRender(RunTrust trust);
// Writes the page file (the page's bytes as they stand) of a render of the slot and, for the preview window (forWindow),
// its copy for the window; runs on any thread. Returns the files that could not be written.
QStringList writePageFiles(const QByteArray &page, int slot, bool forWindow);
// Shows the transform's failure and the page files that were not written and, for the
// preview window, clears the outline of the old page; a restricted run says what it held
// back.
RenderOutcome finishRender(const TransformResult &result, const QStringList &unwritten,
                           bool forWindow, RunTrust trust);
// The render on this thread of the stylesheet generated last: beginRender, the transform,
// finishRender. Returns what the transform gave (nothing ran when the plug-in was held back).
TransformResult renderGenerated(RunTrust trust, bool forWindow, RenderOutcome &outcome);
