#include "platform/win32/Win32WindowOps.h"

#include "platform/win32/MessageBox.h"

#include <iterator>
#include <utility>

namespace {

std::wstring ClassOf(HWND control)
{
    wchar_t name[32] = {};
    GetClassNameW(control, name, static_cast<int>(std::size(name)));
    return name;
}

bool Is(HWND control, const wchar_t* className)
{
    return control != nullptr && CompareStringOrdinal(ClassOf(control).c_str(), -1, className, -1, TRUE) == CSTR_EQUAL;
}

std::wstring TextOf(HWND control)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Puts the names into the combo box's list in the given order, after what it
// already holds (each list is filled once, from one name list file), keeping
// its edit text, without drawing in between.
void FillList(HWND comboBox, const std::vector<std::wstring>& items)
{
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

} // namespace

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

Win32WindowOps::~Win32WindowOps()
{
    if (busyCursor_)
        ::SetCursor(cursorBeforeBusy_);
}

void Win32WindowOps::RegisterControl(const std::string& name, HWND control)
{
    controls_[name] = control;
}

HWND Win32WindowOps::Control(std::string_view name) const
{
    const auto found = controls_.find(name);
    return found == controls_.end() ? nullptr : found->second;
}

void Win32WindowOps::SetText(std::string_view control, const std::string& text)
{
    const HWND handle = Control(control);
    if (handle == nullptr)
        return;
    // A combo box's text is the text of its edit part; no item is selected.
    SetWindowTextW(handle, ShownText(text, ControlEncoding(control), locale_).c_str());
    if (Is(handle, L"Static"))
        SizeToCaption(handle);
}

void Win32WindowOps::BeginUpdate(std::string_view)
{
    // Nothing to do: the list is filled at EndUpdate.
}

void Win32WindowOps::AddItem(std::string_view comboBox, const std::string& name)
{
    pendingItems_[std::string(comboBox)].push_back(name);
}

void Win32WindowOps::EndUpdate(std::string_view comboBox)
{
    const auto pending = pendingItems_.find(comboBox);
    if (pending == pendingItems_.end())
        return;
    const std::vector<std::string> names = std::move(pending->second);
    pendingItems_.erase(pending);
    const HWND handle = Control(comboBox);
    if (Is(handle, L"ComboBox"))
        FillList(handle, ListItems(names, ControlEncoding(comboBox), locale_));
}

void Win32WindowOps::SetEnabled(std::string_view control, bool enabled)
{
    const HWND handle = Control(control);
    if (handle == nullptr)
        return;
    const bool hadFocus = GetFocus() == handle;
    EnableWindow(handle, enabled);
    // A disabled control cannot keep the keyboard: it goes to the next one.
    if (hadFocus && !enabled) {
        if (const HWND next = GetNextDlgTabItem(GetParent(handle), handle, FALSE))
            SetFocus(next);
    }
}

void Win32WindowOps::SetCursor(TCursor cursor)
{
    const bool busy = cursor == TCursor::crHourGlass;
    if (busy == busyCursor_)
        return;
    busyCursor_ = busy;
    if (busy)
        cursorBeforeBusy_ = ::SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    else
        ::SetCursor(cursorBeforeBusy_ != nullptr ? cursorBeforeBusy_ : LoadCursorW(nullptr, IDC_ARROW));
}

void Win32WindowOps::ShowMessage(const std::string& text)
{
    ::ShowMessage(MessageParent(), Utf16(text));
}
