#pragma once

// The working folder of a running program: the program folder's "tmp/", or in the
// per-user data folder one folder per running instance (see programPath).

// Creates the working folder. A per-instance folder is marked as in use for the
// life of the process, and the folders that instances which are no longer running
// left behind (after a crash, with the cover's pictures) are removed. False when the
// folder cannot be created.
bool claimWorkingFolder();

// At the end of the program: a per-instance folder goes with whatever it still holds.
void releaseWorkingFolder();
