#pragma once

#include "documents/views/preview_view.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class OneLineLabel;
class QPushButton;
class QToolButton;
class QWebEngineLoadingInfo;
class QWebEngineView;
class QUrl;

// What the page's click reporter reaches of the preview: one call, nothing else.
class PreviewClicks final : public QObject {
    Q_OBJECT
public:
    explicit PreviewClicks(QObject *parent, std::function<void(const QStringList &)> onClick)
        : QObject(parent), onClick(std::move(onClick))
    {
    }
    // A click in the page, with the ids of the clicked element and its offset parents.
    Q_INVOKABLE void pageClicked(const QStringList &ids) { onClick(ids); }

private:
    std::function<void(const QStringList &)> onClick;
};

// The preview window `result` of a slot: the table's page in an embedded browser, with
// Reload, Auto-Reload, the row-limit list, browser navigation, a status line and, for a
// table of a folder that is not trusted, a one-line bar that says what was held back,
// when something the table asked for was. Clicks in
// the page select their column in the table tree. It registers itself as the slot's
// preview.
class PreviewWindow final : public QWidget, public PreviewView {
    Q_OBJECT
public:
    explicit PreviewWindow(int slot);
    ~PreviewWindow() override;

    // PreviewView
    void runit_Click() override;
    void setRowLimitIndex(int index) override;
    void setAutoReload(int value) override;
    void showRendered(const RenderOutcome &outcome) override;
    void clearPage() override;
    void highlightCell(const PreviewHighlight &request) override;
    void rbrowser_Click() override;
    void goback_Click() override;
    void goforward_Click() override;
    void stopit_Click() override;

    // The window's caption, also on the frame it sits in.
    void setCaption(const QString &caption);

    QWebEngineView *web = nullptr;
    QToolButton *runit = nullptr;
    QCheckBox *runChange = nullptr;
    QToolButton *rbrowser = nullptr;
    QComboBox *hrows = nullptr;
    QToolButton *goback = nullptr;
    QToolButton *goforward = nullptr;
    QToolButton *stopit = nullptr;
    QLabel *wstatus = nullptr;
    // Above the page, while the page shown had something held back: what, in one line (in
    // full words on hover and behind Details), and the step that trusts the table's folder
    // and renders again.
    QFrame *heldBackBar = nullptr;
    OneLineLabel *heldBackText = nullptr;
    QPushButton *heldBackDetails = nullptr;
    QPushButton *trustFolderButton = nullptr;

    // A click in the page, with the ids of the clicked element and its offset parents.
    void pageClicked(const QStringList &ids);

signals:
    // The outline of a highlight has been drawn (id "" when no cell was found).
    void highlighted(const QString &id);

private:
    void buildControls();
    void buildHeldBackBar();
    void showHeldBack(const HeldBack &what);
    void pageRequestRefused(const QUrl &initiator, const QUrl &firstParty, bool fromWeb);
    void trustFolder_Click();
    void installClickReporter();
    void hrows_Click(int index);
    void setStatus(const QString &text);
    void pageLoading(const QWebEngineLoadingInfo &loading);
    void countRowsShown();

    int tableSlot;
    QString pageCaption = QStringLiteral("Web"); // the caption of the page shown
    QString loadedStatus = QStringLiteral("Done"); // how the last page's loading ended
    bool replacing = false; // a new page is to show; the load it replaces still ends
    HeldBack heldBack;    // what was held back of the page shown
    QString shownPageHost; // the host of the page shown, whose refused requests count
};
