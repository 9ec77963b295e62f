#pragma once

#include "platform/TextEncoding.h"
#include "platform/WindowOps.h"
#include "platform/win32/NameText.h"

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// Sizes a label (a static control) to its caption in its own font.
void SizeToCaption(HWND label);

// The window operations carried out on Windows' own controls, found by the
// names they were registered under: edit boxes, drop-down combo boxes
// (CBS_DROPDOWN, not sorted by Windows), labels (static controls) and
// buttons. Bytes become text by the encoding the window gives each control,
// in the user's locale.
class Win32WindowOps : public WindowOps {
public:
    ~Win32WindowOps() override;

    void RegisterControl(const std::string& name, HWND control);
    HWND Control(std::string_view name) const;

    void SetText(std::string_view control, const std::string& text) override;
    void BeginUpdate(std::string_view comboBox) override;
    void AddItem(std::string_view comboBox, const std::string& name) override;
    void EndUpdate(std::string_view comboBox) override;
    void SetEnabled(std::string_view control, bool enabled) override;
    void SetCursor(TCursor cursor) override;
    void ShowMessage(const std::string& text) override;

    // Whether the busy cursor is up: the window keeps it over its controls.
    bool BusyCursor() const { return busyCursor_; }

protected:
    // The window message boxes belong to.
    virtual HWND MessageParent() const = 0;
    // How the bytes given for a control are read.
    virtual TextEncoding ControlEncoding(std::string_view control) const = 0;

private:
    const std::wstring locale_ = UserLocaleName();

    std::map<std::string, HWND, std::less<>> controls_;
    // Names added to a combo box and not yet in its list: EndUpdate puts
    // them in, in the order lists show them.
    std::map<std::string, std::vector<std::string>, std::less<>> pendingItems_;
    bool busyCursor_ = false;
    HCURSOR cursorBeforeBusy_ = nullptr;
};
