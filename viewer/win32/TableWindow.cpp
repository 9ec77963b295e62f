#include "viewer/win32/TableWindow.h"

#include "platform/WindowOps.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/Win32WindowOps.h"
#include "viewer/RecordBrowser.h"
#include "viewer/EditMessages.h"
#include "viewer/FormLayout.h"
#include "viewer/TableEditor.h"
#include "viewer/ViewerSession.h"
#include "viewer/win32/WindowDialogs.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <utility>

namespace zuninfo {

namespace {

// The program's icon in its resources, without a small icon of its own.
constexpr WindowDesign kDesign{L"ZunInfoTableWindow", 1, false, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              WS_EX_CONTROLPARENT};
constexpr int kFilterId = 10;
constexpr int kListId = 11;
constexpr int kCellEditorId = 12;
// How far a name cell's drop-down drops, as designed at 96 DPI.
constexpr int kDropDownHeight = 200;
// Sent to the window when a cell's editor (its wParam) lost the keyboard,
// once the change of focus is over.
constexpr UINT kEditorLeftMessage = WM_APP + 1;
// The background of a cell that differs from the file, and of one in a
// selected row.
constexpr COLORREF kChangedColour = RGB(255, 236, 160);
constexpr COLORREF kChangedSelectedColour = RGB(230, 170, 40);

// The menus' commands. The keyboard of a window of controls sends Enter as
// IDOK (1) and Escape as IDCANCEL (2): the commands lie above those and the
// controls' ids.
enum MenuCommand : int {
    kSaveId = 200,
    kSaveAsId,
    kCloseId,
    kUndoId,
    kRedoId,
    kAddId,
    kDeleteId,
    kImportId,
    kExportId,
};

// A menu command's text: its name, a tab, its key.
std::wstring MenuText(const std::string& name, const char* shortcut)
{
    return Utf16(shortcut != nullptr ? name + "\t" + shortcut : name);
}

bool CtrlHeld()
{
    return GetKeyState(VK_CONTROL) < 0;
}

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

TableWindow::TableWindow(HWND owner, std::function<void(int)> choose, const ViewerSession& session,
                         HINSTANCE instance)
    : ScaledWindow(kDesign), session_(session), editor_(std::make_unique<TableEditor>(table_)),
      file_(std::make_unique<EditedFile>(*editor_, session)), caption_(Utf16(kTableCaption)), choose_(std::move(choose))
{
    const INITCOMMONCONTROLSEX commonControls{sizeof(commonControls),
                                              ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);
    // Placed and sized once the screen's DPI is known.
    Create(instance, kTableCaption, CW_USEDEFAULT, CW_USEDEFAULT, kTableClientWidth, kTableClientHeight, owner);
    CreateMenus();
    CreateControls(instance);
    ApplyDpi();
    FitFrame(kTableClientWidth, kTableClientHeight);
    // The menu bar takes its height from the client area: the frame grows
    // by as much.
    RECT client{}, frame{};
    GetClientRect(window_, &client);
    GetWindowRect(window_, &frame);
    const int missing = Scaled(kTableClientHeight) - client.bottom;
    if (missing > 0)
        SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + missing,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    Refill();
    EditsChanged();
}

TableWindow::~TableWindow()
{
    Destroy();
    if (accelerators_ != nullptr)
        DestroyAcceleratorTable(accelerators_);
    DeleteObject(font_);
}

// Fi&le, &Edit and &Records, each command with its key in an accelerator
// table of the window's. No menu takes Alt+F, the filter's.
void TableWindow::CreateMenus()
{
    menu_ = CreateMenu();
    const HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kSaveId, MenuText(kSaveCommand, kSaveShortcut).c_str());
    AppendMenuW(file, MF_STRING, kSaveAsId, MenuText(kSaveAsCommand, kSaveAsShortcut).c_str());
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kImportId, MenuText(kImportCommand, nullptr).c_str());
    AppendMenuW(file, MF_STRING, kExportId, MenuText(kExportCommand, nullptr).c_str());
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kCloseId, MenuText(kCloseCommand, kCloseShortcut).c_str());
    const HMENU edit = CreatePopupMenu();
    AppendMenuW(edit, MF_STRING, kUndoId, MenuText(kUndoCommand, kUndoShortcut).c_str());
    AppendMenuW(edit, MF_STRING, kRedoId, MenuText(kRedoCommand, kRedoShortcut).c_str());
    const HMENU records = CreatePopupMenu();
    AppendMenuW(records, MF_STRING, kAddId, MenuText(kAddCommand, kAddShortcut).c_str());
    AppendMenuW(records, MF_STRING, kDeleteId, MenuText(kDeleteCommand, kDeleteShortcut).c_str());
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(file), Utf16(kFileMenu).c_str());
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), Utf16(kEditMenu).c_str());
    AppendMenuW(menu_, MF_POPUP, reinterpret_cast<UINT_PTR>(records), Utf16(kRecordsMenu).c_str());
    SetMenu(window_, menu_);

    ACCEL keys[] = {
        {FCONTROL | FVIRTKEY, 'S', kSaveId},
        {FCONTROL | FSHIFT | FVIRTKEY, 'S', kSaveAsId},
        {FCONTROL | FVIRTKEY, 'Z', kUndoId},
        {FCONTROL | FVIRTKEY, 'Y', kRedoId},
        {FCONTROL | FSHIFT | FVIRTKEY, 'Z', kRedoId},
        {FCONTROL | FVIRTKEY, 'W', kCloseId},
        {FCONTROL | FVIRTKEY, 'N', kAddId},
        {FCONTROL | FVIRTKEY, VK_DELETE, kDeleteId},
    };
    accelerators_ = CreateAcceleratorTableW(keys, static_cast<int>(std::size(keys)));
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
    // (A cell's editor lies over the list, which does not draw over it.)
    list_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, Utf16(kTableCaption).c_str(),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | LVS_REPORT | LVS_OWNERDATA
                                | LVS_SHOWSELALWAYS,
                            0, 0, 0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), instance, nullptr);
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
    for (const HWND control : {label_, filter_, list_, status_, cellEditor_}) {
        if (control != nullptr)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    }
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
    CloseEditor();
    table_.SetLoaded(loaded);
    if (loaded)
        file_->Loaded();
    Refill();
    EditsChanged();
}

