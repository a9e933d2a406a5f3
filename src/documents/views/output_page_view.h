#pragma once

// What the Save command asks of the stylesheet generator: writing the current slot's XSL
// output page. The generator installs it; null: a save writes the table file only.
class OutputPageView {
public:
    virtual ~OutputPageView() = default;
    virtual void savePage() = 0;
};
