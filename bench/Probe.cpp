#include "Probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <string>

std::int64_t MonotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

long PeakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kib = 0;
            status >> kib;
            return kib;
        }
        status.ignore(1 << 16, '\n');
    }
    return -1;
}

FirstPaint::FirstPaint(QWidget* window, std::function<void()> then)
    : window_(window), then_(std::move(then))
{
    window_->installEventFilter(this);
}

bool FirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    if (!seen_ && watched == window_ && event->type() == QEvent::Paint) {
        seen_ = true;
        // Runs once the whole paint pass (children included) is done.
        QTimer::singleShot(0, window_, then_);
    }
    return false;
}

void PrintPaintedAndExit(const char* peakKey)
{
    std::printf("{\"painted_ns\": %lld, \"%s\": %ld}\n", static_cast<long long>(MonotonicNs()), peakKey,
                PeakResidentKiB());
    std::fflush(stdout);
    QCoreApplication::exit(0);
}
