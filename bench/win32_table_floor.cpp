// The fair floor the table of all monsters is compared with: the same window
// written as a plain Win32 program would write it, with nothing of ours but
// the manifest. A menu bar of the editor's three menus and their commands,
// an owner-data report list view with the same 23 columns (captions,
// alignment, widths, Skin as the list view's own column shown second) whose
// rows are custom drawn as far as marking a changed cell needs (asked item
// by item, drawn as the list view draws them), the "&Filter:" label and its
// edit box with its tooltip, and the status bar, in "MS Sans Serif" 8 pt at
// the screen's DPI. Its rows are the
// records of the monster file named on the command line, their names from
// mons.txt, skills.txt and attacks.txt in the current folder (UTF-8). When
// the window is made, each name of the lists gets its cell text, "Orc Chief
// (4)", and its lowercase; a number's text is made when the list view asks
// for it or the filter reads it. A header click sorts an array of record numbers
// (numbers as numbers, names by their place in the lists' order and then by
// id; stable, in either direction) and moves the sort arrow; a filter key
// keeps the records in which a cell holds the text, case ignored; then the
// list view is told the new row count and redrawn, and the status bar's
// text set.
//
// It measures what bench_win32_viewer_probe --table measures of the table,
// each step until every message has been handled (the window painted), and
// prints one JSON line:
//   table_ns         (after an owner window has been shown) this window
//                    made, filled and shown until painted
//   sort_name_ns     a click on Skin's header until painted
//   sort_number_ns   then a click on Str's header, the same
//   filter_ns        then one key typed into the filter box, the same
//   rows             the records read
// Exits with 1, printing nothing, when a file cannot be read.
#include "Win32Probe.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <numeric>
#include <string>
#include <vector>

namespace {

constexpr int kFields = 23;
constexpr int kFilterId = 10;
constexpr int kListId = 11;
constexpr int kStatusHeight = 19;
constexpr int kListTop = 37;
constexpr DWORD kWindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

// Which list names a field's ids: none (a number), or mons.txt, attacks.txt,
// skills.txt.
enum Names { Number, Skins, Attacks, Skills };

struct Field {
    const wchar_t* caption;
    Names names;
};

// clang-format off
constexpr Field kFieldList[kFields] = {
    {L"Index", Number}, {L"Skin", Skins}, {L"Line of Sight", Number}, {L"Walk Speed", Number},
    {L"1st Attack Range", Number}, {L"2nd Attack Range", Number}, {L"1st Attack wait time", Number},
    {L"2nd Attack wait time", Number}, {L"1st Attack Animation", Attacks}, {L"2nd Attack Animation", Attacks},
    {L"Skill 1", Skills}, {L"Skill 2", Skills}, {L"1st Skill wait time", Number}, {L"2nd Skill wait time", Number},
    {L"Str", Number}, {L"Spr", Number}, {L"Dex", Number}, {L"Pow", Number}, {L"Experience", Number},
    {L"Direction1", Number}, {L"Direction2", Number}, {L"Honor", Number}, {L"Fly", Number},
};
// clang-format on

// A name list: the name of each id, its place in the lists' order (case
// ignored; equal names share it), its cell text and that in lowercase.
struct NameList {
    std::vector<std::wstring> names;
    std::vector<int> rank;
    std::vector<std::wstring> cells, lowerCells;
};

UINT dpi = USER_DEFAULT_SCREEN_DPI;
std::array<NameList, 4> lists;
std::vector<std::array<int, kFields>> records;
std::vector<int> sorted, shown;
int sortField = -1;
bool descending = false;
HWND window, filter, list, status;

int Scaled(int designed)
{
    return MulDiv(designed, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

// The list view's column 0 (always left-aligned) shows Skin, column 1
// Index; the others show the field of their number.
int FieldOfColumn(int column)
{
    return column == 0 ? 1 : (column == 1 ? 0 : column);
}

bool ReadFile(const char* name, std::string& bytes)
{
    const HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    DWORD read = 0;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart < (1 << 24);
    if (ok) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        ok = ::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
    }
    CloseHandle(file);
    return ok;
}

// Lines of an id, a ' ' or ':', and the name, CR LF.
bool ReadNames(const char* fileName, NameList& list)
{
    std::string bytes;
    if (!ReadFile(fileName, bytes))
        return false;
    for (std::size_t line = 0; line < bytes.size();) {
        std::size_t end = bytes.find("\r\n", line);
        if (end == std::string::npos)
            end = bytes.size();
        char* after = nullptr;
        const long id = std::strtol(bytes.c_str() + line, &after, 10);
        const std::size_t name = std::min(end, static_cast<std::size_t>(after - bytes.c_str()) + 1);
        const int length = static_cast<int>(end - name);
        std::wstring text(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, bytes.data() + name, length, nullptr, 0)),
                          L'\0');
        MultiByteToWideChar(CP_UTF8, 0, bytes.data() + name, length, text.data(), static_cast<int>(text.size()));
        if (id >= 0 && id < 100000) {
            if (list.names.size() <= static_cast<std::size_t>(id))
                list.names.resize(static_cast<std::size_t>(id) + 1);
            list.names[static_cast<std::size_t>(id)] = std::move(text);
        }
        line = end + 2;
    }
    return true;
}

