#pragma once

// The program's version, written into every generated stylesheet.
constexpr int programVersionMajor = 3;
constexpr int programVersionMinor = 0;
constexpr int programVersionRevision = 4;
