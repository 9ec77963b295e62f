#include "platform/ProgramArguments.h"
#include "viewer/win32/Startup.h"

// The command line is read as Windows splits it, in UTF-16, so that a file of
// any name can be given (dropped on the program, or "Open with").
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    return zuninfo::RunFromCommandLine(instance, showCommand, zuninfo::ProgramArguments(__argc, __argv));
}
