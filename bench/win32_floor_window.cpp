// The floor the Windows program's start-up is compared with: the smallest
// Win32 window of the same client size, with no controls, shown the same
// way. Prints when it has been painted (Win32Probe.h), then exits.
#include "Win32Probe.h"

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Floor";
    RegisterClassW(&windowClass);
    RECT frame{0, 0, 523, 476};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    const HWND window = CreateWindowW(L"Floor", L"Floor", WS_OVERLAPPEDWINDOW, 252, 128, frame.right - frame.left,
                                      frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return PrintWhenIdle([](MSG&) { return false; });
}
