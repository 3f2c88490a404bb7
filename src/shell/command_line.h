#pragma once

// The window-less commands of the program:
//   caseleaf render COVER.vrz --side back|front --out FILE.png [--dpi N]
//   caseleaf render COVER.vrz --side back|front --out FILE.pdf [--copies N] [--paper A4|Letter]
//   caseleaf print COVER.vrz --side back|front [--printer NAME] [--copies N] [--no-calibration]
//   caseleaf convert IN OUT           (either side may be a legacy .vrc cover)
//   caseleaf thumbnail IN.vrz OUT.png SIZE
//   caseleaf contents FOLDER [--sizes] [--spacing 22|32|42]
//   caseleaf --help
// They need no display and use a temporary working folder of their own, so they can run
// beside an open program.

// True when the arguments name one of the commands above; checked before any window
// or application object exists.
bool isCommandLine(int argc, char** argv);

// Runs the command: 0 on success, 1 after a failure (its message on standard error),
// 2 for a usage error (with the usage text).
int runCommandLine(int argc, char** argv);
