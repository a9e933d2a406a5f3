// libFuzzer target: any bytes, read as a table file into an empty slot, must not crash
// or hang the reader.
#include "documents/table_file_reader.h"
#include "documents/text_files.h"
#include "documents/workspace.h"

#include <QByteArray>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text =
        decodeText(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    resetWorkspace();
    workspace().startupLoading = true; // no message for invalid input
    readTableText(QStringLiteral("fuzz.tvk"), text);
    return 0;
}
