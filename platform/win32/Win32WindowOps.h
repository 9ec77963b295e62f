#pragma once

#include "platform/ControlWindowOps.h"
#include "platform/win32/Controls.h"
#include "platform/win32/NameText.h"

#include <windows.h>

namespace zuninfo {

// The window operations carried out on Windows' own controls: edit boxes,
// drop-down combo boxes (CBS_DROPDOWN, not sorted by Windows), labels
// (static controls) and buttons. Names are shown and ordered in the user's
// locale.
class Win32WindowOps : public ControlWindowOps<HWND, std::vector<std::wstring>> {
public:
    using ControlWindowOps::ControlWindowOps;
    ~Win32WindowOps() override;

    void ShowMessage(const std::string& text) override;

protected:
    // The window message boxes belong to.
    virtual HWND MessageParent() const = 0;

private:
    void ShowText(HWND control, const std::string& text, TextEncoding encoding) override;
    std::vector<std::wstring> OrderedItems(const std::vector<std::string>& names, TextEncoding encoding) const override;
    void FillList(HWND comboBox, const std::vector<std::wstring>& items) override;
    void Enable(HWND control, bool enabled) override;
    void ShowBusyCursor(bool busy) override;

    const std::wstring locale_ = UserLocaleName();
    HCURSOR cursorBeforeBusy_ = nullptr;
};

} // namespace zuninfo
