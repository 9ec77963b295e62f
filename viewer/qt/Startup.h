#pragma once

#include "viewer/CommandLine.h"

namespace zuninfo {

// The program's id on the desktop: the name of its menu entry and its icon.
inline constexpr const char* kDesktopId = "io.github.zuninfo.Viewer";

// Creates the main window on the files the options choose (it reads the name
// lists), shows it and runs the event loop until it is closed. An error that
// leaves the window's constructor or the loop is shown in an error box and
// ends the program. Returns the program's exit code, which is always 0.
// Needs a QApplication.
int RunViewer(ViewerOptions options = {});

} // namespace zuninfo
