#pragma once

#include "platform/win32/Controls.h"
#include "platform/win32/NameText.h"
#include "viewer/RecordTable.h"

#include <windows.h>

#include <functional>
#include <vector>

namespace zuninfo {

// "All monsters": every record Load read, one row each, in a report-mode
// ListView that asks for its cells as it draws them (LVS_OWNERDATA). A click
// on a column's header sorts by it, the filter box keeps the rows it
// matches (both by the core's rules), Enter or a double-click shows the
// row's record in the main window, and Ctrl+C copies the selected rows.
// Closing the window hides it; it goes with the main window.
class TableWindow final : public ScaledWindow {
public:
    // `choose` shows a record (its slot) in the main window, which owns this
    // window. Made hidden.
    TableWindow(HWND owner, std::function<void(int)> choose, HINSTANCE instance = GetModuleHandleW(nullptr));
    ~TableWindow();

    HWND List() const { return list_; }
    HWND FilterBox() const { return filter_; }
    HWND StatusBar() const { return status_; }

    // Shows the window, the keyboard in the table.
    void Show();

    // Whether Load has read the monster file: the rows follow.
    void SetLoaded(bool loaded);

    // Tab, Shift+Tab, Alt+F and Enter in this window; true when the message
    // was one of those and has been handled.
    bool HandleKeyboard(MSG& message);

private:
    LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Notified(const NMHDR& header);
    void CreateControls(HINSTANCE instance);
    void ApplyDpi() override;
    void PlaceControls();
    void Refill();
    void ShowSortArrows(int before);
    void Choose(int item);
    void CopySelection();

    Win32TextRules rules_;
    RecordTable table_{rules_};
    TableSort sort_;
    // The records shown, in the order shown: the list's rows.
    std::vector<int> rows_;
    std::wstring status_text_;
    std::function<void(int)> choose_;
    HWND label_ = nullptr;
    HWND filter_ = nullptr;
    HWND list_ = nullptr;
    HWND status_ = nullptr;
    HFONT font_ = nullptr;
};

} // namespace zuninfo
