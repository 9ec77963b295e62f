#pragma once

#include "platform/WindowOps.h"

namespace zuninfo {

// A window that takes every call and keeps nothing: for running a loader
// where only its tables matter (huge inputs, timing, checking the files).
class NoWindow final : public WindowOps {
public:
    void SetText(std::string_view, const std::string&) override {}
    void BeginUpdate(std::string_view) override {}
    void AddItem(std::string_view, const std::string&) override {}
    void EndUpdate(std::string_view) override {}
    void SetEnabled(std::string_view, bool) override {}
    void SetCursor(TCursor) override {}
    void ShowMessage(const std::string&) override {}
};

} // namespace zuninfo
