#pragma once

class QWebEnginePage;

// A page read from a file shows the images, style sheets, fonts, media and scripts it
// names, on this machine or on the web, and follows its links, as a browser that opened
// it from disk does. Its scripts read nothing: an XHR or fetch (of a file:// URL or any
// other), a frame or an object it asks for is refused.
void restrictLocalPage(QWebEnginePage *page);
