#pragma once

class QWebEngineProfile;

// Serves page files (page_url.h) in the profile's pages, each under its own address.
void servePageFiles(QWebEngineProfile *profile);
// Serves the local files the profile's pages name (page_url.h's localFileUrl): regular files
// only, to a page held back from the web only from its own folders (a link counting where it
// leads), and to another origin only fonts, so no script reads what they hold.
void serveLocalFiles(QWebEngineProfile *profile);
