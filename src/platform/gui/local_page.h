#pragma once

class QWebEnginePage;

// A page shows the images, style sheets, fonts, media and scripts it names, on this
// machine or on the web, and follows its links, as a browser that opened it from disk does.
// Its scripts read nothing: an XHR or fetch (of a file:// URL or any other), a frame or an
// object it asks for is refused. A page file shown from its address (page_url.h) is an
// origin of its own: other local files are cross-origin to its scripts. A page whose address
// holds it back from the web (page_url.h) loads nothing from the web, not even by a link.

// Makes the page files' scheme known; call before the application object is made.
void registerPageScheme();
// Sets up the page's rules, and serves page files in its profile.
void restrictLocalPage(QWebEnginePage *page);
