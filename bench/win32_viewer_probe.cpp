// The Windows program's start-up as its users get it (the same window, made
// and shown the same way, in a folder holding the name lists). Prints when
// it has been painted (Win32Probe.h), then exits.
//
// With --table MONSTER_FILE it measures the table of all monsters instead,
// each step until every message has been handled (the windows painted), and
// prints one JSON line:
//   window_ns        making the main window on MONSTER_FILE until painted
//   table_ns         after Load, Ctrl+T until the table has been painted
//   sort_name_ns     a click on Skin's header until painted
//   sort_number_ns   then a click on Str's header, the same
//   filter_ns        then one key typed into the filter box, the same
//   repaint_ns       the filter emptied: the list view's own repaint of the
//                    rows in view (all invalidated), until painted
//   edit_ns          a committed edit: Enter after F2 and "777" in the first
//                    row's Str, until painted
//   undo_ns, redo_ns then Ctrl+Z, then Ctrl+Y, each until painted
//   load_peak_kib    the peak working set after Load
//   table_peak_kib   the peak working set after all that
//   rows             the records Load read
#include "Win32Probe.h"

#include "data/MonsterInfo.h"
#include "platform/ProgramArguments.h"
#include "viewer/CommandLine.h"
#include "viewer/TableEditor.h"
#include "viewer/win32/Startup.h"
#include "viewer/win32/Unit1.h"

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

long PeakKiB()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    K32GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<long>(counters.PeakWorkingSetSize / 1024);
}

// Handles every message waiting, painting included.
void Settle(TForm1& form)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!form.HandleKeyboard(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

// A click on the header of the list view's column headed by the caption, as
// the list view tells its window.
void ClickColumn(HWND table, HWND list, const wchar_t* caption)
{
    int column = 0;
    for (wchar_t text[64] = {};; ++column) {
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = 64;
        if (!SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info))
            || std::wstring_view(text) == caption)
            break;
    }
    NMLISTVIEW click{};
    click.hdr = {list, static_cast<UINT_PTR>(GetDlgCtrlID(list)), LVN_COLUMNCLICK};
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageW(table, WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
}

// A key (or with `ctrl`, the key with Ctrl) as the program's message loop
// gets it, where the keyboard is.
void Key(TForm1& form, WPARAM key, UINT message = WM_KEYDOWN, bool ctrl = false)
{
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
    MSG keyMessage{GetFocus(), message, key, 0, 0, {}};
    if (!form.HandleKeyboard(keyMessage)) {
        TranslateMessage(&keyMessage);
        DispatchMessageW(&keyMessage);
    }
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
}

int MeasureTable(HINSTANCE instance, int showCommand, const std::string& monsterFile)
{
    const zuninfo::CommandLine commandLine = zuninfo::ParseCommandLine({monsterFile});
    const long long making = NowNs();
    TForm1 form(commandLine.options, instance);
    form.Show(showCommand);
    Settle(form);
    const long long window = NowNs() - making;

    form.Button1Click();
    Settle(form);
    const long loadPeak = PeakKiB();
    const int records = LastIndex + 1;

    const long long asked = NowNs();
    zuninfo::TableWindow* table = form.ShowTable();
    Settle(form);
    const long long opened = NowNs() - asked;

    const auto timed = [&](auto action) {
        const long long start = NowNs();
        action();
        Settle(form);
        return NowNs() - start;
    };
    const long long sortName = timed([&] { ClickColumn(table->Handle(), table->List(), L"Skin"); });
    const long long sortNumber = timed([&] { ClickColumn(table->Handle(), table->List(), L"Str"); });
    const long long filter = timed([&] { SetWindowTextW(table->FilterBox(), L"g"); });

    SetWindowTextW(table->FilterBox(), L"");
    SetFocus(table->List());
    Settle(form);
    const long long repaint = timed([&] { InvalidateRect(table->List(), nullptr, FALSE); });
    Key(form, VK_HOME, WM_KEYDOWN, true);
    for (int column = 0; column < 14; ++column)
        Key(form, VK_RIGHT);
    Key(form, VK_F2);
    for (const wchar_t typed : std::wstring_view(L"777"))
        Key(form, typed, WM_CHAR);
    Settle(form);
    const long long edit = timed([&] { Key(form, VK_RETURN); });
    const long long undo = timed([&] { Key(form, 'Z', WM_KEYDOWN, true); });
    const long long redo = timed([&] { Key(form, 'Y', WM_KEYDOWN, true); });
    const long tablePeak = PeakKiB();

    std::printf("{\"window_ns\": %lld, \"table_ns\": %lld, \"sort_name_ns\": %lld, \"sort_number_ns\": %lld, "
                "\"filter_ns\": %lld, \"repaint_ns\": %lld, \"edit_ns\": %lld, \"undo_ns\": %lld, "
                "\"redo_ns\": %lld, \"edited\": %d, \"load_peak_kib\": %ld, \"table_peak_kib\": %ld, "
                "\"rows\": %d}\n",
                window, opened, sortName, sortNumber, filter, repaint, edit, undo, redo,
                table->Editor().History().CanUndo() ? 1 : 0, loadPeak, tablePeak, records);
    std::fflush(stdout);
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    const std::vector<std::string> arguments = zuninfo::ProgramArguments(__argc, __argv);
    if (arguments.size() == 2 && arguments[0] == "--table")
        return MeasureTable(instance, showCommand, arguments[1]);

    TForm1 form(instance);
    form.Show(showCommand);
    return PrintWhenIdle([&form](MSG& message) { return form.HandleKeyboard(message); });
}
