#include "properties/property_sheets.h"

#include "documents/workspace.h"

namespace {

std::array<PropertySheet, maxTables> &sheets()
{
    static std::array<PropertySheet, maxTables> all;
    return all;
}

} // namespace

PropertySheet &propertySheet(int slot) { return sheets()[size_t(slot)]; }

PropertySheet &currentSheet() { return propertySheet(workspace().curTable); }

void resetPropertySheet(int slot) { propertySheet(slot) = PropertySheet{}; }
