#include "platform/win32/Win32WindowOps.h"

#include "platform/win32/Controls.h"
#include "platform/win32/MessageBox.h"

namespace zuninfo {

Win32WindowOps::~Win32WindowOps()
{
    if (BusyCursor())
        ::SetCursor(cursorBeforeBusy_);
}

void Win32WindowOps::ShowText(HWND control, const std::string& text, TextEncoding encoding)
{
    // A combo box's text is the text of its edit part; no item is selected.
    SetWindowTextW(control, ShownText(text, encoding, locale_).c_str());
    if (IsOfClass(control, L"Static"))
        SizeToCaption(control);
}

// Adds the items after what the list already holds, keeping the edit text,
// without drawing in between.
std::vector<std::wstring> Win32WindowOps::OrderedItems(const std::vector<std::string>& names,
                                                       TextEncoding encoding) const
{
    return ListItems(names, encoding, locale_);
}

void Win32WindowOps::FillList(HWND comboBox, const std::vector<std::wstring>& items)
{
    if (!IsOfClass(comboBox, L"ComboBox"))
        return;
    const std::wstring editText = TextOf(comboBox);
    SendMessageW(comboBox, WM_SETREDRAW, FALSE, 0);
    std::size_t characters = 0;
    for (const std::wstring& item : items)
        characters += item.size() + 1;
    SendMessageW(comboBox, CB_INITSTORAGE, items.size(), characters * sizeof(wchar_t));
    for (const std::wstring& item : items)
        SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SetWindowTextW(comboBox, editText.c_str());
    SendMessageW(comboBox, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(comboBox, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Win32WindowOps::Enable(HWND control, bool enabled)
{
    const bool hadFocus = GetFocus() == control;
    EnableWindow(control, enabled);
    // A disabled control cannot keep the keyboard: it goes to the next one.
    if (hadFocus && !enabled) {
        if (const HWND next = GetNextDlgTabItem(GetParent(control), control, FALSE))
            SetFocus(next);
    }
}

void Win32WindowOps::ShowBusyCursor(bool busy)
{
    if (busy)
        cursorBeforeBusy_ = ::SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    else
        ::SetCursor(cursorBeforeBusy_ != nullptr ? cursorBeforeBusy_ : LoadCursorW(nullptr, IDC_ARROW));
}

void Win32WindowOps::ShowMessage(const std::string& text)
{
    ::ShowMessage(MessageParent(), Utf16(text));
}

} // namespace zuninfo
