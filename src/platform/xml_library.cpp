#include "platform/xml_library.h"

#include <libxml/parser.h>
#include <libxml/parserInternals.h>
#include <mutex>

namespace {

constexpr unsigned maxElementDepth = 2048;

} // namespace

void initXmlLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        xmlInitParser();
        xmlParserMaxDepth = maxElementDepth;
    });
}
