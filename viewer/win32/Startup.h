#pragma once

#include <windows.h>

namespace zuninfo {

// Creates the main window (which reads the name lists), shows it and runs
// the message loop until it is closed. An error that leaves the window's
// constructor is shown in an error box and ends the program. Returns the
// program's exit code, which is always 0.
int RunViewer(HINSTANCE instance, int showCommand);

} // namespace zuninfo
