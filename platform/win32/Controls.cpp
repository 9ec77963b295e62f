#include "platform/win32/Controls.h"

#include "platform/Exception.h"
#include "platform/CodePageText.h"

#include <commctrl.h>

#include <iterator>

namespace zuninfo {

bool IsOfClass(HWND control, const wchar_t* className)
{
    wchar_t name[32] = {};
    GetClassNameW(control, name, static_cast<int>(std::size(name)));
    return CompareStringOrdinal(name, -1, className, -1, TRUE) == CSTR_EQUAL;
}

std::wstring TextOf(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void SizeToCaption(HWND label)
{
    const std::wstring caption = TextOf(label);
    const HDC dc = GetDC(label);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    SetWindowPos(label, nullptr, 0, 0, size.cx, metrics.tmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HFONT CreateControlFont(const char* face, int points, UINT dpi, bool bold)
{
    return CreateFontW(-MulDiv(points, static_cast<int>(dpi), 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, Utf16(face).c_str());
}

ScaledWindow::~ScaledWindow()
{
    Destroy();
}

void ScaledWindow::Create(HINSTANCE instance, const std::string& caption, int left, int top, int width, int height,
                          HWND owner)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(instance, design_.className, &windowClass)) {
        const auto icon = [&](int widthMetric, int heightMetric) {
            return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(design_.iconId), IMAGE_ICON,
                                                 GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), 0));
        };
        windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = &ScaledWindow::WindowProc;
        windowClass.hInstance = instance;
        windowClass.hIcon = icon(SM_CXICON, SM_CYICON);
        if (design_.smallIcon)
            windowClass.hIconSm = icon(SM_CXSMICON, SM_CYSMICON);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = design_.className;
        RegisterClassExW(&windowClass);
    }
    CreateWindowExW(design_.exStyle, design_.className, Utf16(caption).c_str(), design_.style, left, top, width, height,
                    owner, nullptr, instance, this);
    if (window_ == nullptr)
        throw Exception("The window could not be created.");
    dpi_ = GetDpiForWindow(window_);
}

void ScaledWindow::Destroy()
{
    if (window_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
        window_ = nullptr;
    }
}

void ScaledWindow::FitFrame(int clientWidth, int clientHeight, const POINT* place)
{
    RECT frame{0, 0, Scaled(clientWidth), Scaled(clientHeight)};
    AdjustWindowRectExForDpi(&frame, design_.style, FALSE, design_.exStyle, dpi_);
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (place == nullptr ? SWP_NOMOVE : 0);
    SetWindowPos(window_, nullptr, place != nullptr ? Scaled(place->x) : 0, place != nullptr ? Scaled(place->y) : 0,
                 frame.right - frame.left, frame.bottom - frame.top, flags);
}

void ScaledWindow::AddTooltip(HWND control, const wchar_t* hint)
{
    if (tooltip_ == nullptr) {
        tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                                   reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)), nullptr);
    }
    SendToTooltip(TTM_ADDTOOLW, control, hint);
}

void ScaledWindow::RemoveTooltip(HWND control)
{
    if (tooltip_ != nullptr)
        SendToTooltip(TTM_DELTOOLW, control, nullptr);
}

void ScaledWindow::SendToTooltip(UINT message, HWND control, const wchar_t* hint)
{
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(hint);
    SendMessageW(tooltip_, message, 0, reinterpret_cast<LPARAM>(&tool));
    // Over most of a combo box the mouse is over its edit part.
    COMBOBOXINFO comboBox{};
    comboBox.cbSize = sizeof(comboBox);
    if (GetComboBoxInfo(control, &comboBox) && comboBox.hwndItem != nullptr) {
        tool.uId = reinterpret_cast<UINT_PTR>(comboBox.hwndItem);
        SendMessageW(tooltip_, message, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

LRESULT ScaledWindow::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DPICHANGED: {
        dpi_ = HIWORD(wParam);
        ApplyDpi();
        // The place and size Windows suggests, once the controls are scaled.
        const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_ACTIVATE:
        // What a dialog box does: the focus leaves with the window and comes
        // back with it to the control that had it.
        if (LOWORD(wParam) == WA_INACTIVE) {
            const HWND focus = GetFocus();
            if (focus != nullptr && IsChild(window_, focus))
                focusWhenInactive_ = focus;
        } else if (focusWhenInactive_ != nullptr && IsWindow(focusWhenInactive_)) {
            SetFocus(focusWhenInactive_);
            return 0;
        }
        break;
    case WM_NEXTDLGCTL: {
        // What a dialog box does, and what the keyboard of a window of
        // controls asks for a label's marked letter: the focus to the
        // control named (LOWORD(lParam) set), else to the next or (wParam
        // set) the previous tab stop, an edit box's text selected.
        const HWND target = LOWORD(lParam) != 0 ? reinterpret_cast<HWND>(wParam)
                                                : GetNextDlgTabItem(window_, GetFocus(), wParam != 0);
        if (target != nullptr && IsChild(window_, target)) {
            if ((SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0)
                SendMessageW(target, EM_SETSEL, 0, -1);
            SetFocus(target);
        }
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

// The object comes with WM_NCCREATE (CreateWindowEx's last argument) and is
// kept in the window's user data until WM_NCDESTROY.
LRESULT CALLBACK ScaledWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* object = static_cast<ScaledWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        object->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    }
    auto* object = reinterpret_cast<ScaledWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (object == nullptr)
        return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        object->window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return object->HandleWindowMessage(message, wParam, lParam);
}

} // namespace zuninfo
