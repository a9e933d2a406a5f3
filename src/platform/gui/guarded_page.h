#pragma once

#include "platform/gui/page_dialogs.h"

#include <QWebEnginePage>

// A page whose dialogs never hold the program (page_dialogs.h) and which comes back when the
// program ends a renderer process it shared with a busy page (page_replacement.h).
class GuardedPage final : public QWebEnginePage {
public:
    explicit GuardedPage(QObject *parent);
    GuardedPage(QWebEngineProfile *profile, QObject *parent);

protected:
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
};
