// The Windows window in this process: its controls against the layout
// table, the keyboard, hints, Load and Next on the sample data, and message
// boxes, which a timer answers.
#include "data/NameLists.h"
#include "platform/win32/MessageBox.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordingFake.h"
#include "tests/support/WindowCases.h"
#include "viewer/win32/Startup.h"
#include "viewer/win32/Unit1.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>

using namespace zuninfo;

namespace {

std::string Sample(const char* name)
{
    std::ifstream file(std::filesystem::path(ZUNINFO_SOURCE_DIR) / "examples" / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// A window's text; with `message`, the text a control copies into a buffer
// for it (a status bar's text, an item of a list).
std::wstring TextOf(HWND window, UINT message = WM_GETTEXT, WPARAM wParam = 256)
{
    wchar_t text[256] = {};
    SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(text));
    return text;
}

// Answers this thread's message boxes while it lives: records each box's
// text, whether the main window was on screen meanwhile and whether a box's
// owner was not, and presses OK. Any other dialog box (a file dialog, say)
// is recorded by its caption and cancelled.
struct BoxAnswerer {
    BoxAnswerer() { SetTimer(nullptr, 0, 20, &Poll); }
    ~BoxAnswerer() { current = nullptr; }
    static void CALLBACK Poll(HWND, UINT, UINT_PTR timer, DWORD)
    {
        if (current == nullptr) {
            KillTimer(nullptr, timer);
            return;
        }
        HWND box = nullptr;
        while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
            if (GetWindowThreadProcessId(box, nullptr) == GetCurrentThreadId() && IsWindowVisible(box)) {
                const bool message = TextOf(box) == kMessageTitle;
                current->texts.push_back(message ? TextOf(GetDlgItem(box, 0xFFFF)) : TextOf(box));
                current->mainWindowShown |= IsWindowVisible(FindWindowW(nullptr, L"ZunInfo.qdf")) != FALSE;
                const HWND owner = GetWindow(box, GW_OWNER);
                current->hiddenOwner |= owner != nullptr && !IsWindowVisible(owner);
                SendMessageW(box, WM_COMMAND, message ? IDOK : IDCANCEL, 0);
            }
        }
    }
    static inline BoxAnswerer* current = nullptr;
    std::vector<std::wstring> texts;
    bool mainWindowShown = false;
    bool hiddenOwner = false;
};

class Win32WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProgramState();
        for (const char* list : {"mons.txt", "skills.txt", "attacks.txt"})
            FileSandbox::Write(files.Folder() / list, Sample(list));
        std::filesystem::remove_all(files.MonsterInfoFile());
        boxes.current = &boxes;
    }
    void TearDown() override
    {
        form.reset();
        ResetProgramState();
    }

    void Open()
    {
        form = std::make_unique<TForm1>();
        form->Show(SW_SHOWNORMAL);
    }

    // A key as the program's message loop gets it.
    void Key(UINT message, WPARAM key, LPARAM flags = 0)
    {
        MSG keyMessage{GetFocus(), message, key, flags, 0, {}};
        if (!form->HandleKeyboard(keyMessage))
            DispatchMessageW(&keyMessage);
    }

    void Click(const char* button) { SendMessageW(Find(button), BM_CLICK, 0, 0); }
    HWND Find(const char* name) const { return form->Control(name); }
    std::wstring Text(const char* name) const { return TextOf(Find(name)); }
    std::wstring StatusText() const { return TextOf(Find("StatusBar1"), SB_GETTEXTW, 0); }
    int Scaled(int designed) const { return MulDiv(designed, static_cast<int>(GetDpiForWindow(form->Handle())), 96); }

    FileSandbox files;
    BoxAnswerer boxes;
    std::unique_ptr<TForm1> form;
};