// Records are lines of 23 numbers (and a name, not shown); ';' starts a
// comment line.
bool ReadRecords(const char* fileName)
{
    std::string bytes;
    if (!ReadFile(fileName, bytes))
        return false;
    const char* at = bytes.c_str();
    while (*at != '\0') {
        const char* end = std::strchr(at, '\n');
        end = end != nullptr ? end + 1 : at + std::strlen(at);
        if (*at != ';' && *at != '\r' && *at != '\n') {
            std::array<int, kFields> record{};
            char* next = const_cast<char*>(at);
            for (int& value : record)
                value = static_cast<int>(std::strtol(next, &next, 10));
            records.push_back(record);
        }
        at = end;
    }
    return true;
}

int Compare(NameList* names, int x, int y)
{
    if (names != nullptr) {
        const auto rankOf = [&](int id) {
            return id >= 0 && static_cast<std::size_t>(id) < names->rank.size() ? names->rank[static_cast<std::size_t>(id)]
                                                                                : -1;
        };
        if (rankOf(x) != rankOf(y))
            return rankOf(x) < rankOf(y) ? -1 : 1;
    }
    return x < y ? -1 : (x > y ? 1 : 0);
}

// The lists' places and cell texts.
void PrepareCells()
{
    for (NameList& names : lists) {
        std::vector<int> order(names.names.size());
        std::iota(order.begin(), order.end(), 0);
        const auto collate = [&](int a, int b) {
            const std::wstring &x = names.names[static_cast<std::size_t>(a)], &y = names.names[static_cast<std::size_t>(b)];
            return CompareStringEx(LOCALE_NAME_USER_DEFAULT, LINGUISTIC_IGNORECASE, x.c_str(), static_cast<int>(x.size()),
                                   y.c_str(), static_cast<int>(y.size()), nullptr, nullptr, 0);
        };
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return collate(a, b) == CSTR_LESS_THAN; });
        names.rank.assign(order.size(), 0);
        for (std::size_t i = 1; i < order.size(); ++i)
            names.rank[static_cast<std::size_t>(order[i])]
                = names.rank[static_cast<std::size_t>(order[i - 1])] + (collate(order[i - 1], order[i]) != CSTR_EQUAL);
        for (std::size_t id = 0; id < names.names.size(); ++id) {
            const std::wstring& name = names.names[id];
            std::wstring text = (name.empty() ? L"" : name + L" ") + L"(" + std::to_wstring(id) + L")";
            names.cells.push_back(text);
            CharLowerBuffW(text.data(), static_cast<DWORD>(text.size()));
            names.lowerCells.push_back(std::move(text));
        }
    }
    sorted.resize(records.size());
    std::iota(sorted.begin(), sorted.end(), 0);
}

// A cell's text: the list's, or made in `buffer`; `lower`, in lowercase.
const wchar_t* CellText(int record, int field, bool lower, wchar_t (&buffer)[16])
{
    const int value = records[static_cast<std::size_t>(record)][static_cast<std::size_t>(field)];
    if (kFieldList[field].names != Number) {
        const NameList& names = lists[kFieldList[field].names];
        if (value >= 0 && static_cast<std::size_t>(value) < names.names.size())
            return (lower ? names.lowerCells : names.cells)[static_cast<std::size_t>(value)].c_str();
        swprintf(buffer, 16, L"(%d)", value);
        return buffer;
    }
    swprintf(buffer, 16, L"%d", value);
    return buffer;
}

