#pragma once

#include <QStringList>

// Every file libxml2 and libxslt read (documents, stylesheets, imports, includes,
// document()) is opened here: a local file given by path or file: URL, opened without
// blocking and read only when the open file is a regular one (links to one are followed).
// Pipes, devices, folders and other schemes are refused with a message to the caller's
// error handler, so no read can block or never end.
void installXmlFileInput();

// While one lives, the files read on its thread (imports, includes, document()) must lie
// directly in one of the folders, links resolved: a file in a subfolder or outside is
// refused with a message. No folders: any file, as without one.
class ReadableFolders {
public:
    explicit ReadableFolders(const QStringList &folders);
    ~ReadableFolders();
    ReadableFolders(const ReadableFolders &) = delete;
    ReadableFolders &operator=(const ReadableFolders &) = delete;

    // Whether a file directly in the folder (canonical) may be read; a refusal is noted.
    bool admits(const QString &folder);
    // Whether a read was refused while it lived.
    bool refusedAny() const { return refused; }

private:
    QStringList allowed;
    ReadableFolders *previous = nullptr;
    bool held = false;
    bool refused = false;
};
