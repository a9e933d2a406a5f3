#pragma once

#include "publishing/ftp_entries.h"

#include <QString>

// Reads a server's long listing ("LIST") into entries. Lines in the Unix form
// ("drwxr-xr-x 2 owner group 4096 Jan 01 12:00 name") and in the DOS form
// ("01-29-97  11:32PM  <DIR>  name") are understood; "total" lines, the "." and ".."
// entries and lines of neither form are skipped. A folder gets the directory bit; an
// entry its owner may not write gets the read-only bit; any other entry is normal. A
// symbolic link is listed under its own name.
void parseListing(const QString &listing, colItem &entries);
