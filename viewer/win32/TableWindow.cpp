#include "viewer/win32/TableWindow.h"

#include "platform/WindowOps.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/Win32WindowOps.h"
#include "viewer/FormLayout.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace zuninfo {

namespace {

// The program's icon in its resources, without a small icon of its own.
constexpr WindowDesign kDesign{L"ZunInfoTableWindow", 1, false, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              WS_EX_CONTROLPARENT};
constexpr int kFilterId = 10;
constexpr int kListId = 11;

// A list view draws its first column (the items' own, not a subitem's)
// left-aligned whatever it is told. So Skin, a name, is that column, shown
// second, and Index, a number, is the second column, shown first. The field
// a column of the list view shows, and the column that shows a field:
int FieldOf(int column)
{
    return column == 0 ? 1 : (column == 1 ? 0 : column);
}
constexpr auto ColumnOf = FieldOf;

// Puts UTF-16 text on the clipboard, in the clipboard's own memory.
void PutOnClipboard(HWND owner, const std::wstring& text)
{
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory == nullptr)
        return;
    if (void* place = GlobalLock(memory)) {
        std::memcpy(place, text.c_str(), bytes);
        GlobalUnlock(memory);
    }
    if (!OpenClipboard(owner)) {
        GlobalFree(memory);
        return;
    }
    EmptyClipboard();
    if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr)
        GlobalFree(memory);
    CloseClipboard();
}

} // namespace

TableWindow::TableWindow(HWND owner, std::function<void(int)> choose, HINSTANCE instance)
    : ScaledWindow(kDesign), choose_(std::move(choose))
{
    const INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&commonControls);
    // Placed and sized once the screen's DPI is known.
    Create(instance, kTableCaption, CW_USEDEFAULT, CW_USEDEFAULT, kTableClientWidth, kTableClientHeight, owner);
    CreateControls(instance);
    ApplyDpi();
    FitFrame(kTableClientWidth, kTableClientHeight);
    Refill();
}

TableWindow::~TableWindow()
{
    Destroy();
    DeleteObject(font_);
}

void TableWindow::CreateControls(HINSTANCE instance)
{
    const ControlLayout& label = kTableControls[0];
    const ControlLayout& filter = kTableControls[1];
    // In the tab order: the filter box (after the label that names it and
    // gives its Alt key), then the table.
    label_ = CreateWindowExW(0, WC_STATICW, Utf16(label.caption).c_str(), WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0, 0,
                             window_, nullptr, instance, nullptr);
    filter_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_EDITW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, 0, 0,
                              0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFilterId)), instance, nullptr);
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, Utf16(kTableCaption).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 0, 0, 0,
                            0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"",
                              WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0,
                              0, 0, 0, window_, nullptr, instance, nullptr);
    SendMessageW(status_, SB_SIMPLE, TRUE, 0);
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
    // The hint, for the mouse and for screen readers (the box's name is its
    // label's caption).
    AddTooltip(filter_, Utf16(filter.hint).c_str());

    LVCOLUMNW column{};
    for (int index = 0; index < RecordTable::ColumnCount(); ++index) {
        const int field = FieldOf(index);
        const std::wstring caption = Utf16(RecordTable::Caption(field));
        column.mask = LVCF_FMT | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = RecordTable::IsNumber(field) ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.pszText = const_cast<wchar_t*>(caption.c_str());
        column.iSubItem = index;
        SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
    }
    std::vector<int> order(static_cast<std::size_t>(RecordTable::ColumnCount()));
    for (std::size_t shown = 0; shown < order.size(); ++shown)
        order[shown] = ColumnOf(static_cast<int>(shown));
    SendMessageW(list_, LVM_SETCOLUMNORDERARRAY, order.size(), reinterpret_cast<LPARAM>(order.data()));
}

// The font, places and column widths of the 96-DPI design at the window's DPI.
void TableWindow::ApplyDpi()
{
    const HFONT old = font_;
    font_ = CreateControlFont(kFormFontFace, kFormFontPoints, Dpi(), false);
    for (const HWND control : {label_, filter_, list_, status_})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    DeleteObject(old);
    SizeToCaption(label_);
    for (int index = 0; index < RecordTable::ColumnCount(); ++index) {
        const int field = FieldOf(index);
        const std::wstring caption = Utf16(RecordTable::Caption(field));
        const int least = Scaled(RecordTable::IsNumber(field) ? kNumberColumnWidth : kNameColumnWidth);
        // The caption, with room for the sort arrow.
        const int needed = static_cast<int>(SendMessageW(list_, LVM_GETSTRINGWIDTHW, 0,
                                                         reinterpret_cast<LPARAM>(caption.c_str())))
            + Scaled(28);
        SendMessageW(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), std::max(least, needed));
    }
    PlaceControls();
}

