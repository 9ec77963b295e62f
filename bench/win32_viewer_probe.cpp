// The Windows program's start-up as its users get it (the same window, made
// and shown the same way, in a folder holding the name lists). Prints when
// it has been painted (Win32Probe.h), then exits.
#include "Win32Probe.h"

#include "viewer/win32/Unit1.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    TForm1 form(instance);
    form.Show(showCommand);
    return PrintWhenIdle([&form](MSG& message) { return form.HandleKeyboard(message); });
}
