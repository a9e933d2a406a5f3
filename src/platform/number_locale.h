#pragma once

// Numbers are read and written the same on every locale: "0.25", never "0,25".
//
// The C library reads and prints numbers by the locale's numeric category, and libxml2
// turns XPath numbers into text with it. QCoreApplication's constructor sets every category
// from the environment, so the program and tvktool call this right after constructing
// their application object, before any other thread starts. Letters, messages and dates
// keep the user's locale.
void useLocaleFreeNumbers();
