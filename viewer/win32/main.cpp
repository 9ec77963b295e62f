#include "viewer/win32/Startup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    return zuninfo::RunViewer(instance, showCommand);
}
