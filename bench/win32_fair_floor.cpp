// The fair floor the Windows program's start-up is compared with: the same
// window written as a plain Win32 program would write it. The same 51
// controls (classes, styles, places and sizes at the screen's DPI, captions,
// "MS Sans Serif" 8 pt, tooltips, the status bar), labels sized to their
// caption, combo boxes at their closed height, and the five lists filled
// from mons.txt, skills.txt and attacks.txt in the current folder, sorted
// with case ignored. It is linked with the program's manifest, so it gets
// the same common controls and DPI awareness. What it leaves out is only
// what the program does beyond a window: no layout table, no name tables,
// no checks of the lists' ids and no code pages other than UTF-8.
//
// Prints when it has been painted (Win32Probe.h), then exits; exits with 1,
// printing nothing, when a name list cannot be read.
#include "Win32Probe.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

namespace {

enum Kind { Button, Label, BoldLabel, Edit, Combo, Status };

struct Control {
    Kind kind;
    int id;
    int left, top, width, height; // at 96 DPI
    const wchar_t* caption;
    const wchar_t* hint;
};

constexpr wchar_t kIndexHint[] = L"The number to identify the monster by. Used in the Zun00XXX.qdf files";
constexpr wchar_t kSkinHint[] = L"What the monster looks like";
constexpr wchar_t kSightHint[] = L"How far away a monster sees you.";

// In the order they are made, which is the tab order: each input just after
// the label that names it.
// clang-format off
constexpr Control kControls[] = {
    {Button,    100,   8,   8,  75,  25, L"&Load", nullptr},
    {Button,    101, 120,   8,  75,  25, L"Prev", nullptr},
    {Button,    102, 208,   8,  75,  25, L"Next", nullptr},
    {Label,     104,   8,  48,  26,  13, L"Index", kIndexHint},
    {Edit,      105,  56,  40, 145,  21, L"", kIndexHint},
    {Label,     106,   8,  80,  21,  13, L"Skin", kSkinHint},
    {Combo,     107,  56,  72, 145,  21, L"", kSkinHint},
    {Label,     108,   8, 112,  59,  13, L"Line of Sight", kSightHint},
    {Edit,      109,  88, 104, 113,  21, L"", kSightHint},
    {Label,     110,   8, 144,  59,  13, L"Walk Speed", nullptr},
    {Edit,      111,  88, 136, 113,  21, L"",
     L"How fast the monster walks. The higher the number the slower it goes. 0 = stationary."},
    {Label,     112,   8, 172,  13,  13, L"Str", nullptr},
    {Edit,      113,  88, 168, 113,  21, L"", nullptr},
    {Label,     114,   8, 204,  16,  13, L"Spr", nullptr},
    {Edit,      115,  88, 200, 113,  21, L"", nullptr},
    {Label,     116,   8, 236,  19,  13, L"Dex", nullptr},
    {Edit,      117,  88, 232, 113,  21, L"", nullptr},
    {Label,     118,   8, 268,  21,  13, L"Pow", nullptr},
    {Edit,      119,  88, 264, 113,  21, L"", nullptr},
    {Label,     120,   8, 300,  53,  13, L"Experience", nullptr},
    {Edit,      121,  88, 296, 113,  21, L"", nullptr},
    {Label,     122,   8, 332,  48,  13, L"Direction1", nullptr},
    {Edit,      123,  88, 328, 113,  21, L"", nullptr},
    {Label,     124,   8, 364,  48,  13, L"Direction2", nullptr},
    {Edit,      125,  88, 360, 113,  21, L"", nullptr},
    {Label,     126,   8, 396,  29,  13, L"Honor", nullptr},
    {Edit,      127,  88, 392, 113,  21, L"", nullptr},
    {Label,     128,   8, 428,  13,  13, L"Fly", nullptr},
    {Edit,      129,  88, 424, 113,  21, L"", nullptr},
    {Label,     130, 264,  48,  83,  13, L"1st Attack Range", nullptr},
    {Edit,      131, 368,  40, 145,  21, L"", L"The range of the first Melee attack."},
    {Label,     132, 264,  80,  87,  13, L"2nd Attack Range", nullptr},
    {Edit,      133, 368,  72, 145,  21, L"", L"The range of the Second Melee attack."},
    {Label,     134, 264, 108,  92,  13, L"1st Attack wait time", nullptr},
    {Edit,      135, 368, 104, 145,  21, L"",
     L"How long to wait after this attack is used before another attack or skill can be made."},
    {Label,     136, 264, 140,  96,  13, L"2nd Attack wait time", nullptr},
    {Edit,      137, 368, 136, 145,  21, L"", L"The same as Att1Int except for the second attack"},
    {Label,     138, 264, 172,  97,  13, L"1st Attack Animation", nullptr},
    {Combo,     139, 368, 168, 145,  21, L"", nullptr},
    {Label,     140, 264, 204, 101,  13, L"2nd Attack Animation", nullptr},
    {Combo,     141, 368, 200, 145,  21, L"", nullptr},
    {Label,     142, 264, 236,  28,  13, L"Skill 1", nullptr},
    {Combo,     143, 368, 232, 145,  21, L"", nullptr},
    {Label,     144, 264, 268,  28,  13, L"Skill 2", nullptr},
    {Combo,     145, 368, 264, 145,  21, L"", nullptr},
    {Label,     146, 264, 300,  80,  13, L"1st Skill wait time", nullptr},
    {Edit,      147, 368, 296, 145,  21, L"", nullptr},
    {Label,     148, 264, 332,  84,  13, L"2nd Skill wait time", nullptr},
    {Edit,      149, 368, 328, 145,  21, L"", nullptr},
    {BoldLabel, 103, 296,   8,  68,  13, L"Total Items:", nullptr},
    {Status,    150,   0, 457, 523,  19, L"", nullptr},
};
// clang-format on
static_assert(std::size(kControls) == 51);

constexpr int kSkinList = 107;
constexpr int kSkillLists[] = {143, 145};
constexpr int kAttackLists[] = {139, 141};
constexpr int kStatusBar = 150;
constexpr int kStatusBarHeight = 19;
// How far a combo box's list drops.
constexpr int kDropDownHeight = 200;
constexpr int kClientWidth = 523;
constexpr int kClientHeight = 476;
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

UINT dpi = USER_DEFAULT_SCREEN_DPI;

int Scaled(int designed)
{
    return MulDiv(designed, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

HFONT MakeFont(bool bold)
{
    return CreateFontW(-MulDiv(8, static_cast<int>(dpi), 72), 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

void PlaceStatusBar(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    const int height = Scaled(kStatusBarHeight);
    MoveWindow(GetDlgItem(window, kStatusBar), 0, client.bottom - height, client.right, height, TRUE);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SIZE:
        PlaceStatusBar(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The label as wide and as high as its caption in its font, which may be
// wider than the designed width where Windows stands in another face.
void SizeToCaption(HWND label, const wchar_t* caption)
{
    const HDC dc = GetDC(label);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32W(dc, caption, lstrlenW(caption), &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    SetWindowPos(label, nullptr, 0, 0, size.cx, metrics.tmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A drop-down combo box is made as tall as its dropped list; its closed
// height is that of its edit field, which is set until the box measures
// `height` (Windows and Wine count the field's border differently).
void SetClosedHeight(HWND combo, int height)
{
    LRESULT field = SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT rect{};
        GetWindowRect(combo, &rect);
        const int missing = height - (rect.bottom - rect.top);
        if (missing == 0)
            return;
        field += missing;
        SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

void AddTooltip(HWND tooltip, HWND window, HWND control, const wchar_t* hint)
{
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(hint);
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    // Over most of a combo box the mouse is over its edit field.
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof(combo);
    if (GetComboBoxInfo(control, &combo) && combo.hwndItem != nullptr) {
        tool.uId = reinterpret_cast<UINT_PTR>(combo.hwndItem);
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

HWND MakeControl(HWND window, HINSTANCE instance, const Control& control, HFONT font, HFONT boldFont)
{
    const wchar_t* className = WC_STATICW;
    DWORD style = 0, exStyle = 0;
    int height = control.height;
    switch (control.kind) {
    case Button:
        className = WC_BUTTONW;
        style = WS_TABSTOP | BS_PUSHBUTTON;
        break;
    case Label:
    case BoldLabel:
        // SS_NOTIFY: the label takes the mouse, so its tooltip can show.
        style = SS_LEFT | SS_NOPREFIX | SS_NOTIFY;
        break;
    case Edit:
        className = WC_EDITW;
        style = WS_TABSTOP | ES_AUTOHSCROLL;
        exStyle = WS_EX_CLIENTEDGE;
        break;
    case Combo:
        className = WC_COMBOBOXW;
        style = WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
        height = kDropDownHeight;
        break;
    case Status:
        className = STATUSCLASSNAMEW;
        style = SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
        break;
    }
    const HWND handle = CreateWindowExW(exStyle, className, control.caption, WS_CHILD | WS_VISIBLE | style,
                                        Scaled(control.left), Scaled(control.top), Scaled(control.width),
                                        Scaled(height), window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                        instance, nullptr);
    SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(control.kind == BoldLabel ? boldFont : font), FALSE);
    if (control.kind == Label || control.kind == BoldLabel)
        SizeToCaption(handle, control.caption);
    else if (control.kind == Combo)
        SetClosedHeight(handle, Scaled(control.height));
    return handle;
}

// The names of a list file, sorted with case ignored. Each line is an id,
// a ' ' or ':', the name, CR LF; the names are UTF-8. False when the file
// cannot be read.
bool ReadNames(const wchar_t* fileName, std::vector<std::wstring>& names)
{
    const HANDLE file = CreateFileW(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    // A list is a few kilobytes.
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file, &size) || size.QuadPart > (1 << 20)) {
        CloseHandle(file);
        return false;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    const bool ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
    CloseHandle(file);
    if (!ok)
        return false;

    std::size_t line = 0;
    while (line < bytes.size()) {
        std::size_t end = bytes.find("\r\n", line);
        if (end == std::string::npos)
            end = bytes.size();
        std::size_t name = bytes.find_first_of(" :", line);
        name = name < end ? name + 1 : end;
        const int length = static_cast<int>(end - name);
        std::wstring text(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data() + name, length, nullptr, 0)),
                          L'\0');
        MultiByteToWideChar(CP_UTF8, 0, bytes.data() + name, length, text.data(), static_cast<int>(text.size()));
        names.push_back(std::move(text));
        line = end + 2;
    }
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringEx(LOCALE_NAME_USER_DEFAULT, LINGUISTIC_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                               b.c_str(), static_cast<int>(b.size()), nullptr, nullptr, 0)
               == CSTR_LESS_THAN;
    });
    return true;
}

void FillList(HWND combo, const std::vector<std::wstring>& names)
{
    std::size_t characters = 0;
    for (const std::wstring& name : names)
        characters += name.size() + 1;
    SendMessageW(combo, CB_INITSTORAGE, names.size(), characters * sizeof(wchar_t));
    for (const std::wstring& name : names)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    const INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&commonControls);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"FairFloor";
    RegisterClassExW(&windowClass);

    // Placed and sized once the screen's DPI is known.
    const HWND window = CreateWindowExW(kWindowExStyle, L"FairFloor", L"ZunInfo.qdf", kWindowStyle, 252, 128,
                                        kClientWidth, kClientHeight, nullptr, nullptr, instance, nullptr);
    dpi = GetDpiForWindow(window);
    const HFONT font = MakeFont(false);
    const HFONT boldFont = MakeFont(true);
    for (const Control& control : kControls)
        MakeControl(window, instance, control, font, boldFont);
    SendMessageW(GetDlgItem(window, kStatusBar), SB_SIMPLE, TRUE, 0);

    const HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                         instance, nullptr);
    for (const Control& control : kControls) {
        if (control.hint != nullptr)
            AddTooltip(tooltip, window, GetDlgItem(window, control.id), control.hint);
    }

    PlaceStatusBar(window);
    RECT frame{0, 0, Scaled(kClientWidth), Scaled(kClientHeight)};
    AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, kWindowExStyle, dpi);
    SetWindowPos(window, nullptr, Scaled(252), Scaled(128), frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    std::vector<std::wstring> skins, skills, attacks;
    if (!ReadNames(L"mons.txt", skins) || !ReadNames(L"skills.txt", skills) || !ReadNames(L"attacks.txt", attacks)) {
        std::fputs("a name list could not be read\n", stderr);
        return 1;
    }
    FillList(GetDlgItem(window, kSkinList), skins);
    for (const int list : kSkillLists)
        FillList(GetDlgItem(window, list), skills);
    for (const int list : kAttackLists)
        FillList(GetDlgItem(window, list), attacks);

    ShowWindow(window, showCommand);
    UpdateWindow(window);
    SetFocus(GetNextDlgTabItem(window, nullptr, FALSE));
    return PrintWhenIdle([window](MSG& message) { return IsDialogMessageW(window, &message) != FALSE; });
}
