#include "viewer/win32/Unit1.h"

#include "data/NameLists.h"
#include "viewer/RecordBrowser.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <string_view>
#include <utility>

TForm1* Form1 = nullptr;

using namespace zuninfo;

namespace {

// The program's icon in its resources (zuninfo-viewer.rc), with its small
// icon.
constexpr WindowDesign kDesign{L"ZunInfoViewerForm", 1, true, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              WS_EX_CONTROLPARENT};
// Control ids: this plus the control's index in kFormLayout.
constexpr int kFirstControlId = 100;
// How far a combo box's list drops, as designed at 96 DPI.
constexpr int kDropDownHeight = 200;

struct ControlClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

ControlClass ClassOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Button:
        return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::Label:
    case ControlKind::BoldLabel:
        // SS_NOTIFY: the label takes the mouse, so its tooltip can show.
        return {WC_STATICW, SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
    case ControlKind::Edit:
        return {WC_EDITW, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::ComboBox:
        // Not CBS_SORT: the names come in the order their lists show them.
        return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 0};
    case ControlKind::StatusBar:
        // The window places it: along the bottom, across the full width.
        return {STATUSCLASSNAMEW, SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, 0};
    }
    return {};
}

// The layout of one of the window's own controls; nullptr for any other.
const ControlLayout* LayoutOf(HWND window, HWND control)
{
    if (control == nullptr || GetParent(control) != window)
        return nullptr;
    const int index = GetDlgCtrlID(control) - kFirstControlId;
    return index >= 0 && static_cast<std::size_t>(index) < kFormLayout.size() ? &kFormLayout[static_cast<std::size_t>(index)]
                                                                              : nullptr;
}

HFONT CreateFormFont(UINT dpi, bool bold)
{
    return CreateControlFont(kFormFontFace, kFormFontPoints, dpi, bold);
}

// Makes the closed combo box (its edit field) `height` tall. The field's
// height is set, and the box measured again: Windows and Wine count the
// field's border differently.
void SetClosedHeight(HWND comboBox, int height)
{
    LRESULT field = SendMessageW(comboBox, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    for (int attempt = 0; attempt < 3; ++attempt) {
        RECT rect{};
        GetWindowRect(comboBox, &rect);
        const int missing = height - (rect.bottom - rect.top);
        if (missing == 0)
            return;
        field += missing;
        SendMessageW(comboBox, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
    }
}

struct ClickBinding {
    const char* button;
    void (TForm1::*handler)();
};

constexpr ClickBinding kClickBindings[] = {
    {"Button1", &TForm1::Button1Click},
    {"Button2", &TForm1::Button2Click},
    {"Button3", &TForm1::Button3Click},
};

// The commands of the context menu and Ctrl+T. The keyboard of a window of
// controls sends Enter as IDOK (1) and Escape as IDCANCEL (2), and the
// dialog manager's other ids lie below the controls' (kFirstControlId): the
// commands lie above both, so that Enter and Escape in a field do nothing.
constexpr int kShowTableCommand = 1000;
constexpr int kOpenFileCommand = 1001;
static_assert(kShowTableCommand > kFirstControlId + static_cast<int>(kFormLayout.size()));

std::string ProgramPath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return Utf8(path);
        }
        path.resize(path.size() * 2);
    }
}

// A second viewer, left to run on its own.
class DetachedViewer final : public ProcessStarter {
public:
    bool Start(const ProcessCommand& command) override
    {
        const std::wstring program = Utf16(command.program);
        std::wstring line = Utf16(WindowsCommandLine(command.program, command.arguments));
        const std::wstring folder = Utf16(command.folder);
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            folder.empty() ? nullptr : folder.c_str(), &startup, &process))
            return false;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return true;
    }
};

} // namespace

TForm1::TForm1(HINSTANCE instance) : TForm1(ViewerOptions{}, instance) {}

TForm1::TForm1(ViewerOptions options, HINSTANCE instance)
    : Win32WindowOps(EncodingOf), ScaledWindow(kDesign), session_(std::move(options), ProgramPath())
{
    Form1 = this;
    try {
        CreateControls(instance);
        LoadNameLists(*this, session_.Files());
    } catch (...) {
        // No destructor runs for a window whose constructor throws.
        Detach();
        throw;
    }
}

TForm1::~TForm1()
{
    Detach();
}

