#pragma once

#include <optional>

// The main window's place and size in twips, kept in the settings files "set-mainleft",
// "set-maintop", "set-mainwidth" and "set-mainheight".
struct MainGeometry {
    // A value that is missing or not a number leaves that side as it is.
    std::optional<int> left, top, width, height;
};

// The stored geometry; nullopt when "set-mainleft" does not exist.
std::optional<MainGeometry> readMainGeometry();
// Writes the four files (not silent: a failed write is reported and the rest written).
void writeMainGeometry(double left, double top, double width, double height);
