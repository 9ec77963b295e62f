#pragma once

// What the Windows probe programs share: they run their window's messages
// until none is waiting any more (the window and its controls have then
// been painted), print the wall clock at that moment as one JSON line,
// {"painted_ns": <nanoseconds since 1970>}, and return the exit code. The
// driver compares it with the time it started the program. NowNs is the
// clock the table's measurements read.

#include <windows.h>

#include <cstdio>

inline long long NowNs()
{
    LARGE_INTEGER now{}, frequency{};
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<long long>(static_cast<double>(now.QuadPart) * 1e9 / static_cast<double>(frequency.QuadPart));
}

template <typename HandleKeyboard>
int PrintWhenIdle(HandleKeyboard handleKeyboard)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT)
            return 1;
        if (!handleKeyboard(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    // 100-ns units since 1601 to nanoseconds since 1970.
    const unsigned long long ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    std::printf("{\"painted_ns\": %llu}\n", (ticks - 116444736000000000ULL) * 100);
    std::fflush(stdout);
    return 0;
}