TEST_F(Win32WindowTest, EveryControlHasItsClassPlaceSizeFontAndCaption)
{
    Open();
    const HWND window = form->Handle();
    RECT frame{}, client{};
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    EXPECT_EQ(TextOf(window), L"ZunInfo.qdf");
    EXPECT_EQ(frame.left, Scaled(252));
    EXPECT_EQ(frame.top, Scaled(128));
    EXPECT_EQ(client.right, Scaled(523));
    EXPECT_EQ(client.bottom, Scaled(476));

    const auto placeOf = [window](HWND control) {
        RECT place{};
        GetWindowRect(control, &place);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&place), 2);
        return place;
    };
    const std::map<ControlKind, std::wstring> classes = {
        {ControlKind::Button, L"Button"}, {ControlKind::Label, L"Static"},     {ControlKind::BoldLabel, L"Static"},
        {ControlKind::Edit, L"Edit"},     {ControlKind::ComboBox, L"ComboBox"}, {ControlKind::StatusBar, STATUSCLASSNAMEW},
    };
    for (const ControlLayout& layout : kFormLayout) {
        SCOPED_TRACE(layout.name);
        const HWND control = Find(layout.name);
        ASSERT_NE(control, nullptr);
        wchar_t className[64] = {};
        GetClassNameW(control, className, 64);
        EXPECT_EQ(CompareStringOrdinal(className, -1, classes.at(layout.kind).c_str(), -1, TRUE), CSTR_EQUAL);
        EXPECT_EQ(TextOf(control), Utf16(layout.caption != nullptr ? layout.caption : ""));
        const RECT place = placeOf(control);
        EXPECT_EQ(place.left, Scaled(layout.left));
        EXPECT_EQ(place.top, Scaled(layout.top));
        // Labels size themselves to their caption, which ends before the
        // field it names. Screen readers name a field by the control just
        // before it.
        if (layout.buddy != nullptr) {
            EXPECT_LT(place.right, placeOf(Find(layout.buddy)).left);
            EXPECT_EQ(GetWindow(Find(layout.buddy), GW_HWNDPREV), control);
        }
        if (layout.kind != ControlKind::Label && layout.kind != ControlKind::BoldLabel) {
            EXPECT_EQ(place.right - place.left, Scaled(layout.width));
            EXPECT_EQ(place.bottom - place.top, Scaled(layout.height));
        }
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
        EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Sans Serif");
        EXPECT_EQ(font.lfHeight, -MulDiv(8, static_cast<int>(GetDpiForWindow(window)), 72));
        EXPECT_EQ(font.lfWeight, layout.kind == ControlKind::BoldLabel ? FW_BOLD : FW_NORMAL);
    }

    // A bigger window: the status bar keeps to the bottom across the full
    // width; the other controls stay where they are.
    SetWindowPos(window, nullptr, 0, 0, Scaled(700), Scaled(600), SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(window, &client);
    const RECT bar = placeOf(Find("StatusBar1"));
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.right, client.right);
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(placeOf(Find("Edit13")).left, Scaled(368));
}

// Moved to a screen of twice the density: each window's controls and font
// follow the design at the new DPI, and the window takes the place Windows
// suggests.
TEST_F(Win32WindowTest, BothWindowsFollowTheirScreensDensityWhenItChanges)
{
    Open();
    const TableWindow& table = *form->ShowTable();
    const ControlLayout& edit13 = *std::find_if(kFormLayout.begin(), kFormLayout.end(), [](const ControlLayout& layout) {
        return std::string_view(layout.name) == "Edit13";
    });
    const struct {
        HWND window;
        HWND control;
        const ControlLayout& layout;
    } cases[] = {{form->Handle(), Find("Edit13"), edit13}, {table.Handle(), table.FilterBox(), kTableControls[1]}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout.name);
        RECT suggested{10, 20, 1010, 820}, frame{}, place{};
        SendMessageW(c.window, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
        GetWindowRect(c.window, &frame);
        EXPECT_TRUE(EqualRect(&frame, &suggested));
        GetWindowRect(c.control, &place);
        MapWindowPoints(HWND_DESKTOP, c.window, reinterpret_cast<POINT*>(&place), 2);
        EXPECT_EQ(place.left, 2 * c.layout.left);
        EXPECT_EQ(place.right - place.left, 2 * c.layout.width);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(c.control, WM_GETFONT, 0, 0)), sizeof(font), &font);
        EXPECT_EQ(font.lfHeight, -MulDiv(kFormFontPoints, 192, 72));
    }
}

