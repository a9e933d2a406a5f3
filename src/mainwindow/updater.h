#pragma once

// The updater is an outside program named by the settings file "set-updater-path"; with
// no such file nothing starts and nothing is reported, and the program goes on.

// The start-up check: the updater with "/silent /author "Tarvik" /program "Tarvik"".
void runUpdater();
// "Check for updates": the updater without switches, to run interactively.
void cnow_Click();
// "Check for updates on startup" with its new check mark: "autoupdate-option" reads
// "True" or "False" from now on (a failed write is reported).
void checkU_Click(bool checked);
