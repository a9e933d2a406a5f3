#pragma once

class QUrl;
class QWebEngineView;

// Loads a page address (page_url.h) in the view once the navigation in flight there has
// ended, which it stops. The engine gives a document its local files (the page's pictures)
// by the address the view shows when the document commits; a blank page committing after
// the page's navigation began would take that address's place, and the page would show
// no local file. While it waits, a later address replaces the one waiting.
void loadPageAddress(QWebEngineView *view, const QUrl &address);
