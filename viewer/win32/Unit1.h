#pragma once

#include "platform/win32/Win32WindowOps.h"
#include "viewer/FormLayout.h"
#include "viewer/ViewerSession.h"
#include "viewer/win32/TableWindow.h"

#include <windows.h>

#include <shellapi.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

// The viewer's one window: a Load, a Prev and a Next button over two columns
// of labelled fields, and a status bar that shows the hint of the field that
// has the focus. Built from the layout table on Windows' own controls, with
// places, sizes and fonts scaled from the 96-DPI design to the screen's.
class TForm1 final : public zuninfo::Win32WindowOps, public zuninfo::ScaledWindow {
public:
    // Builds the window (not shown yet) and its controls, then reads the name
    // lists into the combo boxes. An Exception from a malformed name list
    // leaves the constructor; a missing list shows "File not found" first.
    explicit TForm1(HINSTANCE instance = GetModuleHandleW(nullptr));
    // The same on the files the command line chose.
    explicit TForm1(zuninfo::ViewerOptions options, HINSTANCE instance = GetModuleHandleW(nullptr));
    ~TForm1() override;

    // Shows the window with the focus on the first control.
    void Show(int showCommand);

    // The keyboard of a window of controls: Tab and Shift+Tab in the tab
    // order, Alt with a caption's marked letter, Ctrl+T; the same in the
    // table of all monsters. True when the message was one of those and has
    // been handled.
    bool HandleKeyboard(MSG& message);

    // The table of all monsters (Ctrl+T), made when first shown; nullptr
    // until then.
    zuninfo::TableWindow* ShowTable();
    zuninfo::TableWindow* Table() const { return table_.get(); }

    // Files dropped on the window, or chosen to open: see
    // zuninfo::ViewerSession::Open.
    void OpenFiles(const std::vector<std::string>& paths);

    void Button1Click();
    void Button2Click();
    void Button3Click();
    // The focus entered an edit box (Edit1Enter) or a combo box
    // (ComboBox1Enter): show its hint in the status bar.
    void Edit1Enter(HWND sender);
    void ComboBox1Enter(HWND sender);

protected:
    HWND MessageParent() const override;

private:
    LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls(HINSTANCE instance);
    RECT ScaledPlace(const zuninfo::ControlLayout& layout) const;
    void FitControl(std::size_t index);
    void ApplyDpi() override;
    void PlaceStatusBar();
    void Notified(HWND control, WORD notification);
    void ShowHintOf(HWND control);
    void Detach();
    void Command(int command);
    void ShowContextMenu(LPARAM place);
    void ChooseFileToOpen();
    void DroppedFiles(HDROP drop);
    void RecordsChanged();
    bool MayLeaveEdits();

    zuninfo::ViewerSession session_;
    std::unique_ptr<zuninfo::TableWindow> table_;
    HACCEL accelerators_ = nullptr;
    HWND statusBar_ = nullptr;
    HFONT font_ = nullptr;
    HFONT boldFont_ = nullptr;
    // The controls, in the order of kFormLayout.
    std::array<HWND, zuninfo::kFormLayout.size()> controls_{};
};

// The main window; set before the window's constructor body runs and valid
// until the window is destroyed.
extern TForm1* Form1;