TEST_F(Win32WindowTest, TabRunsDownTheLeftColumnThenTheRightAndAltLPressesLoad)
{
    Open();
    std::vector<std::pair<int, HWND>> tabStops;
    for (const ControlLayout& layout : kFormLayout) {
        if (layout.tabOrder >= 0)
            tabStops.emplace_back(layout.tabOrder, Find(layout.name));
    }
    std::sort(tabStops.begin(), tabStops.end());
    EXPECT_EQ(GetFocus(), tabStops[0].second);
    for (std::size_t i = 1; i <= tabStops.size(); ++i) {
        Key(WM_KEYDOWN, VK_TAB);
        // A combo box hands the focus to its edit part.
        const HWND focus = GetFocus();
        EXPECT_TRUE(focus == tabStops[i % tabStops.size()].second || GetParent(focus) == tabStops[i % tabStops.size()].second)
            << "tab stop " << i;
    }

    FileSandbox::Write(files.MonsterInfoFile(), Sample("zuninfo.qdf"));
    SetFocus(Find("Edit2"));
    Key(WM_SYSCHAR, 'l', LPARAM(1) << 29); // with Alt
    EXPECT_FALSE(IsWindowEnabled(Find("Button1")));
    EXPECT_EQ(Text("Label24"), L"Item 0 of 35");
}

// As in the Linux window, Enter and Escape in a field are no command: no
// window opens, and the field keeps its text and the focus.
TEST_F(Win32WindowTest, EnterAndEscapeInAFieldOpenNoWindowAndKeepItsText)
{
    Open();
    const struct {
        const char* field;
        WPARAM key;
    } cases[] = {{"Edit1", VK_RETURN}, {"ComboBox1", VK_RETURN}, {"Edit3", VK_ESCAPE}, {"ComboBox2", VK_ESCAPE}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        const HWND field = Find(c.field);
        SetWindowTextW(field, L"Orc Chief");
        SetFocus(field);
        Key(WM_KEYDOWN, c.key);
        MSG pending;
        while (PeekMessageW(&pending, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&pending);
        EXPECT_EQ(form->Table(), nullptr);
        EXPECT_EQ(boxes.texts, std::vector<std::wstring>{});
        EXPECT_EQ(Text(c.field), L"Orc Chief");
        EXPECT_TRUE(GetFocus() == field || GetParent(GetFocus()) == field);
    }
}

TEST_F(Win32WindowTest, HintsAreTooltipsOfExactlyTheHintedControlsAndEnteringAFieldShowsItsHint)
{
    Open();
    HWND tooltip = nullptr;
    do {
        tooltip = FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr);
    } while (tooltip != nullptr && GetWindow(tooltip, GW_OWNER) != form->Handle());
    ASSERT_NE(tooltip, nullptr);
    const auto tip = [&](HWND control) {
        wchar_t text[256] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof(tool);
        tool.hwnd = form->Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text;
        SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        return std::wstring(text);
    };
    LRESULT tools = 0;
    for (const ControlLayout& layout : kFormLayout) {
        const std::wstring hint = Utf16(layout.hint != nullptr ? layout.hint : "");
        EXPECT_EQ(tip(Find(layout.name)), hint) << layout.name;
        tools += !hint.empty();
        // Over a combo box the mouse is mostly over its edit part.
        COMBOBOXINFO comboBox{};
        comboBox.cbSize = sizeof(comboBox);
        if (GetComboBoxInfo(Find(layout.name), &comboBox)) {
            EXPECT_EQ(tip(comboBox.hwndItem), hint) << layout.name;
            tools += !hint.empty();
        }
    }
    EXPECT_EQ(SendMessageW(tooltip, TTM_GETTOOLCOUNT, 0, 0), tools);

    EXPECT_EQ(StatusText(), L"");
    for (const FocusStep& step : FocusSteps()) {
        SetFocus(Find(step.focus));
        EXPECT_EQ(StatusText(), Utf16(step.status)) << "focus on " << step.focus;
    }
}

