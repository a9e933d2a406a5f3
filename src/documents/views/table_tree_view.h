#pragma once

// What the model asks of a slot's table window.
class TableTreeView {
public:
    virtual ~TableTreeView() = default;
    // Rebuilds the property sheet for the selected node.
    virtual void fillProps() = 0;
    // Acts as a click on the selected node.
    virtual void doTClick() = 0;
};