void SetStatus()
{
    const std::wstring total = std::to_wstring(records.size()) + L" monsters";
    const std::wstring text = shown.size() == records.size() ? total : std::to_wstring(shown.size()) + L" of " + total + L" shown";
    SendMessageW(status, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}

// The sorted records the filter keeps.
void Filter()
{
    wchar_t typed[256] = {};
    GetWindowTextW(filter, typed, 256);
    CharLowerW(typed);
    shown.clear();
    for (const int record : sorted) {
        bool found = typed[0] == L'\0';
        wchar_t buffer[16];
        for (int field = 0; field < kFields && !found; ++field)
            found = std::wcsstr(CellText(record, field, true, buffer), typed) != nullptr;
        if (found)
            shown.push_back(record);
    }
    SendMessageW(list, LVM_SETITEMCOUNT, shown.size(), LVSICF_NOSCROLL);
    InvalidateRect(list, nullptr, FALSE);
    SetStatus();
}

void SetArrow(int field, int format)
{
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    const int column = FieldOfColumn(field);
    SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    item.fmt = (item.fmt & ~(HDF_SORTUP | HDF_SORTDOWN)) | format;
    SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
}

void SortBy(int field)
{
    if (sortField >= 0)
        SetArrow(sortField, 0);
    descending = field == sortField && !descending;
    sortField = field;
    NameList* names = kFieldList[field].names == Number ? nullptr : &lists[kFieldList[field].names];
    const auto before = [&](int a, int b) {
        const int compared = Compare(names, records[static_cast<std::size_t>(a)][static_cast<std::size_t>(field)],
                                     records[static_cast<std::size_t>(b)][static_cast<std::size_t>(field)]);
        return descending ? compared > 0 : compared < 0;
    };
    std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) { return before(a, b) || (!before(b, a) && a < b); });
    std::stable_sort(shown.begin(), shown.end(), [&](int a, int b) { return before(a, b) || (!before(b, a) && a < b); });
    SetArrow(field, descending ? HDF_SORTDOWN : HDF_SORTUP);
    InvalidateRect(list, nullptr, FALSE);
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY: {
        const NMHDR& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.hwndFrom == list && header.code == LVN_GETDISPINFOW) {
            LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(lParam)->item;
            if ((item.mask & LVIF_TEXT) != 0 && item.cchTextMax > 0 && item.iItem >= 0
                && static_cast<std::size_t>(item.iItem) < shown.size()) {
                wchar_t buffer[16];
                lstrcpynW(item.pszText,
                          CellText(shown[static_cast<std::size_t>(item.iItem)], FieldOfColumn(item.iSubItem), false, buffer),
                          item.cchTextMax);
            }
        } else if (header.hwndFrom == list && header.code == NM_CUSTOMDRAW) {
            const auto& draw = *reinterpret_cast<const NMLVCUSTOMDRAW*>(lParam);
            return draw.nmcd.dwDrawStage == CDDS_PREPAINT ? CDRF_NOTIFYITEMDRAW : CDRF_DODEFAULT;
        } else if (header.hwndFrom == list && header.code == LVN_COLUMNCLICK) {
            SortBy(FieldOfColumn(reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem));
        }
        return 0;
    }
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == filter && HIWORD(wParam) == EN_CHANGE)
            Filter();
        return 0;
    case WM_SIZE: {
        const int width = LOWORD(lParam), height = HIWORD(lParam);
        MoveWindow(list, 0, Scaled(kListTop), width, std::max(0, height - Scaled(kListTop) - Scaled(kStatusHeight)), TRUE);
        MoveWindow(status, 0, height - Scaled(kStatusHeight), width, Scaled(kStatusHeight), TRUE);
        return 0;
    }
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

HFONT MakeFont()
{
    return CreateFontW(-MulDiv(8, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

void AddTooltip(HWND parent, HWND control, const wchar_t* hint)
{
    const HWND tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr,
                                         nullptr, nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = parent;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(hint);
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MakeWindow(HINSTANCE instance, HWND owner)
{
    const INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&commonControls);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"TableFloor";
    RegisterClassExW(&windowClass);
    window = CreateWindowExW(kWindowExStyle, L"TableFloor", L"All monsters", kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                             760, 440, owner, nullptr, instance, nullptr);
    dpi = GetDpiForWindow(window);
    const HFONT font = MakeFont();
    const HMENU menus = CreateMenu();
    const struct {
        const wchar_t* name;
        std::array<const wchar_t*, 3> commands;
    } menuList[] = {
        {L"Fi&le", {L"&Save\tCtrl+S", L"Save &as\u2026\tCtrl+Shift+S", L"&Close"}},
        {L"&Edit", {L"&Undo\tCtrl+Z", L"&Redo\tCtrl+Y", nullptr}},
        {L"&Records", {L"&Add record\tCtrl+N", L"&Delete records\tCtrl+Del", nullptr}},
    };
    UINT command = 200;
    for (const auto& menu : menuList) {
        const HMENU popup = CreatePopupMenu();
        for (const wchar_t* text : menu.commands) {
            if (text != nullptr)
                AppendMenuW(popup, MF_STRING, command++, text);
        }
        AppendMenuW(menus, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), menu.name);
    }
    SetMenu(window, menus);

    const HWND label = CreateWindowExW(0, WC_STATICW, L"&Filter:", WS_CHILD | WS_VISIBLE | SS_LEFT, Scaled(8), Scaled(12),
                                       0, 0, window, nullptr, instance, nullptr);
    filter = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                             Scaled(48), Scaled(8), Scaled(200), Scaled(21), window,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFilterId)), instance, nullptr);
    list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"All monsters",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 0, 0, 0, 0,
                           window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
    status = CreateWindowExW(0, STATUSCLASSNAMEW, L"",
                             WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
                             0, 0, 0, window, nullptr, instance, nullptr);
    for (const HWND control : {label, filter, list, status})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SendMessageW(status, SB_SIMPLE, TRUE, 0);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);

    // The label as wide as its caption.
    const HDC dc = GetDC(label);
    const HGDIOBJ previous = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, L"Filter:", 7, &size);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(label, dc);
    SetWindowPos(label, nullptr, 0, 0, size.cx, metrics.tmHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    AddTooltip(window, filter, L"Keeps the rows in which a cell holds this text, case ignored");

    int order[kFields];
    for (int column = 0; column < kFields; ++column) {
        const Field& field = kFieldList[FieldOfColumn(column)];
        LVCOLUMNW info{};
        info.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM | LVCF_WIDTH;
        info.fmt = field.names == Number ? LVCFMT_RIGHT : LVCFMT_LEFT;
        info.pszText = const_cast<wchar_t*>(field.caption);
        info.iSubItem = column;
        info.cx = Scaled(field.names == Number ? 56 : 150);
        SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
        const int needed = static_cast<int>(SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(field.caption)))
            + Scaled(28);
        if (needed > info.cx)
            SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), needed);
        order[column] = FieldOfColumn(column);
    }
    SendMessageW(list, LVM_SETCOLUMNORDERARRAY, kFields, reinterpret_cast<LPARAM>(order));

    RECT frame{0, 0, Scaled(760), Scaled(440)};
    AdjustWindowRectExForDpi(&frame, kWindowStyle, TRUE, kWindowExStyle, dpi);
    SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Filter();
}