bool TableWindow::HandleKeyboard(MSG& message)
{
    if (window_ == nullptr || (message.hwnd != window_ && !IsChild(window_, message.hwnd)))
        return false;
    if (CellEditorKey(message) || CurrentCellKey(message))
        return true;
    if (TranslateAcceleratorW(window_, accelerators_, &message))
        return true;
    return IsDialogMessageW(window_, &message) != FALSE;
}

int TableWindow::CurrentRow() const
{
    return static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}

// The keys of the current cell, in the list: Left, Right, Home and End move
// it along the row (with Ctrl, Home and End to the first and last cell); F2
// edits it; a character typed edits it afresh. Up, Down and the rest are
// the list's own.
bool TableWindow::CurrentCellKey(const MSG& message)
{
    if (message.hwnd != list_ || rows_.empty())
        return false;
    const int last = RecordTable::ColumnCount() - 1;
    const int row = std::max(CurrentRow(), 0);
    if (message.message == WM_KEYDOWN) {
        switch (message.wParam) {
        case VK_LEFT:
            MoveTo(row, std::max(column_ - 1, 0));
            return true;
        case VK_RIGHT:
            MoveTo(row, std::min(column_ + 1, last));
            return true;
        case VK_HOME:
            MoveTo(CtrlHeld() ? 0 : row, 0);
            return true;
        case VK_END:
            MoveTo(CtrlHeld() ? static_cast<int>(rows_.size()) - 1 : row, last);
            return true;
        case VK_F2:
            if (!CtrlHeld())
                BeginEdit({}, false);
            return !CtrlHeld();
        default:
            return false;
        }
    }
    if (message.message == WM_CHAR) {
        const auto typed = static_cast<wchar_t>(message.wParam);
        if (typed < L' ' || typed == 0x7F || (CtrlHeld() && GetKeyState(VK_MENU) >= 0))
            return false;
        BeginEdit(std::wstring(1, typed), true);
        return true;
    }
    return false;
}

