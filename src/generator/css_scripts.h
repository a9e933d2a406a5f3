#pragma once

#include <QString>

// The companion templates of a generated stylesheet for the current slot's table T.

// T_globalScripts: the page's JavaScript helpers.
QString getJS(const QString &tableName);
// T_css: the style element with the table's, the headers' and every column's rule.
QString getCSS(const QString &tableName);
// The rule of class T & "s0" (the table's appearance), ending in CR LF.
QString getTableCSS(const QString &tableName);
// The rule of class T & "sh" (every header cell), ending in CR LF.
QString getHeaderCSS(const QString &tableName);
