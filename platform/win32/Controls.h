#pragma once

#include <windows.h>

#include <string>

namespace zuninfo {

// What the program's windows of Windows' own controls share.

// A control's class is `className` (compared as Windows compares them).
bool IsOfClass(HWND control, const wchar_t* className);

// A control's text.
std::wstring TextOf(HWND control);

// Sizes a label (a static control) to its caption in its own font.
void SizeToCaption(HWND label);

// The font of a window of controls: `face` at `points`, at `dpi`.
HFONT CreateControlFont(const char* face, int points, UINT dpi, bool bold);

} // namespace zuninfo