// The keys of a cell's editor: Enter commits, Tab commits and moves right,
// Escape cancels, Ctrl+A selects all the text again.
bool TableWindow::CellEditorKey(const MSG& message)
{
    if (cellEditor_ == nullptr || message.message != WM_KEYDOWN
        || (message.hwnd != cellEditor_ && !IsChild(cellEditor_, message.hwnd)))
        return false;
    const bool alt = GetKeyState(VK_MENU) < 0;
    switch (message.wParam) {
    case VK_RETURN:
        if (CtrlHeld() || alt)
            return false;
        FinishEdit(false);
        return true;
    case VK_TAB:
        if (CtrlHeld() || alt || GetKeyState(VK_SHIFT) < 0)
            return false;
        FinishEdit(true);
        return true;
    case VK_ESCAPE:
        CancelEdit();
        return true;
    case 'A':
        if (!CtrlHeld() || alt)
            return false;
        if (RecordTable::IsNumber(editing_.column))
            SendMessageW(cellEditor_, EM_SETSEL, 0, -1);
        else
            SendMessageW(cellEditor_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
        return true;
    default:
        return false;
    }
}

// The row's place in the list, the column's across it (in the list's
// client area): the header's item shows where the column is now.
RECT TableWindow::CellRect(int row, int column) const
{
    RECT place{};
    place.left = LVIR_BOUNDS;
    SendMessageW(list_, LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&place));
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
    RECT across{};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(ColumnOf(column)), reinterpret_cast<LPARAM>(&across));
    MapWindowPoints(header, list_, reinterpret_cast<POINT*>(&across), 2);
    place.left = across.left;
    place.right = across.right;
    return place;
}

// The current cell moved: the row focused and selected alone (as the
// list's own arrows do) when it changes, and the cell scrolled into view.
void TableWindow::MoveTo(int row, int column)
{
    if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return;
    const int before = CurrentRow();
    if (row != before || SendMessageW(list_, LVM_GETSELECTEDCOUNT, 0, 0) == 0) {
        LVITEMW none{};
        none.stateMask = LVIS_SELECTED;
        SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
        LVITEMW chosen{};
        chosen.state = chosen.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&chosen));
        SendMessageW(list_, LVM_SETSELECTIONMARK, 0, row);
    }
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    column_ = column;
    RECT cell = CellRect(row, column);
    RECT client{};
    GetClientRect(list_, &client);
    int scroll = 0;
    if (cell.right > client.right)
        scroll = cell.right - client.right;
    if (cell.left - scroll < client.left)
        scroll = cell.left - client.left;
    if (scroll != 0)
        SendMessageW(list_, LVM_SCROLL, static_cast<WPARAM>(scroll), 0);
    SendMessageW(list_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    if (before >= 0 && before != row)
        SendMessageW(list_, LVM_REDRAWITEMS, static_cast<WPARAM>(before), before);
    UpdateStatus();
}

// Whether a cell of the row differs from the file. With no changes not
// saved, none does.
bool TableWindow::RowDiffers(int row) const
{
    if (!editor_->Modified() || row < 0 || static_cast<std::size_t>(row) >= rows_.size())
        return false;
    for (int column = 0; column < RecordTable::ColumnCount(); ++column) {
        if (editor_->Differs(rows_[static_cast<std::size_t>(row)], column))
            return true;
    }
    return false;
}

