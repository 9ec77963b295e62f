#include "platform/win32/MessageBox.h"

#include <string>

void ShowMessage(HWND owner, std::wstring_view text)
{
    const HWND shownOwner = owner != nullptr && IsWindowVisible(owner) ? owner : nullptr;
    // Without an owner, the box still keeps the program's other windows
    // from taking input while it is up.
    const UINT modality = shownOwner != nullptr ? MB_APPLMODAL : MB_TASKMODAL;
    MessageBoxW(shownOwner, std::wstring(text).c_str(), kMessageTitle, MB_OK | modality);
}

void ShowException(std::wstring_view message)
{
    MessageBoxW(nullptr, std::wstring(message).c_str(), kMessageTitle, MB_OK | MB_ICONERROR | MB_TASKMODAL);
}
