#pragma once

#include <QString>

// A table's publish settings: ten settings files in the data folder named
// "set-ftp-" key "-" table name. Texts are stored as typed; check boxes as "0" or "1".
struct PublishSettings {
    QString sname;
    QString uname;
    QString sdir;
    QString password; // as typed; the file holds it scrambled
    QString proxyname;
    QString bypassproxy;
    int passivemode = 1;
    int dontx = 0;
    QString preview;
    QString currSource;
};

// The settings file of one key of a table.
QString publishSettingKey(const QString &key, const QString &tableName);

// Reads a table's settings. A missing file reads as ""; an empty check box file gives its
// default (passive mode ticked, dontx clear); one holding no number keeps the value of
// `current`.
PublishSettings readPublishSettings(const QString &tableName, const PublishSettings &current = {});
// Writes the ten files in the order sname, uname, sdir, password, proxyname, bypassproxy,
// passivemode, dontx, preview, currSource; each failure is reported by writeFile. The
// password file can be read by its owner only. True when every file was written.
bool writePublishSettings(const QString &tableName, const PublishSettings &settings);

// Each character one up (scramble) or one down (unscramble) in the Windows-1252 code,
// 255 and 0 wrapping round; characters outside Windows-1252 stay as they are.
QString scramblePassword(const QString &text);
QString unscramblePassword(const QString &text);
