#pragma once

#include <QString>

// The product's web site, shown in the About window; "What's new" lies there.
extern const QString productSite;

// "Help": the help page (its HTML given) is written to "Tarvik-help.htm" in the data
// folder and shown in the browser window.
void doHelp_Click(const QString &helpPage);
// "What's new": the product's page of changes in the browser window.
void whatsNew_Click();
// The About window's version text: "Tarvik v3.0.4 ." CR LF and the web site.
QString aboutVersionText();
// "Show first-time helpers again": the tip markers go, the user is told, and the start
// guidance runs for the current table.
void showT_Click();
