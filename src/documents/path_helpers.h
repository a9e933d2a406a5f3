#pragma once

#include <QString>

// File-name and folder arithmetic. Paths use "/"; a "\" in stored data is read as "/".

// The text after the last "/" or "\"; the whole path when it holds neither.
QString getFileName(const QString &path);
// getFileName cut before its first ".".
QString getBaseName(const QString &path);
// The folder with its final "/"; "" when the path names no folder.
QString getDir(const QString &path);
// getDir without its final "/" (the root folder stays "/").
QString getFolder(const QString &path);
// The relative path from one folder to another, with "/" separators and a final "/";
// "" for the same folder. Folder names are compared exactly and keep their letter case.
QString relativePath(const QString &fromDir, const QString &toDir);
// A path stored in a table file as a full path: a relative one (a bare name, "sub/x.xml",
// "../x.xml") is taken from tableDir, the table file's own folder ending in "/"; "." and
// ".." steps are resolved and a final "/" is kept. "" stays "", and so does a relative path
// when tableDir is "" (a table with no file).
QString resolvedPath(const QString &stored, const QString &tableDir);
// A relative path stored for one folder, stored for another: the file it names from
// oldDir, named from newDir. An absolute path, a URL and "" stay as they are, and so does
// every path when the folders are the same.
QString reexpressedPath(const QString &stored, const QString &oldDir, const QString &newDir);
// The path with links and "." / ".." resolved when the file exists, else made absolute
// and cleaned, so that two names of one file compare equal.
QString canonicalPath(const QString &path);
// True for two different table files of one base name, whose templates and side files a
// call would mix up.
bool sameNameOtherTable(const QString &table, const QString &other);
// A path with every "\" turned into "/".
QString slashPath(const QString &path);
// A path as a URL path: every byte of its UTF-8 form but the unreserved characters and
// "/" percent-encoded, so that blanks, apostrophes and "#" survive in an attribute and a
// URI reference.
QString urlEncodedPath(const QString &path);
// An absolute path as a "file://" URL with its path percent-encoded; "" gives "file:///".
QString fileUrl(const QString &path);
