#pragma once

#include <windows.h>

#include <string>

namespace zuninfo {

// What the program's windows of Windows' own controls share.

// A control's class is `className` (compared as Windows compares them).
bool IsOfClass(HWND control, const wchar_t* className);

// A control's text.
std::wstring TextOf(HWND control);

// Sizes a label (a static control) to its caption in its own font.
void SizeToCaption(HWND label);

// The font of a window of controls: `face` at `points`, at `dpi`.
HFONT CreateControlFont(const char* face, int points, UINT dpi, bool bold);

// A top-level window's class, with the program's icon `iconId` from its
// resources (and its small icon, where `smallIcon`), and its frame.
struct WindowDesign {
    const wchar_t* className;
    int iconId;
    bool smallIcon;
    DWORD style;
    DWORD exStyle;
};

// A top-level window of Windows' own controls that this object handles,
// designed at 96 DPI and scaled to its screen's density: what the program's
// windows do alike. The window lives from Create until Destroy (or the
// object's end), or until Windows destroys it.
class ScaledWindow {
public:
    ScaledWindow(const ScaledWindow&) = delete;
    ScaledWindow& operator=(const ScaledWindow&) = delete;

    HWND Handle() const { return window_; }

protected:
    explicit ScaledWindow(const WindowDesign& design) : design_(design) {}
    virtual ~ScaledWindow();

    // Makes the window, its class registered the first time; its DPI is
    // known from here on. Throws an Exception where it cannot be made.
    void Create(HINSTANCE instance, const std::string& caption, int left, int top, int width, int height, HWND owner);
    // Destroys the window without calling back into this object, which may
    // be half made or half gone.
    void Destroy();

    // A length of the 96-DPI design at the window's DPI.
    int Scaled(int designed) const { return MulDiv(designed, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI); }
    UINT Dpi() const { return dpi_; }

    // Gives the window the frame around a client area of the design's size
    // at its DPI; with `place`, the design's top left corner, moves it there.
    void FitFrame(int clientWidth, int clientHeight, const POINT* place = nullptr);

    // Shows `hint` as the tooltip of `control`, one of the window's
    // controls; over a combo box, over its edit part too.
    void AddTooltip(HWND control, const wchar_t* hint);
    // The hint of a control about to go.
    void RemoveTooltip(HWND control);

    // Every message of the window's, from WM_NCCREATE to before
    // WM_NCDESTROY. Nothing may be thrown through Windows' own code.
    virtual LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // What the program's windows do alike with a message their own handling
    // leaves: on WM_DPICHANGED, the new DPI applied and the place Windows
    // suggests taken; on WM_ACTIVATE, the focus kept as a dialog box keeps
    // it; on WM_NEXTDLGCTL (a label's Alt key), the focus moved as a dialog
    // box moves it; else Windows' default.
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The fonts, places and sizes of the design at the window's DPI; called
    // again whenever that changes.
    virtual void ApplyDpi() = 0;

    HWND window_ = nullptr;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // TTM_ADDTOOLW or TTM_DELTOOLW for the control, and a combo box's edit part.
    void SendToTooltip(UINT message, HWND control, const wchar_t* hint);

    WindowDesign design_;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HWND tooltip_ = nullptr;
    HWND focusWhenInactive_ = nullptr;
};

} // namespace zuninfo
