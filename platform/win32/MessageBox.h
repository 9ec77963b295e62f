#pragma once

#include <windows.h>

#include <string_view>

// The title of the program's message boxes: the program's name.
inline constexpr const wchar_t* kMessageTitle = L"zuninfo-viewer";

// A modal message box with the text and an OK button; returns when it is
// dismissed. An owner that is not shown yet is not used, so a box during
// start-up stands on its own.
void ShowMessage(HWND owner, std::wstring_view text);

// The error box for an error that ends the program.
void ShowException(std::wstring_view message);
