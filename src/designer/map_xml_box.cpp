#include "designer/map_xml_box.h"

MapXmlBox &mapXmlBox()
{
    static MapXmlBox box;
    return box;
}
