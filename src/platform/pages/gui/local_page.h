#pragma once

#include "platform/pages/gui/page_dialogs.h"

#include <QWebEnginePage>

// A page of the preview or the browser window. It shows the images, style sheets, fonts,
// media and scripts it names, on this machine or on the web, and follows its links to the
// web, as a browser that opened it from disk does. Its scripts, and the workers and frames
// they make, read nothing: an XHR, fetch, beacon, frame or object they ask for is refused,
// and a load that would let a script read what it got (a module, or anything asked for
// with crossorigin) reads no local file. A page file shown from its address (page_url.h) is
// an origin of its own: other local files are cross-origin to its scripts. The page stays
// on the local page the program opened: it moves itself to no other local file or page, and
// hands the desktop's URL opener only a link the user clicks.
// Its dialogs hold no window of the program (page_dialogs.h), and it comes back when the
// program ends a renderer process it shared with a busy page (page_replacement.h).
class LocalPage final : public QWebEnginePage {
public:
    // Sets up the page's rules, and the profile's: it serves page files and the local files
    // they name, and filters every request made in it.
    LocalPage(QWebEngineProfile *profile, QObject *parent);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptAlert(const QUrl &, const QString &text) override { pageAlert(this, text); }
    bool javaScriptConfirm(const QUrl &, const QString &text) override
    {
        return pageConfirm(this, text);
    }
    bool javaScriptPrompt(const QUrl &, const QString &text, const QString &value,
                          QString *answer) override
    {
        return pagePrompt(this, text, value, answer);
    }

private:
    QUrl hoveredLink; // the link under the pointer, if any
};

// Tells of each request refused because the page that made it is held back (page_url.h),
// from whichever thread refused it.
class HeldBackRequests final : public QObject {
    Q_OBJECT
signals:
    // The request's initiator and the address of its top frame: one of them is the page's.
    // fromWeb: it asked for the web; else for a local file outside the page's folders.
    void refused(const QUrl &initiator, const QUrl &firstParty, bool fromWeb);
};
HeldBackRequests &heldBackRequests();

// Makes the page files' schemes known and keeps pages' peer connections off the network;
// call before the application object is made.
void registerPageScheme();
