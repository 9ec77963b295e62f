// The table of all monsters on the Windows front end, its editing and
// saving with the keyboard alone, a file dropped on the main window, and
// command lines as Windows splits them: the program started from another
// folder than the sample data's, on the sample monster file.
#include "data/MonsterInfo.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/NameText.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/ProgramState.h"
#include "viewer/CommandLine.h"
#include "viewer/TableEditor.h"
#include "viewer/win32/TableWindow.h"
#include "viewer/win32/Unit1.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;

using namespace zuninfo;

namespace {

std::wstring TextOf(HWND window, UINT message = WM_GETTEXT, WPARAM wParam = 256)
{
    wchar_t text[256] = {};
    SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(text));
    return text;
}

// Holds Ctrl down, for this thread, while it lives.
struct CtrlDown {
    CtrlDown() { SetCtrl(0x80); }
    ~CtrlDown() { SetCtrl(0); }
    static void SetCtrl(BYTE state)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = state;
        SetKeyboardState(keys);
    }
};

// Answers this thread's message boxes with `answer` while it lives, and
// records each box's text.
struct BoxAnswers {
    explicit BoxAnswers(int answer) : answer(answer)
    {
        current = this;
        SetTimer(nullptr, 0, 20, &Poll);
    }
    ~BoxAnswers() { current = nullptr; }
    static void CALLBACK Poll(HWND, UINT, UINT_PTR timer, DWORD)
    {
        if (current == nullptr) {
            KillTimer(nullptr, timer);
            return;
        }
        HWND box = nullptr;
        while ((box = FindWindowExW(nullptr, box, L"#32770", kMessageTitle)) != nullptr) {
            if (GetWindowThreadProcessId(box, nullptr) == GetCurrentThreadId() && IsWindowVisible(box)) {
                current->texts.push_back(TextOf(GetDlgItem(box, 0xFFFF)));
                SendMessageW(box, WM_COMMAND, static_cast<WPARAM>(current->answer), 0);
            }
        }
    }
    static inline BoxAnswers* current = nullptr;
    int answer;
    std::vector<std::wstring> texts;
};

class Win32TableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetProgramState();
        game = files.Folder() / GameFolder();
        fs::create_directories(game);
        for (const char* file : {"mons.txt", "skills.txt", "attacks.txt", "zuninfo.qdf"})
            fs::copy_file(fs::path(ZUNINFO_SOURCE_DIR) / "examples" / file, game / file,
                          fs::copy_options::overwrite_existing);
        fs::create_directories(files.Folder() / "elsewhere");
        fs::current_path(files.Folder() / "elsewhere");
        const CommandLine commandLine = ParseCommandLine({PathText(fs::path("..") / GameFolder() / "zuninfo.qdf")});
        ASSERT_EQ(commandLine.action, CommandLine::Action::Run);
        form = std::make_unique<TForm1>(commandLine.options);
        form->Show(SW_SHOWNORMAL);
    }
    void TearDown() override
    {
        form.reset();
        ResetProgramState();
    }

    // A key as the program's message loop gets it.
    void Key(WPARAM key, UINT message = WM_KEYDOWN, LPARAM flags = 0)
    {
        MSG keyMessage{GetFocus(), message, key, flags, 0, {}};
        if (!form->HandleKeyboard(keyMessage)) {
            TranslateMessage(&keyMessage);
            DispatchMessageW(&keyMessage);
        }
    }

    std::wstring Text(const char* name) const { return TextOf(form->Control(name)); }

    // The folder of the sample data.
    virtual fs::path GameFolder() const { return "game"; }

    FileSandbox files;
    fs::path game;
    std::unique_ptr<TForm1> form;
};

// The list view's column headed by the caption.
int ColumnCaptioned(HWND list, const wchar_t* caption)
{
    for (int column = 0;; ++column) {
        wchar_t text[64] = {};
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = 64;
        if (!SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info)))
            return -1;
        if (std::wstring(text) == caption)
            return column;
    }
}

std::wstring Cell(HWND list, int item, int column)
{
    wchar_t text[256] = {};
    LVITEMW info{};
    info.iSubItem = column;
    info.pszText = text;
    info.cchTextMax = 256;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&info));
    return text;
}

