#include "platform/gui/guarded_page.h"

#include "platform/gui/page_replacement.h"

GuardedPage::GuardedPage(QObject *parent) : QWebEnginePage(parent) { watchRenderer(this); }

GuardedPage::GuardedPage(QWebEngineProfile *profile, QObject *parent)
    : QWebEnginePage(profile, parent)
{
    watchRenderer(this);
}
