#pragma once

#include <QString>

// The text of an XML document as the table keeps it, and the cached copy written back.

// The document's characters, decoded as the parser decodes them: by its byte order mark,
// else by the encoding its declaration names; a document in UTF-8, or in an encoding
// unknown here, is read as any text file is.
QString readXmlText(const QString &path);

// The text with its declaration naming UTF-8, the encoding every text file is written in.
QString withUtf8Declaration(const QString &text);