// A click on a column's header, as the mouse gives it, the column scrolled
// into view first.
void ClickHeader(HWND list, int column)
{
    const HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    RECT place{};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&place));
    RECT shown{};
    GetClientRect(header, &shown);
    if (place.left < shown.left || place.right > shown.right) {
        SendMessageW(list, LVM_SCROLL, static_cast<WPARAM>(place.left - shown.left), 0);
        SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&place));
    }
    const LPARAM middle = MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    SendMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, middle);
    SendMessageW(header, WM_LBUTTONUP, 0, middle);
}

TEST_F(Win32TableTest, CtrlTOpensTheTableWhichFillsOnLoadSortsFiltersChoosesAndCopies)
{
    // Before Load: open, empty, and saying so.
    {
        CtrlDown ctrl;
        Key('T');
    }
    TableWindow* table = form->Table();
    ASSERT_NE(table, nullptr);
    EXPECT_TRUE(IsWindowVisible(table->Handle()));
    EXPECT_EQ(TextOf(table->Handle()), L"All monsters");
    const HWND list = table->List();
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(TextOf(table->StatusBar(), SB_GETTEXTW, 0).rfind(L"Nothing has been loaded yet", 0), 0u);

    // Load reads the file named, with the lists beside it.
    SendMessageW(form->Control("Button1"), BM_CLICK, 0, 0);
    EXPECT_EQ(Text("Label24"), L"Item 0 of 35");
    EXPECT_EQ(Text("ComboBox1"), L"Training Dummy");
    ASSERT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 36);
    EXPECT_EQ(TextOf(table->StatusBar(), SB_GETTEXTW, 0), L"36 monsters");
    const int index = ColumnCaptioned(list, L"Index"), str = ColumnCaptioned(list, L"Str");
    const int skin = ColumnCaptioned(list, L"Skin");
    ASSERT_GE(index, 0);
    ASSERT_GE(str, 0);
    EXPECT_EQ(Cell(list, 2, skin), L"Goblin \u00C9claireur (1)");
    // Index, right-aligned, is shown first.
    int order[23] = {};
    SendMessageW(list, LVM_GETCOLUMNORDERARRAY, 23, reinterpret_cast<LPARAM>(order));
    EXPECT_EQ(order[0], index);

    // A click on Skin's header (the list view's first column, Index's field)
    // sorts by Skin: names in the lists' order, then by id, then in store
    // order.
    ClickHeader(list, skin);
    EXPECT_EQ(Cell(list, 0, skin), L"(99)");
    EXPECT_EQ(Cell(list, 1, skin), L"Bandit (40)");
    EXPECT_EQ(Cell(list, 1, index), L"27");
    EXPECT_EQ(Cell(list, 2, index), L"29");

    // Clicks on Str's header: ascending (equal values in store order), then
    // reversed.
    ClickHeader(list, str);
    EXPECT_EQ(Cell(list, 0, str), L"1");
    EXPECT_EQ(Cell(list, 1, index), L"7");
    EXPECT_EQ(Cell(list, 2, index), L"35");
    EXPECT_EQ(Cell(list, 2, str), L"4");
    ClickHeader(list, str);
    EXPECT_EQ(Cell(list, 0, str), L"250");

    // Enter on the first row shows its record in the main window.
    SetFocus(list);
    LVITEMW first{};
    first.state = first.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    Key(VK_RETURN);
    EXPECT_EQ(Text("Label24"), L"Item 34 of 35");
    EXPECT_EQ(Text("Edit14"), L"250");
    EXPECT_EQ(Text("ComboBox1"), L"Black Dragon");

    // Ctrl+C copies the selected rows under the captions, in the order
    // shown whatever the order they were selected in.
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    SendMessageW(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&first));
    SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&first));
    {
        CtrlDown ctrl;
        Key('C');
    }
    ASSERT_TRUE(OpenClipboard(nullptr));
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const std::wstring copied = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : L"";
    if (data != nullptr)
        GlobalUnlock(data);
    CloseClipboard();
    EXPECT_EQ(copied.rfind(L"Index\tSkin\tLine of Sight\t", 0), 0u);
    EXPECT_NE(copied.find(L"\r\n34\tBlack Dragon (100)\t"), std::wstring::npos);
    EXPECT_LT(copied.find(L"\r\n34\t"), copied.find(L"\r\n33\t"));
    EXPECT_NE(copied.find(L"\r\n33\t"), std::wstring::npos);
    EXPECT_EQ(std::count(copied.begin(), copied.end(), L'\n'), 3);

    // The filter keeps the rows holding the text, case ignored.
    SetWindowTextW(table->FilterBox(), L"GOBLIN");
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(TextOf(table->StatusBar(), SB_GETTEXTW, 0), L"2 of 36 monsters shown");
    EXPECT_EQ(Cell(list, 1, skin), L"Goblin Archer (2)");

    // Alt+F from the table: the focus in the filter, its text selected.
    SetFocus(list);
    Key('f', WM_SYSCHAR, LPARAM(1) << 29);
    EXPECT_EQ(GetFocus(), table->FilterBox());
    DWORD start = 1, end = 0;
    SendMessageW(table->FilterBox(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 6u);
}