// The filter box as designed; the table below it and the status bar along
// the bottom edge, across the full width.
void TableWindow::PlaceControls()
{
    RECT client{};
    GetClientRect(window_, &client);
    const ControlLayout& label = kTableControls[0];
    const ControlLayout& filter = kTableControls[1];
    SetWindowPos(label_, nullptr, Scaled(label.left), Scaled(label.top), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    MoveWindow(filter_, Scaled(filter.left), Scaled(filter.top), Scaled(filter.width), Scaled(filter.height), TRUE);
    const int statusHeight = Scaled(kTableStatusHeight);
    const int top = Scaled(kTableTop);
    MoveWindow(list_, 0, top, client.right, std::max(0L, client.bottom - top - statusHeight), TRUE);
    MoveWindow(status_, 0, client.bottom - statusHeight, client.right, statusHeight, TRUE);
}

void TableWindow::Show()
{
    ShowWindow(window_, IsWindowVisible(window_) ? SW_SHOW : SW_SHOWNORMAL);
    SetForegroundWindow(window_);
    SetFocus(list_);
}

void TableWindow::SetLoaded(bool loaded)
{
    if (loaded == table_.Loaded())
        return;
    table_.SetLoaded(loaded);
    Refill();
}

bool TableWindow::HandleKeyboard(MSG& message)
{
    if (window_ == nullptr || (message.hwnd != window_ && !IsChild(window_, message.hwnd)))
        return false;
    return IsDialogMessageW(window_, &message) != FALSE;
}

// The rows anew, after the records, the order or the filter changed; the
// selection is of rows that are gone.
// Only what changed is told, so that each is drawn once.
void TableWindow::Refill()
{
    const std::size_t count = rows_.size();
    rows_ = table_.ShownRecords(sort_);
    if (SendMessageW(list_, LVM_GETSELECTEDCOUNT, 0, 0) > 0) {
        LVITEMW none{};
        none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    }
    if (rows_.size() != count || count == 0)
        SendMessageW(list_, LVM_SETITEMCOUNT, rows_.size(), LVSICF_NOSCROLL);
    InvalidateRect(list_, nullptr, FALSE);
    const std::wstring status = Utf16(table_.Status(static_cast<int>(rows_.size())));
    if (status != status_text_) {
        status_text_ = status;
        SendMessageW(status_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(status.c_str()));
    }
}

// The arrow moves from the column sorted before to the one sorted now.
void TableWindow::ShowSortArrows(int before)
{
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
    for (const int field : {before, sort_.column}) {
        if (field < 0)
            continue;
        const int column = ColumnOf(field);
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (field == sort_.column)
            item.fmt |= sort_.descending ? HDF_SORTDOWN : HDF_SORTUP;
        SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    }
}

void TableWindow::Choose(int item)
{
    if (item >= 0 && static_cast<std::size_t>(item) < rows_.size())
        choose_(rows_[static_cast<std::size_t>(item)]);
}

// The selected rows, in the order shown.
void TableWindow::CopySelection()
{
    std::vector<int> records;
    for (LRESULT item = -1;
         (item = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(item), LVNI_SELECTED)) != -1;) {
        if (static_cast<std::size_t>(item) < rows_.size())
            records.push_back(rows_[static_cast<std::size_t>(item)]);
    }
    PutOnClipboard(window_, Utf16(table_.CopyText(records, "\r\n")));
}

LRESULT TableWindow::Notified(const NMHDR& header)
{
    if (header.hwndFrom != list_)
        return 0;
    switch (header.code) {
    case LVN_GETDISPINFOW: {
        LVITEMW& item = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header))->item;
        if ((item.mask & LVIF_TEXT) != 0 && item.cchTextMax > 0 && item.iItem >= 0
            && static_cast<std::size_t>(item.iItem) < rows_.size()) {
            const std::wstring text
                = Utf16(table_.CellText(rows_[static_cast<std::size_t>(item.iItem)], FieldOf(item.iSubItem)));
            lstrcpynW(item.pszText, text.c_str(), item.cchTextMax);
        }
        return 0;
    }
    case LVN_COLUMNCLICK: {
        const int before = sort_.column;
        sort_ = SortAfterClick(sort_, FieldOf(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem));
        Refill();
        ShowSortArrows(before);
        return 0;
    }
    case NM_DBLCLK:
        Choose(reinterpret_cast<const NMITEMACTIVATE&>(header).iItem);
        return 0;
    case NM_RETURN:
        Choose(static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
        return 0;
    case LVN_KEYDOWN: {
        const WORD key = reinterpret_cast<const NMLVKEYDOWN&>(header).wVKey;
        if (GetKeyState(VK_CONTROL) < 0 && key == 'C') {
            CopySelection();
        } else if (GetKeyState(VK_CONTROL) < 0 && key == 'A') {
            LVITEMW all{};
            all.state = all.stateMask = LVIS_SELECTED;
            SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&all));
        }
        return 0;
    }
    default:
        return 0;
    }
}

LRESULT TableWindow::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const HWND window = window_;
    LRESULT result = 0;
    try {
        result = HandleMessage(message, wParam, lParam);
    } catch (const std::exception& error) {
        ShowMessage(window, Utf16(error.what()));
    } catch (...) {
        ShowMessage(window, L"");
    }
    return result;
}

LRESULT TableWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NOTIFY:
        return Notified(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) == filter_ && HIWORD(wParam) == EN_CHANGE) {
            const int length = GetWindowTextLengthW(filter_);
            std::wstring typed(static_cast<std::size_t>(length) + 1, L'\0');
            typed.resize(static_cast<std::size_t>(GetWindowTextW(filter_, typed.data(), length + 1)));
            table_.SetFilter(Utf8(typed));
            Refill();
        } else if (LOWORD(wParam) == IDOK && GetFocus() == list_) {
            // Enter, as the dialog keyboard gives it.
            Choose(static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
        }
        return 0;
    case WM_SIZE:
        PlaceControls();
        return 0;
    case WM_CLOSE:
        // Ctrl+T shows it again, as it was.
        ShowWindow(window_, SW_HIDE);
        return 0;
    default:
        break;
    }
    return DefaultMessage(message, wParam, lParam);
}

} // namespace zuninfo
