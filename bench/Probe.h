#pragma once

// Helpers shared by the benchmark's probe programs: a clock that other
// processes can compare with, the peak resident memory, and a filter that
// notices when a window has been painted for the first time.

#include <QObject>

#include <cstdint>
#include <functional>

class QWidget;

// CLOCK_MONOTONIC in nanoseconds, the clock the benchmark driver uses too.
std::int64_t MonotonicNs();

// The process's peak resident set (VmHWM) in KiB.
long PeakResidentKiB();

// Prints the clock and the peak resident memory, under `peakKey`, as one
// JSON line ({"painted_ns": ..., "<peakKey>": ...}), then ends the event loop.
void PrintPaintedAndExit(const char* peakKey);

// Calls `then` once, right after the first paint of `window` has finished.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* window, std::function<void()> then);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    std::function<void()> then_;
    bool seen_ = false;
};