TEST_F(Win32TableTest, AFileDroppedOnTheWindowBeforeLoadIsLoaded)
{
    // What Explorer hands over: the names after a DROPFILES header.
    const std::wstring path = (files.Folder() / "game" / "zuninfo.qdf").wstring();
    const std::size_t bytes = sizeof(DROPFILES) + (path.size() + 2) * sizeof(wchar_t);
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), path.c_str(), path.size() * sizeof(wchar_t));
    GlobalUnlock(memory);
    SendMessageW(form->Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);

    EXPECT_EQ(Text("Label24"), L"Item 0 of 35");
    EXPECT_FALSE(IsWindowEnabled(form->Control("Button1")));
}

// The keys of the table's editing, sent as the message loop gets them, on
// the sample data in a folder whose name is not ASCII.
class Win32EditTest : public Win32TableTest {
protected:
    static constexpr int kSkin = 1, kStr = 14;

    fs::path GameFolder() const override { return L"Spiel f\u00FCr Orks \u0413\u043E\u0431\u043B\u0438\u043D"; }

    // Load (Space on the Load button, which has the focus), Ctrl+T, then
    // Alt+F and Tab to the table.
    TableWindow* OpenTable()
    {
        Key(VK_SPACE);
        Key(VK_SPACE, WM_KEYUP);
        Ctrl('T');
        TableWindow* table = form->Table();
        if (table == nullptr)
            return nullptr;
        Key('f', WM_SYSCHAR, LPARAM(1) << 29);
        Key(VK_TAB);
        return GetFocus() == table->List() ? table : nullptr;
    }

    void Ctrl(WPARAM key, bool shift = false)
    {
        CtrlDown ctrl;
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        Key(key);
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }

    void Type(const std::wstring& text)
    {
        for (const wchar_t typed : text)
            Key(typed, WM_CHAR);
    }

    // From the first cell, `steps` cells right.
    void ToColumn(int steps)
    {
        Ctrl(VK_HOME);
        for (int step = 0; step < steps; ++step)
            Key(VK_RIGHT);
    }

    // Where two files differ: what the first has there, and the second.
    using Diff = std::pair<std::string, std::string>;
    static Diff Changed(const std::string& a, const std::string& b)
    {
        std::size_t front = 0, back = 0;
        while (front < a.size() && front < b.size() && a[front] == b[front])
            ++front;
        while (back + front < a.size() && back + front < b.size() && a[a.size() - 1 - back] == b[b.size() - 1 - back])
            ++back;
        return {a.substr(front, a.size() - front - back), b.substr(front, b.size() - front - back)};
    }

    static std::wstring Status(TableWindow* table)
    {
        const HWND bar = table->StatusBar();
        std::wstring text(LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, 0, 0)) + 1, L'\0');
        text.resize(LOWORD(SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }
    int Column(TableWindow* table, int field) const
    {
        return ColumnCaptioned(table->List(), Utf16(RecordTable::Caption(field)).c_str());
    }
};