int TableWindow::RowOf(int slot) const
{
    const auto found = std::find(rows_.begin(), rows_.end(), slot);
    return found == rows_.end() ? -1 : static_cast<int>(found - rows_.begin());
}

// An editor over the current cell: a line for a number, a drop-down of the
// list's names for an id. `fresh`: with the character typed alone, the
// caret after it; else with the cell's text, all of it selected.
void TableWindow::BeginEdit(const std::wstring& text, bool fresh)
{
    CommitOpenEditor();
    const int row = CurrentRow() >= 0 ? CurrentRow() : 0;
    if (!table_.Loaded() || !editor_->Editable() || static_cast<std::size_t>(row) >= rows_.size())
        return;
    MoveTo(row, column_);
    editing_ = {rows_[static_cast<std::size_t>(row)], column_, {}};
    const bool number = RecordTable::IsNumber(column_);
    RECT cell = CellRect(row, column_);
    MapWindowPoints(list_, window_, reinterpret_cast<POINT*>(&cell), 2);
    const std::wstring shown = fresh ? text : Utf16(table_.CellText(editing_.slot, column_));
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE));
    const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCellEditorId));
    // Named for a screen reader by its column's caption.
    const std::wstring name = Utf16(RecordTable::Caption(column_));
    if (number) {
        cellEditor_ = CreateWindowExW(0, WC_EDITW, shown.c_str(), WS_CHILD | WS_BORDER | ES_AUTOHSCROLL, cell.left,
                                      cell.top, cell.right - cell.left, cell.bottom - cell.top, window_, id, instance,
                                      nullptr);
        // Text of any length reaches the core, which says what it makes of it.
        SendMessageW(cellEditor_, EM_SETLIMITTEXT, 0, 0);
    } else {
        cellEditor_ = CreateWindowExW(0, WC_COMBOBOXW, nullptr,
                                      WS_CHILD | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, cell.left, cell.top,
                                      std::max<int>(cell.right - cell.left, Scaled(kNameColumnWidth)),
                                      Scaled(kDropDownHeight), window_, id, instance, nullptr);
        for (const NameChoice& choice : editor_->ChoicesFor(column_).All())
            SendMessageW(cellEditor_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf16(choice.text).c_str()));
        SendMessageW(cellEditor_, CB_LIMITTEXT, 0, 0);
        completing_ = true;
        SetWindowTextW(cellEditor_, shown.c_str());
        completing_ = false;
    }
    SendMessageW(cellEditor_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    AddTooltip(cellEditor_, name.c_str());
    SetWindowPos(cellEditor_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetFocus(cellEditor_);
    const auto length = static_cast<LPARAM>(shown.size());
    if (number)
        SendMessageW(cellEditor_, EM_SETSEL, fresh ? length : 0, fresh ? length : -1);
    else
        SendMessageW(cellEditor_, CB_SETEDITSEL, 0, fresh ? MAKELPARAM(length, length) : MAKELPARAM(0, -1));
    if (fresh && !number) {
        editing_.typed.clear();
        Complete();
    } else {
        editing_.typed = shown;
    }
}

// A name cell's text grew at its end: the first name that starts with it
// completes it, the part not typed selected, so that typing on replaces it.
void TableWindow::Complete()
{
    if (completing_ || cellEditor_ == nullptr || RecordTable::IsNumber(editing_.column))
        return;
    const std::wstring typed = TextOf(cellEditor_);
    const bool grew = typed.size() > editing_.typed.size();
    editing_.typed = typed;
    DWORD start = 0, end = 0;
    SendMessageW(cellEditor_, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (!grew || end != typed.size())
        return;
    const NameChoices& choices = editor_->ChoicesFor(editing_.column);
    const std::vector<std::size_t> found = choices.Completions(Utf8(typed));
    if (found.empty())
        return;
    completing_ = true;
    SendMessageW(cellEditor_, CB_SETCURSEL, found.front(), 0);
    SendMessageW(cellEditor_, CB_SETEDITSEL, 0, MAKELPARAM(typed.size(), -1));
    completing_ = false;
}

// Enter or Tab: commits what the core takes, else keeps the editor open
// with the text typed, the status bar saying why.
void TableWindow::FinishEdit(bool tab)
{
    if (cellEditor_ == nullptr)
        return;
    if (!Commit(editing_.slot, editing_.column, Utf8(TextOf(cellEditor_))))
        return;
    const int column = editing_.column;
    CloseEditor();
    if (tab)
        MoveTo(CurrentRow(), std::min(column + 1, RecordTable::ColumnCount() - 1));
}

void TableWindow::CancelEdit()
{
    CloseEditor();
    UpdateStatus();
}

// The editor goes, the keyboard back in the list.
void TableWindow::CloseEditor()
{
    const HWND editor = cellEditor_;
    if (editor == nullptr)
        return;
    cellEditor_ = nullptr;
    const bool focused = GetFocus() == editor || IsChild(editor, GetFocus());
    if (focused)
        SetFocus(list_);
    RemoveTooltip(editor);
    // What lay beneath the editor is its cell, whose row the list draws anew
    // below. The window is not painted again at once as the editor goes,
    // which would have the list draw every row in view (10 ms under Wine,
    // as long as the whole edit); only what the editor covered beside the
    // rows is, later.
    RECT covered{};
    GetWindowRect(editor, &covered);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&covered), 2);
    SendMessageW(window_, WM_SETREDRAW, FALSE, 0);
    DestroyWindow(editor);
    SendMessageW(window_, WM_SETREDRAW, TRUE, 0);
    RECT rows{};
    GetClientRect(list_, &rows);
    MapWindowPoints(list_, window_, reinterpret_cast<POINT*>(&rows), 2);
    const HRGN beside = CreateRectRgnIndirect(&covered);
    const HRGN inRows = CreateRectRgnIndirect(&rows);
    if (CombineRgn(beside, beside, inRows, RGN_DIFF) != NULLREGION)
        RedrawWindow(window_, nullptr, beside, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    DeleteObject(beside);
    DeleteObject(inRows);
    if (const int row = RowOf(editing_.slot); row >= 0)
        SendMessageW(list_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    else
        RedrawWindow(window_, &covered, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

// The keyboard went elsewhere (a click, Alt+F): what the editor holds is
// committed if the core takes it, else dropped, the status bar saying why.
void TableWindow::EditorLeft(HWND editor)
{
    if (editor != cellEditor_ || cellEditor_ == nullptr)
        return;
    const HWND focus = GetFocus();
    if (focus == cellEditor_ || IsChild(cellEditor_, focus))
        return;
    CommitOpenEditor();
}

// A cell being edited commits what it holds first, if the core takes it;
// else it is dropped and the status bar says why.
void TableWindow::CommitOpenEditor()
{
    if (cellEditor_ == nullptr)
        return;
    const std::string text = Utf8(TextOf(cellEditor_));
    const Editing editing = editing_;
    CloseEditor();
    Commit(editing.slot, editing.column, text);
}

bool TableWindow::Commit(int slot, int column, const std::string& text)
{
    const CellInput input = editor_->Check(slot, column, text);
    if (!input.value) {
        Say(input.refusal);
        return false;
    }
    const EditOutcome outcome = editor_->SetCell(slot, column, text);
    if (!outcome.refusal.empty()) {
        Say(outcome.refusal);
        return false;
    }
    if (const int row = RowOf(slot); outcome.done && row >= 0)
        SendMessageW(list_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    EditsChanged();
    return true;
}

void TableWindow::Undo()
{
    CommitOpenEditor();
    ShowPlace(editor_->Undo());
}

void TableWindow::Redo()
{
    CommitOpenEditor();
    ShowPlace(editor_->Redo());
}

void TableWindow::AddRecord()
{
    CommitOpenEditor();
    const int row = CurrentRow();
    const EditOutcome outcome
        = editor_->AddRecord(row >= 0 && static_cast<std::size_t>(row) < rows_.size() ? rows_[static_cast<std::size_t>(row)] : -1);
    if (!outcome.done) {
        Say(outcome.refusal);
        return;
    }
    ShowPlace(outcome.place);
}

void TableWindow::DeleteRecords()
{
    CommitOpenEditor();
    std::vector<int> chosen;
    for (LRESULT item = -1;
         (item = SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(item), LVNI_SELECTED)) != -1;) {
        if (static_cast<std::size_t>(item) < rows_.size())
            chosen.push_back(rows_[static_cast<std::size_t>(item)]);
    }
    if (const int row = CurrentRow(); chosen.empty() && row >= 0 && static_cast<std::size_t>(row) < rows_.size())
        chosen.push_back(rows_[static_cast<std::size_t>(row)]);
    const EditOutcome outcome = editor_->DeleteRecords(std::move(chosen));
    if (!outcome.done) {
        Say(outcome.refusal);
        return;
    }
    ShowPlace(outcome.place);
}

// After a step done, undone or redone: the rows or cells it changed shown
// anew, and its place made current.
void TableWindow::ShowPlace(const std::optional<EditPlace>& place)
{
    if (!place)
        return;
    const int column = place->column >= 0 ? place->column : column_;
    if (place->rowsMoved)
        Refill();
    else if (!place->oneRecord)
        InvalidateRect(list_, nullptr, FALSE);
    else if (const int row = RowOf(place->slot); row >= 0)
        SendMessageW(list_, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    const int slot = std::min(place->slot, table_.RecordCount() - 1);
    if (const int row = RowOf(slot); row >= 0)
        MoveTo(row, column);
    EditsChanged();
}

// The marker of changes not saved, the commands that can be used now, and
// the status bar.
void TableWindow::EditsChanged()
{
    const std::wstring caption
        = editor_->Modified() ? Utf16(Worded(kModifiedCaption, {kTableCaption})) : Utf16(kTableCaption);
    if (caption != caption_) {
        caption_ = caption;
        SetWindowTextW(window_, caption.c_str());
    }
    const bool editable = table_.Loaded() && editor_->Editable();
    const EditHistory& history = editor_->History();
    const auto enable = [this](int command, bool enabled) {
        EnableMenuItem(menu_, static_cast<UINT>(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    };
    for (const int command : {kSaveId, kSaveAsId, kAddId, kDeleteId, kImportId})
        enable(command, editable);
    enable(kExportId, table_.Loaded());
    enable(kUndoId, history.CanUndo());
    enable(kRedoId, history.CanRedo());
    const std::wstring undo = MenuText(std::string(kUndoCommand) + (history.CanUndo() ? " " + history.UndoText() : ""),
                                       kUndoShortcut);
    const std::wstring redo = MenuText(std::string(kRedoCommand) + (history.CanRedo() ? " " + history.RedoText() : ""),
                                       kRedoShortcut);
    ModifyMenuW(menu_, kUndoId, MF_BYCOMMAND | MF_STRING | (history.CanUndo() ? MF_ENABLED : MF_GRAYED), kUndoId,
                undo.c_str());
    ModifyMenuW(menu_, kRedoId, MF_BYCOMMAND | MF_STRING | (history.CanRedo() ? MF_ENABLED : MF_GRAYED), kRedoId,
                redo.c_str());
    UpdateStatus();
}

bool TableWindow::Save()
{
    CommitOpenEditor();
    WindowDialogs dialogs(window_);
    return Saved(file_->Save(dialogs));
}

bool TableWindow::SaveAs()
{
    CommitOpenEditor();
    WindowDialogs dialogs(window_);
    return Saved(file_->SaveAs(dialogs));
}

bool TableWindow::ImportEdits()
{
    CommitOpenEditor();
    WindowDialogs dialogs(window_);
    const SaveResult result = file_->ImportEdits(dialogs);
    if (result.done)
        ShowPlace(EditPlace{0, -1, true});
    if (!result.status.empty())
        Say(result.status);
    return result.done;
}

bool TableWindow::Export()
{
    CommitOpenEditor();
    WindowDialogs dialogs(window_);
    const SaveResult result = file_->Export(dialogs);
    if (!result.status.empty())
        Say(result.status);
    return result.done;
}

// After a save (or not): the marks and the status bar follow.
bool TableWindow::Saved(const SaveResult& result)
{
    if (result.done) {
        InvalidateRect(list_, nullptr, FALSE);
        EditsChanged();
    }
    if (!result.status.empty())
        Say(result.status);
    return result.done;
}

bool TableWindow::MayLeave()
{
    CommitOpenEditor();
    WindowDialogs dialogs(window_);
    const SaveResult result = file_->Leave(dialogs);
    if (result.discarded) {
        Refill();
        EditsChanged();
        // The main window shows its record as it is again.
        if (table_.Loaded())
            choose_(CurrentIndex);
    } else {
        Saved(result);
    }
    return result.done;
}

// The table's status; where editing is off, why; else how the current cell
// differs from the file, if it does (which a screen reader reads there).
void TableWindow::UpdateStatus()
{
    std::string text = editor_->Status(static_cast<int>(rows_.size()));
    const int row = CurrentRow();
    if (table_.Loaded() && editor_->Editable() && row >= 0 && static_cast<std::size_t>(row) < rows_.size()
             && editor_->Differs(rows_[static_cast<std::size_t>(row)], column_))
        text = Worded(kCurrentCellChanged,
                      {text, RecordTable::Caption(column_), editor_->ChangeText(rows_[static_cast<std::size_t>(row)], column_)});
    Say(text);
}

void TableWindow::Say(const std::string& text)
{
    const std::wstring status = Utf16(text);
    if (status != status_text_) {
        status_text_ = status;
        SendMessageW(status_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(status.c_str()));
    }
}

void TableWindow::Command(int command)
{
    switch (command) {
    case kSaveId:
        Save();
        break;
    case kSaveAsId:
        SaveAs();
        break;
    case kImportId:
        ImportEdits();
        break;
    case kExportId:
        Export();
        break;
    case kCloseId:
        SendMessageW(window_, WM_CLOSE, 0, 0);
        break;
    case kUndoId:
        Undo();
        break;
    case kRedoId:
        Redo();
        break;
    case kAddId:
        if (table_.Loaded() && editor_->Editable())
            AddRecord();
        break;
    case kDeleteId:
        if (table_.Loaded() && editor_->Editable())
            DeleteRecords();
        break;
    default:
        break;
    }
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
    UpdateStatus();
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
    case NM_CUSTOMDRAW:
        return CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(&header)));
    case NM_CLICK: {
        // A click makes its cell current.
        const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
        if (click.iItem >= 0 && click.iSubItem >= 0) {
            const int before = column_;
            column_ = FieldOf(click.iSubItem);
            if (before != column_)
                SendMessageW(list_, LVM_REDRAWITEMS, static_cast<WPARAM>(click.iItem), click.iItem);
            UpdateStatus();
        }
        return 0;
    }
    case LVN_ITEMCHANGED: {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        if (((change.uNewState ^ change.uOldState) & LVIS_FOCUSED) != 0)
            UpdateStatus();
        return 0;
    }
    case LVN_BEGINSCROLL:
        // The editor stays over its cell only while nothing scrolls.
        CommitOpenEditor();
        return 0;
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

// Changed cells coloured (also in selected rows, whose colours are drawn
// here for that), and the current cell framed.
LRESULT TableWindow::CustomDraw(NMLVCUSTOMDRAW& draw)
{
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        paintedCurrentRow_ = CurrentRow();
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        // Only the rows that need it are drawn here: a row with a changed
        // cell, cell by cell, and the current row's frame after it. The
        // current cell's frame stands for the row's focus rectangle.
        const auto row = static_cast<int>(draw.nmcd.dwItemSpec);
        LRESULT drawn = CDRF_DODEFAULT;
        if (row == paintedCurrentRow_) {
            draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_FOCUS);
            drawn |= CDRF_NOTIFYPOSTPAINT;
        }
        if (RowDiffers(row))
            drawn |= CDRF_NOTIFYSUBITEMDRAW;
        return drawn;
    }
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const auto row = static_cast<int>(draw.nmcd.dwItemSpec);
        if (row < 0 || static_cast<std::size_t>(row) >= rows_.size())
            return CDRF_DODEFAULT;
        const bool selected = SendMessageW(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0;
        const bool changed = editor_->Differs(rows_[static_cast<std::size_t>(row)], FieldOf(draw.iSubItem));
        const bool active = GetFocus() == list_ || (cellEditor_ != nullptr && GetFocus() != filter_);
        draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
        draw.clrText = GetSysColor(COLOR_WINDOWTEXT);
        draw.clrTextBk = GetSysColor(COLOR_WINDOW);
        if (selected) {
            draw.clrText = GetSysColor(active ? COLOR_HIGHLIGHTTEXT : COLOR_BTNTEXT);
            draw.clrTextBk = GetSysColor(active ? COLOR_HIGHLIGHT : COLOR_BTNFACE);
        }
        if (changed) {
            draw.clrText = RGB(0, 0, 0);
            draw.clrTextBk = selected ? kChangedSelectedColour : kChangedColour;
        }
        return CDRF_NEWFONT;
    }
    case CDDS_ITEMPOSTPAINT: {
        const auto row = static_cast<int>(draw.nmcd.dwItemSpec);
        if (row != paintedCurrentRow_)
            return CDRF_DODEFAULT;
        const RECT cell = CellRect(row, column_);
        const HPEN pen = CreatePen(PS_INSIDEFRAME, std::max(1, Scaled(2)), GetSysColor(COLOR_WINDOWTEXT));
        const HGDIOBJ oldPen = SelectObject(draw.nmcd.hdc, pen);
        const HGDIOBJ oldBrush = SelectObject(draw.nmcd.hdc, GetStockObject(NULL_BRUSH));
        Rectangle(draw.nmcd.hdc, cell.left, cell.top, cell.right, cell.bottom);
        SelectObject(draw.nmcd.hdc, oldBrush);
        SelectObject(draw.nmcd.hdc, oldPen);
        DeleteObject(pen);
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
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
        if (lParam == 0 && LOWORD(wParam) >= kSaveId) {
            // A menu's command, or its key.
            Command(LOWORD(wParam));
        } else if (cellEditor_ != nullptr && reinterpret_cast<HWND>(lParam) == cellEditor_) {
            const WORD notification = HIWORD(wParam);
            if (notification == EN_KILLFOCUS || notification == CBN_KILLFOCUS)
                PostMessageW(window_, kEditorLeftMessage, reinterpret_cast<WPARAM>(cellEditor_), 0);
            else if (notification == CBN_EDITUPDATE)
                Complete();
        } else if (reinterpret_cast<HWND>(lParam) == filter_ && HIWORD(wParam) == EN_CHANGE) {
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
    case kEditorLeftMessage:
        EditorLeft(reinterpret_cast<HWND>(wParam));
        return 0;
    case WM_CLOSE:
        // With changes not saved, only as the user says. Ctrl+T shows it
        // again, as it was.
        if (MayLeave())
            ShowWindow(window_, SW_HIDE);
        return 0;
    default:
        break;
    }
    return DefaultMessage(message, wParam, lParam);
}

} // namespace zuninfo
