#pragma once

#include <QString>
#include <QStringList>

// Small text procedures shared by every subsystem. Procedures that take a QString& change
// the caller's text in place; searches are exact (letter case counts) unless a
// Qt::CaseSensitivity says otherwise.

// Removes leading and trailing Tab, blank, LF and CR.
void trimWhite(QString &text);
QString trimWhiteVar(const QString &text);

// Removes every CR LF pair, then every CR, then every LF, then every Tab.
void stripBreaks(QString &text);
QString stripBreaksCopy(QString &text);

// One line of a listing: backslash, Tab, CR and LF as \\, \t, \r and \n; other control
// characters as \xNN.
QString escapedControls(const QString &text);

// Replaces every occurrence, left to right, without overlaps; a replacement is never
// searched again.
void replaceAll(QString &text, const QString &find, const QString &replacement);
void replaceFirst(QString &text, const QString &find, const QString &replacement);

// "&" -> "&amp;", then "<" -> "&lt;", then ">" -> "&gt;".
void xmlEscape(QString &text);
QString xmlEscaped(const QString &text);

// The "...." level prefix of interface item names.
QString stripIndent(const QString &text);
int indentLevel(const QString &text);

// The text before the first delimiter; the text becomes what follows the delimiter.
// Without a delimiter: "" and the text stays as it was.
QString takeToken(QString &text, const QString &delimiter,
                  Qt::CaseSensitivity mode = Qt::CaseSensitive);
// As takeToken; notFound tells whether the delimiter was missing.
QString takeTokenFound(QString &text, const QString &delimiter, bool &notFound,
                       Qt::CaseSensitivity mode = Qt::CaseSensitive);

// Splits until the first empty token, then gives the unsplit rest as the last entry.
// limit -1 means no limit; a limit n gives at most n tokens before the rest.
QStringList splitString(const QString &text, const QString &delimiter, int limit = -1,
                        Qt::CaseSensitivity mode = Qt::CaseSensitive);
// Splits every field, empty ones included; the last entry is the rest (empty when the
// whole text was split).
QStringList splitAll(const QString &text, const QString &delimiter, int limit = -1,
                     Qt::CaseSensitivity mode = Qt::CaseSensitive);
