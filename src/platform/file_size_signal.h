#pragma once

// Called once at start-up: a write past the file size limit (ulimit -f) then fails with
// EFBIG and is reported like a full disk, instead of ending the program with SIGXFSZ.
void ignoreFileSizeSignal();