TEST_F(Win32WindowTest, LoadThenNextFillEveryFieldFromTheSampleData)
{
    FileSandbox::Write(files.MonsterInfoFile(), Sample("zuninfo.qdf"));
    Open();
    Click("Button1");
    EXPECT_FALSE(IsWindowEnabled(Find("Button1")));
    EXPECT_EQ(Text("Label24"), L"Item 0 of 35");
    Click("Button3");

    // The sample's second record: "1 0 0 0 1 0 1000 0 0 0 0 0 0 0 5 5 5 5 1 2 -1 0 0".
    const std::map<std::string, std::wstring> expected = {
        {"Edit1", L"1"},        {"ComboBox1", L"Training Dummy"}, {"Edit2", L"0"},      {"Edit3", L"0"},
        {"Edit4", L"1"},        {"Edit5", L"0"},        {"Edit6", L"1000"},     {"Edit7", L"0"},
        {"ComboBox4", L"None"}, {"ComboBox5", L"None"}, {"ComboBox2", L"None"}, {"ComboBox3", L"None"},
        {"Edit12", L"0"},       {"Edit13", L"0"},       {"Edit14", L"5"},       {"Edit8", L"5"},
        {"Edit9", L"5"},        {"Edit10", L"5"},       {"Edit11", L"1"},       {"Edit15", L"2"},
        {"Edit16", L"-1"},      {"Edit17", L"0"},       {"Edit18", L"0"},       {"Label24", L"Item 1 of 35"},
    };
    for (const auto& [name, text] : expected)
        EXPECT_EQ(Text(name.c_str()), text) << name;

    // The text is the edit text: no item is selected. The list holds every
    // name of the file, in the list order.
    const HWND skins = Find("ComboBox1");
    EXPECT_EQ(SendMessageW(skins, CB_GETCURSEL, 0, 0), CB_ERR);
    RecordingFake lists;
    LoadNameLists(lists, SystemFiles());
    const std::vector<std::wstring> names = ListItems(lists.items["ComboBox1"], TextEncoding::Utf8, UserLocaleName());
    ASSERT_EQ(SendMessageW(skins, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(TextOf(skins, CB_GETLBTEXT, i), names[i]) << "item " << i;
}

TEST_F(Win32WindowTest, AMissingMonsterFileShowsItsBoxAndTheWindowGoesOn)
{
    Open();
    Click("Button1");
    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{L"File not found"});
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(IsWindowEnabled(Find("Button1")));
    EXPECT_EQ(Text("Label24"), L"Total Items:");

    // The file turns up: the next Load reads it.
    FileSandbox::Write(files.MonsterInfoFile(), Sample("zuninfo.qdf"));
    Click("Button1");
    EXPECT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(Text("Label24"), L"Item 0 of 35");
}

TEST_F(Win32WindowTest, AMissingNameListShowsItsBoxOwnedByNoHiddenWindow)
{
    std::filesystem::remove(files.Folder() / "skills.txt");
    Open();
    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{L"File not found"});
    EXPECT_FALSE(boxes.hiddenOwner);
}

TEST_F(Win32WindowTest, AMalformedNameListEndsTheStartUpWithItsMessageBeforeTheWindowShows)
{
    FileSandbox::Write(files.Folder() / "mons.txt", "1 Bat\r\nGoblin 2\r\n");
    EXPECT_EQ(RunViewer(GetModuleHandleW(nullptr), SW_SHOWNORMAL), 0);
    EXPECT_EQ(boxes.texts, std::vector<std::wstring>{L"mons.txt, line 2: 'Goblin' is not a valid integer value"});
    EXPECT_FALSE(boxes.mainWindowShown);
    EXPECT_FALSE(boxes.hiddenOwner);
    EXPECT_EQ(Form1, nullptr);
}

} // namespace