// Destroys the window without calling back into this object, which may be
// half made or half gone; Form1 no longer names it.
void TForm1::Detach()
{
    table_.reset();
    if (accelerators_ != nullptr) {
        DestroyAcceleratorTable(accelerators_);
        accelerators_ = nullptr;
    }
    Destroy();
    DeleteObject(font_);
    DeleteObject(boldFont_);
    font_ = boldFont_ = nullptr;
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::CreateControls(HINSTANCE instance)
{
    const INITCOMMONCONTROLSEX commonControls{sizeof(commonControls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&commonControls);
    // Placed and sized once the screen's DPI is known.
    Create(instance, kFormCaption, kFormLeft, kFormTop, kClientWidth, kClientHeight, nullptr);
    font_ = CreateFormFont(Dpi(), false);
    boldFont_ = CreateFormFont(Dpi(), true);

    // The table's order is the z-order, in which Tab moves; each input
    // comes just after the label that names it, which is how screen readers
    // find an input's name.
    for (std::size_t index = 0; index < kFormLayout.size(); ++index) {
        const ControlLayout& layout = kFormLayout[index];
        const ControlClass controlClass = ClassOf(layout.kind);
        const RECT place = ScaledPlace(layout);
        const HWND control = CreateWindowExW(
            controlClass.exStyle, controlClass.name, Utf16(layout.caption != nullptr ? layout.caption : "").c_str(),
            WS_CHILD | WS_VISIBLE | controlClass.style, place.left, place.top, place.right - place.left,
            place.bottom - place.top, window_,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + static_cast<int>(index))), instance, nullptr);
        controls_[index] = control;
        RegisterControl(layout.name, control);
        FitControl(index);
    }
    statusBar_ = Control("StatusBar1");
    SendMessageW(statusBar_, SB_SIMPLE, TRUE, 0);

    for (std::size_t i = 0; i < kFormLayout.size(); ++i) {
        if (kFormLayout[i].hint != nullptr)
            AddTooltip(controls_[i], Utf16(kFormLayout[i].hint).c_str());
    }

    PlaceStatusBar();
    // Ctrl+T, and monster files dropped on the window.
    ACCEL showTable{FCONTROL | FVIRTKEY, 'T', kShowTableCommand};
    accelerators_ = CreateAcceleratorTableW(&showTable, 1);
    DragAcceptFiles(window_, TRUE);
    const POINT place{kFormLeft, kFormTop};
    FitFrame(kClientWidth, kClientHeight, &place);
}

// The control's place and size at the window's DPI, as designed at 96 DPI;
// a combo box's height is that of its dropped list.
RECT TForm1::ScaledPlace(const ControlLayout& layout) const
{
    const int height = layout.kind == ControlKind::ComboBox ? kDropDownHeight : layout.height;
    const int left = Scaled(layout.left), top = Scaled(layout.top);
    return {left, top, left + Scaled(layout.width), top + Scaled(height)};
}

// The window's font for the control; then a label sizes itself to its
// caption and a combo box gets its closed height.
void TForm1::FitControl(std::size_t index)
{
    const ControlLayout& layout = kFormLayout[index];
    const HWND control = controls_[index];
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(layout.kind == ControlKind::BoldLabel ? boldFont_ : font_),
                 FALSE);
    if (layout.kind == ControlKind::Label || layout.kind == ControlKind::BoldLabel)
        SizeToCaption(control);
    else if (layout.kind == ControlKind::ComboBox)
        SetClosedHeight(control, Scaled(layout.height));
}

// Fonts, places and sizes of the 96-DPI design at the window's DPI.
void TForm1::ApplyDpi()
{
    DeleteObject(font_);
    DeleteObject(boldFont_);
    font_ = CreateFormFont(Dpi(), false);
    boldFont_ = CreateFormFont(Dpi(), true);
    for (std::size_t i = 0; i < kFormLayout.size(); ++i) {
        const RECT place = ScaledPlace(kFormLayout[i]);
        SetWindowPos(controls_[i], nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        FitControl(i);
    }
    PlaceStatusBar();
    InvalidateRect(window_, nullptr, TRUE);
}

// The status bar keeps to the bottom edge, across the full width.
void TForm1::PlaceStatusBar()
{
    const ControlLayout* layout = LayoutOf(window_, statusBar_);
    if (layout == nullptr)
        return;
    RECT client{};
    GetClientRect(window_, &client);
    const int height = Scaled(layout->height);
    MoveWindow(statusBar_, 0, client.bottom - height, client.right, height, TRUE);
}

void TForm1::Show(int showCommand)
{
    ShowWindow(window_, showCommand);
    UpdateWindow(window_);
    SetFocus(GetNextDlgTabItem(window_, nullptr, FALSE));
}

bool TForm1::HandleKeyboard(MSG& message)
{
    if (table_ != nullptr && table_->HandleKeyboard(message))
        return true;
    if (window_ == nullptr)
        return false;
    if ((message.hwnd == window_ || IsChild(window_, message.hwnd)) && TranslateAcceleratorW(window_, accelerators_, &message))
        return true;
    return IsDialogMessageW(window_, &message);
}

void TForm1::Button1Click()
{
    if (!MayLeaveEdits())
        return;
    session_.Load(*this);
    RecordsChanged();
}

void TForm1::Button2Click()
{
    ShowPrevious(*this);
}

void TForm1::Button3Click()
{
    ShowNext(*this);
}

void TForm1::Edit1Enter(HWND sender)
{
    ShowHintOf(sender);
}

void TForm1::ComboBox1Enter(HWND sender)
{
    ShowHintOf(sender);
}

void TForm1::ShowHintOf(HWND control)
{
    const ControlLayout* layout = LayoutOf(window_, control);
    const std::wstring hint = layout != nullptr && layout->hint != nullptr ? Utf16(layout->hint) : std::wstring();
    SendMessageW(statusBar_, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(hint.c_str()));
}

// A control's notification: a button pressed, or the focus entering an edit
// box or a combo box. Buttons have no enter handler, so focusing one leaves
// the status bar as it was.
void TForm1::Notified(HWND control, WORD notification)
{
    const ControlLayout* layout = LayoutOf(window_, control);
    if (layout == nullptr)
        return;
    switch (layout->kind) {
    case ControlKind::Button:
        if (notification == BN_CLICKED) {
            for (const ClickBinding& binding : kClickBindings) {
                if (std::string_view(binding.button) == layout->name)
                    (this->*binding.handler)();
            }
        }
        break;
    case ControlKind::Edit:
        if (notification == EN_SETFOCUS)
            Edit1Enter(control);
        break;
    case ControlKind::ComboBox:
        if (notification == CBN_SETFOCUS)
            ComboBox1Enter(control);
        break;
    case ControlKind::Label:
    case ControlKind::BoldLabel:
    case ControlKind::StatusBar:
        break;
    }
}

TableWindow* TForm1::ShowTable()
{
    if (table_ == nullptr) {
        table_ = std::make_unique<TableWindow>(
            window_, [this](int slot) { RunCommand(*this, [&] { ShowChosenRecord(*this, slot); }); }, session_,
            reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window_, GWLP_HINSTANCE)));
        table_->SetLoaded(session_.Loaded());
    }
    table_->Show();
    return table_.get();
}

