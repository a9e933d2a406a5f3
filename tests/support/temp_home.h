#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh data folder (TARVIK_HOME) and a fresh workspace for one test; the previous
// TARVIK_HOME and working folder (opening a table moves into its folder) come back
// afterwards.
class TempHome {
public:
    TempHome();
    ~TempHome();
    QString path() const { return dir.path(); }
    // A path inside the data folder.
    QString file(const QString &name) const { return dir.filePath(name); }

private:
    QTemporaryDir dir;
    QByteArray previousHome;
    bool hadHome;
    QString previousFolder;
};