TEST_F(Win32EditTest, StrEditedWithTheKeyboardIsSavedAsThatTokenAloneAndTheFileAsLoadedKept)
{
    BoxAnswers boxes(IDCANCEL);
    TableWindow* table = OpenTable();
    ASSERT_NE(table, nullptr);
    const HWND list = table->List();
    const std::string loaded = FileSandbox::Read(game / "zuninfo.qdf");

    ToColumn(kStr);
    EXPECT_EQ(table->CurrentRow(), 0);
    EXPECT_EQ(table->CurrentColumn(), kStr);
    for (const wchar_t* typed : {L"42", L"777"}) {
        Key(VK_F2);
        const HWND editor = table->CellEditor();
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(GetFocus(), editor);
        DWORD start = 1, end = 0;
        SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, TextOf(editor).size());
        Type(typed);
        Key(VK_RETURN);
        EXPECT_EQ(table->CellEditor(), nullptr);
        EXPECT_EQ(Cell(list, 0, Column(table, kStr)), typed);
        if (std::wstring(typed) == L"42") {
            Ctrl('Z');
            EXPECT_EQ(Cell(list, 0, Column(table, kStr)), L"1");
            EXPECT_EQ(TextOf(table->Handle()), L"All monsters");
        }
    }
    // Marked: the title, and the current cell's change on the status bar.
    EXPECT_EQ(TextOf(table->Handle()), L"*All monsters");
    EXPECT_EQ(Status(table), L"36 monsters. Str: changed from 1");
    EXPECT_EQ(GetFocus(), list);

    Ctrl('S');
    EXPECT_TRUE(boxes.texts.empty()) << Utf8(boxes.texts.front());
    EXPECT_EQ(TextOf(table->Handle()), L"All monsters");
    EXPECT_EQ(Changed(loaded, FileSandbox::Read(game / "zuninfo.qdf")), Diff("1", "777"));
    EXPECT_EQ(FileSandbox::Read(game / "zuninfo.qdf.bak"), loaded);
    // The main window shows the record as edited.
    SendMessageW(form->Control("Button3"), BM_CLICK, 0, 0);
    SendMessageW(form->Control("Button2"), BM_CLICK, 0, 0);
    EXPECT_EQ(Text("Edit14"), L"777");
}

TEST_F(Win32EditTest, ANameTypedIntoSkinTakesItsIdANumberNotReadIsRefusedInPlaceAndTabEscapeAndUndoKeys)
{
    BoxAnswers boxes(IDCANCEL);
    TableWindow* table = OpenTable();
    ASSERT_NE(table, nullptr);
    const HWND list = table->List();
    const std::string loaded = FileSandbox::Read(game / "zuninfo.qdf");

    // A character typed edits the cell afresh; the drop-down completes.
    ToColumn(kSkin);
    Type(L"O");
    const HWND combo = table->CellEditor();
    ASSERT_NE(combo, nullptr);
    EXPECT_TRUE(IsOfClass(combo, WC_COMBOBOXW));
    Type(L"rc Chief");
    EXPECT_EQ(TextOf(combo), L"Orc Chief (4)");
    Key(VK_RETURN);
    EXPECT_EQ(Cell(list, 0, Column(table, kSkin)), L"Orc Chief (4)");
    EXPECT_EQ(Monsters[0].Fields[kSkin], 4);

    // A number the viewer does not read: refused, the editor kept with the
    // text typed; Escape leaves the cell as it was.
    Key(VK_DOWN);
    ToColumn(kStr);
    Key(VK_DOWN);
    ASSERT_EQ(table->CurrentRow(), 1);
    const std::wstring str = Cell(list, 1, Column(table, kStr));
    Key(VK_F2);
    Type(L"12x");
    Key(VK_RETURN);
    ASSERT_NE(table->CellEditor(), nullptr);
    EXPECT_EQ(TextOf(table->CellEditor()), L"12x");
    EXPECT_EQ(Status(table), L"Str: '12x' is not a valid integer value");
    Key(VK_ESCAPE);
    EXPECT_EQ(table->CellEditor(), nullptr);
    EXPECT_EQ(Cell(list, 1, Column(table, kStr)), str);
    EXPECT_EQ(GetFocus(), list);
    EXPECT_EQ(Status(table), L"36 monsters");

    // Tab commits and moves right; undone, redone both ways, undone.
    ASSERT_NE(str, L"55");
    Type(L"55");
    Key(VK_TAB);
    EXPECT_EQ(Cell(list, 1, Column(table, kStr)), L"55");
    EXPECT_EQ(table->CurrentColumn(), kStr + 1);
    for (const bool shift : {false, true}) {
        Ctrl('Z');
        EXPECT_EQ(Cell(list, 1, Column(table, kStr)), str);
        shift ? Ctrl('Z', true) : Ctrl('Y');
        EXPECT_EQ(Cell(list, 1, Column(table, kStr)), L"55");
    }
    Ctrl('Z');

    // A record added, a copy of the current one, and gone again by undo.
    Ctrl('N');
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 37);
    EXPECT_EQ(table->CurrentRow(), 36);
    Ctrl('Z');
    EXPECT_EQ(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 36);

    Ctrl('S');
    EXPECT_TRUE(boxes.texts.empty()) << Utf8(boxes.texts.front());
    EXPECT_EQ(Changed(loaded, FileSandbox::Read(game / "zuninfo.qdf")), Diff("0", "4"));
}

