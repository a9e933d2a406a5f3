#pragma once

// Every file libxml2 and libxslt read (documents, stylesheets, imports, includes,
// document()) is opened here: a local file given by path or file: URL, opened without
// blocking and read only when the open file is a regular one (links to one are followed).
// Pipes, devices, folders and other schemes are refused with a message to the caller's
// error handler, so no read can block or never end.
void installXmlFileInput();