void TForm1::OpenFiles(const std::vector<std::string>& paths)
{
    DetachedViewer starter;
    RunCommand(*this, [&] { session_.Open(*this, paths, starter); });
    RecordsChanged();
}

// Changes not saved in the table are saved or dropped first, as the user
// says, or kept (false). (Once a file is loaded, Load is off and another
// file opens in a viewer of its own, so only closing leaves them.)
bool TForm1::MayLeaveEdits()
{
    return table_ == nullptr || table_->MayLeave();
}

// The table follows what Load read.
void TForm1::RecordsChanged()
{
    if (table_ != nullptr)
        table_->SetLoaded(session_.Loaded());
}

void TForm1::Command(int command)
{
    if (command == kShowTableCommand)
        ShowTable();
    else if (command == kOpenFileCommand)
        ChooseFileToOpen();
}

// The menu of the window's background (the fields have their own); from the
// keyboard, at the window's top left corner.
void TForm1::ShowContextMenu(LPARAM place)
{
    POINT at{static_cast<short>(LOWORD(place)), static_cast<short>(HIWORD(place))};
    if (place == -1) {
        at = {0, 0};
        ClientToScreen(window_, &at);
    }
    const HMENU menu = CreatePopupMenu();
    const std::wstring table = Utf16(std::string(kTableCommand) + "\t" + kTableShortcut);
    const std::wstring open = Utf16(kOpenCommand);
    AppendMenuW(menu, MF_STRING, kShowTableCommand, table.c_str());
    AppendMenuW(menu, MF_STRING, kOpenFileCommand, open.c_str());
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window_, nullptr));
    DestroyMenu(menu);
    Command(chosen);
}

void TForm1::ChooseFileToOpen()
{
    std::wstring file(32768, L'\0');
    const std::wstring title = Utf16(kOpenCommand);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = L"Monster files (*.qdf)\0*.qdf\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (GetOpenFileNameW(&dialog))
        OpenFiles({Utf8(file.c_str())});
}

void TForm1::DroppedFiles(HDROP drop)
{
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop, i, path.data(), static_cast<UINT>(path.size())));
        paths.push_back(Utf8(path));
    }
    DragFinish(drop);
    OpenFiles(paths);
}

HWND TForm1::MessageParent() const
{
    return window_;
}

LRESULT TForm1::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    // An error ends the command (or any other handler) it comes from, not
    // the program.
    LRESULT result = 0;
    RunCommand(*this, [&] { result = HandleMessage(message, wParam, lParam); });
    return result;
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        // From a control, or else from Ctrl+T (or Enter and Escape, which
        // are no command).
        if (lParam != 0)
            Notified(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        else
            Command(LOWORD(wParam));
        return 0;
    case WM_CONTEXTMENU:
        ShowContextMenu(lParam);
        return 0;
    case WM_DROPFILES:
        DroppedFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_SIZE:
        PlaceStatusBar();
        return 0;
    case WM_SETCURSOR:
        if (BusyCursor()) {
            ::SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_CLOSE:
        // The table goes with the window it belongs to; with changes not
        // saved it asks first, and may keep both open.
        if (!MayLeaveEdits())
            return 0;
        DestroyWindow(window_);
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefaultMessage(message, wParam, lParam);
}
