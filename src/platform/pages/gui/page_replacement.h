#pragma once

class QUrl;
class QWebEnginePage;

// A page's script can keep its renderer busy for good (an endless loop): the page answers
// nothing, and no new page shows in it. Renderer processes are shared by several pages, so
// such a script freezes them all.

// Shows url in the page in place of what it shows. A page that does not answer within a
// short wait has its renderer process ended first, and the address loads in a new one; the
// old page's dialogs are held meanwhile. The window stays responsive throughout.
void replacePage(QWebEnginePage *page, const QUrl &url);

// Makes the page load again when the program ends the renderer process it shares with a
// page that did not answer. Every page the program shows is watched from its creation.
void watchRenderer(QWebEnginePage *page);