// Handles every message waiting, painting included.
void Settle()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (window == nullptr || !IsDialogMessageW(window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void ClickColumnOf(int field)
{
    NMLISTVIEW click{};
    click.hdr = {list, kListId, LVN_COLUMNCLICK};
    click.iItem = -1;
    click.iSubItem = FieldOfColumn(field);
    SendMessageW(window, WM_NOTIFY, kListId, reinterpret_cast<LPARAM>(&click));
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    if (__argc != 2 || !ReadNames("mons.txt", lists[Skins]) || !ReadNames("attacks.txt", lists[Attacks])
        || !ReadNames("skills.txt", lists[Skills]) || !ReadRecords(__argv[1])) {
        std::fputs("usage: bench_win32_table_floor MONSTER_FILE, in the folder of the name lists\n", stderr);
        return 1;
    }
    // The main window's stand-in, which owns the table: with a label, an
    // edit box, a status bar and a tooltip, as the main window has made its
    // own before the table is asked for.
    const INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&commonControls);
    WNDCLASSW ownerClass{};
    ownerClass.lpfnWndProc = DefWindowProcW;
    ownerClass.hInstance = instance;
    ownerClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    ownerClass.lpszClassName = L"Owner";
    RegisterClassW(&ownerClass);
    const HWND owner = CreateWindowW(L"Owner", L"ZunInfo.qdf", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 252, 128, 523, 476,
                                     nullptr, nullptr, instance, nullptr);
    const HFONT ownerFont = MakeFont();
    const HWND ownerControls[] = {
        CreateWindowExW(0, WC_STATICW, L"Index", WS_CHILD | WS_VISIBLE | SS_LEFT, 8, 48, 26, 13, owner, nullptr, instance,
                        nullptr),
        CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 56, 40, 145,
                        21, owner, nullptr, instance, nullptr),
        CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | CCS_NORESIZE | CCS_NOPARENTALIGN, 0, 457, 523, 19,
                        owner, nullptr, instance, nullptr),
    };
    for (const HWND control : ownerControls)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(ownerFont), FALSE);
    AddTooltip(owner, ownerControls[1], L"The number to identify the monster by.");
    ShowWindow(owner, showCommand);
    UpdateWindow(owner);
    Settle();

    const auto timed = [](auto action) {
        const long long start = NowNs();
        action();
        Settle();
        return NowNs() - start;
    };
    const long long opened = timed([&] {
        PrepareCells();
        MakeWindow(instance, owner);
        ShowWindow(window, SW_SHOWNORMAL);
        SetForegroundWindow(window);
        SetFocus(list);
    });
    const long long sortName = timed([] { ClickColumnOf(1); });
    const long long sortNumber = timed([] { ClickColumnOf(14); });
    const long long filtered = timed([] { SetWindowTextW(filter, L"g"); });
    std::printf("{\"table_ns\": %lld, \"sort_name_ns\": %lld, \"sort_number_ns\": %lld, \"filter_ns\": %lld, "
                "\"rows\": %d}\n",
                opened, sortName, sortNumber, filtered, static_cast<int>(records.size()));
    std::fflush(stdout);
    return 0;
}
