#pragma once

// What the model asks of a slot's table window. The menu commands have empty defaults: a
// window without such a member ignores the call.
class TableTreeView {
public:
    virtual ~TableTreeView() = default;
    // Rebuilds the property sheet for the selected node.
    virtual void fillProps() = 0;
    // Acts as a click on the selected node.
    virtual void doTClick() = 0;

    virtual void addit_Click() {}    // new column
    virtual void removeit_Click() {} // delete column
    virtual void ren_Click() {}      // rename column
    virtual void badd_Click() {}     // new attribute
    virtual void bdel_Click() {}     // delete attribute
    virtual void edX_Click() {}      // edit attribute
    virtual void mup_Click() {}      // move column up
    virtual void mdown_Click() {}    // move column down
};
