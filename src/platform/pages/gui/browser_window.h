#pragma once

#include <QWidget>

class QWebEngineView;

// A separate top-level browser window for one page: 0.85 of the screen's width and
// height, 80 pixels right of and below the main window's corner, nothing read from or
// written to a cache, titled as its page or, while the page has no title of its own, by the
// caption given. It deletes itself when closed.
class BrowserWindow final : public QWidget {
    Q_OBJECT
public:
    // Opens the window at url; anchor is the main window (may be null).
    static BrowserWindow *open(const QUrl &url, const QWidget *anchor,
                               const QString &untitledCaption = {});

    QWebEngineView *view() const { return web; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    BrowserWindow(const QWidget *anchor, const QString &untitledCaption);
    QWebEngineView *web = nullptr;
};
