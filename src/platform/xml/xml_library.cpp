#include "platform/xml/xml_library.h"

#include "platform/xml/xml_file_input.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <mutex>

namespace {

// libxml2 refuses an element only when this many are already open around it, so 2,048
// levels are allowed and the 2,049th is refused.
constexpr unsigned maxElementDepth = 2047;

} // namespace

void initXmlLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlParserMaxDepth = maxElementDepth;
        installXmlFileInput();
    });
}
