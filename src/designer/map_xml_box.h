#pragma once

// The add-column dialog's box "Map selected XML" as the next new column finds it.
struct MapXmlBox {
    bool ticked = false;
    bool enabled = false;
};

MapXmlBox &mapXmlBox();