TEST_F(Win32EditTest, ClosingWithAnEditAsksToSaveDiscardOrCancel)
{
    TableWindow* table = OpenTable();
    ASSERT_NE(table, nullptr);
    ToColumn(kStr);
    Type(L"777");
    Key(VK_RETURN);
    ASSERT_EQ(Monsters[0].Fields[kStr], 777);
    {
        BoxAnswers boxes(IDCANCEL);
        SendMessageW(table->Handle(), WM_CLOSE, 0, 0);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0].rfind(L"The monster table has changes that are not saved.", 0), 0u);
        EXPECT_TRUE(IsWindowVisible(table->Handle()));
        // Closing the main window asks too, and Cancel keeps both.
        SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
        EXPECT_EQ(boxes.texts.size(), 2u);
        EXPECT_TRUE(IsWindow(form->Handle()));
    }
    {
        BoxAnswers boxes(IDNO);
        SendMessageW(table->Handle(), WM_CLOSE, 0, 0);
        EXPECT_EQ(boxes.texts.size(), 1u);
        EXPECT_FALSE(IsWindowVisible(table->Handle()));
        EXPECT_EQ(Monsters[0].Fields[kStr], 1);
        EXPECT_EQ(Text("Edit14"), L"1");
        EXPECT_EQ(TextOf(table->Handle()), L"All monsters");
        // Nothing left to save: nothing asks.
        form->ShowTable();
        SendMessageW(table->Handle(), WM_CLOSE, 0, 0);
        EXPECT_EQ(boxes.texts.size(), 1u);
    }
}

// A file the viewer reads only in part is not edited, and the status bar
// says why.
TEST_F(Win32EditTest, AFileReadInPartIsNotEdited)
{
    // An LF alone, after which the viewer reads no record.
    std::string bytes = FileSandbox::Read(game / "zuninfo.qdf");
    const std::size_t end = bytes.find("Training Dummy\r\n");
    ASSERT_NE(end, std::string::npos);
    bytes.erase(end + 14, 1);
    FileSandbox::Write(game / "zuninfo.qdf", bytes);
    BoxAnswers boxes(IDOK);
    TableWindow* table = OpenTable();
    ASSERT_NE(table, nullptr);
    EXPECT_NE(Status(table).find(L". Editing is off for this file: "), std::wstring::npos) << Utf8(Status(table));
    Key(VK_F2);
    Type(L"7");
    EXPECT_EQ(table->CellEditor(), nullptr);
    EXPECT_EQ(TextOf(table->Handle()), L"All monsters");
    EXPECT_TRUE(boxes.texts.empty());
}

TEST(WindowsCommandLine, WindowsSplitsItIntoTheSameArguments)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--", "C:\\data\\a.qdf"},
        {"--lists", "C:\\My Data\\", "--", "C:\\My Data\\b c.qdf"},
        {"", "a\"b", "a\\\\\"b c", "tab\there", "\\\\server\\share\\x y\\"},
        {"Gobelin d\xE2\x80\x99or.qdf", "\xD0\x93\xD0\xBE\xD0\xB1\xD0\xBB\xD0\xB8\xD0\xBD.qdf"},
    };
    for (const std::vector<std::string>& arguments : cases) {
        const std::string line = WindowsCommandLine("C:\\Program Files\\zv.exe", arguments);
        SCOPED_TRACE(line);
        int count = 0;
        LPWSTR* words = CommandLineToArgvW(Utf16(line).c_str(), &count);
        ASSERT_NE(words, nullptr);
        std::vector<std::string> split;
        for (int i = 0; i < count; ++i)
            split.push_back(Utf8(words[i]));
        LocalFree(words);
        ASSERT_FALSE(split.empty());
        EXPECT_EQ(split.front(), "C:\\Program Files\\zv.exe");
        EXPECT_EQ(std::vector<std::string>(split.begin() + 1, split.end()), arguments);
    }
}

} // namespace
