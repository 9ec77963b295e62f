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

// On WM_ACTIVATE, what a dialog box does: the focus leaves with the window
// and comes back with it to the control that had it. True when the message
// needs nothing more.
bool KeepFocusAcrossActivation(HWND window, WPARAM wParam, HWND& focusWhenInactive);

// On WM_DPICHANGED, once the controls are scaled: the window takes the place
// and size Windows suggests.
void TakeSuggestedPlace(HWND window, LPARAM lParam);

// The window procedure of a window that an object handles. The object comes
// with WM_NCCREATE (CreateWindowEx's last argument) and is kept in the
// window's user data until WM_NCDESTROY; its member `window` holds the
// window meanwhile, and `handle` gives it every message in between and says
// what to return. `handle` must let nothing be thrown through Windows' own
// code.
template <typename Object, typename Handle>
LRESULT ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, HWND Object::*windowOf,
                         Handle handle)
{
    if (message == WM_NCCREATE) {
        auto* object = static_cast<Object*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        object->*windowOf = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    }
    auto* object = reinterpret_cast<Object*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (object == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        object->*windowOf = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return handle(*object);
}

} // namespace zuninfo
