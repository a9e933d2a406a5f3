#pragma once

// Rebuilds the current slot's property sheet for the selected node of the structure tree
// and fills its rows and holders from the store: choice rows left empty get their first
// choice, stored without marking the table changed. Then the row last used for the node
// is selected again and the sheet window shows the result. With no node selected the sheet
// shows no node: no rows, its bare caption.
void fillProps();
