#pragma once

class QWebEngineProfile;

// Serves page files (page_url.h) in the profile's pages, each under its own address.
void servePageFiles(QWebEngineProfile *profile);
