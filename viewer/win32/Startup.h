#pragma once

#include "viewer/CommandLine.h"

#include <windows.h>

#include <string>
#include <vector>

namespace zuninfo {

// Creates the main window on the files the options choose (it reads the name
// lists), shows it and runs the message loop until it is closed. An error
// that leaves the window's constructor is shown in an error box and ends the
// program. Returns the program's exit code, which is always 0.
int RunViewer(HINSTANCE instance, int showCommand, ViewerOptions options = {});

// The program: its command line's arguments (after the program's name) as
// UTF-8. Runs the viewer, or prints what --help, --version or a mistake on
// the command line asks for (to the standard output or error when they lead
// somewhere, else in a message box) and gives the exit code.
int RunFromCommandLine(HINSTANCE instance, int showCommand, const std::vector<std::string>& arguments);

} // namespace zuninfo
