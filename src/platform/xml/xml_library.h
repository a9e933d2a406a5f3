#pragma once

// Starts libxml2 once per process, before anything else uses it. Documents may nest
// elements up to 2048 deep (libxml2's own default refuses valid documents past 256 levels)
// while every other limit of the parser stays as it is. Files are read only as regular
// files (see xml_file_input.h).
void initXmlLibrary();
