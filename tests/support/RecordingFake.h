#pragma once

#include "platform/FileAccess.h"
#include "platform/WindowOps.h"

#include <map>
#include <string>
#include <vector>

// A window and a file system for tests. Every call is logged, in order, into
// one list of lines such as "SetText Edit1 5", "AddItem ComboBox1 Goblin",
// "Open mons.txt" or "Close mons.txt". Files live in memory; a path without
// content cannot be opened. ShowMessage only logs, so it never blocks.
class RecordingFake : public zuninfo::WindowOps, public zuninfo::FileAccess {
public:
    std::vector<std::string> calls;
    std::map<std::string, std::string> files;          // path -> bytes
    std::map<std::string, std::string, std::less<>> texts;          // control -> text
    std::map<std::string, std::vector<std::string>, std::less<>> items; // combo -> sorted items
    int openAttempts = 0;

    void SetText(std::string_view control, const std::string& text) override;
    void BeginUpdate(std::string_view comboBox) override;
    void AddItem(std::string_view comboBox, const std::string& name) override;
    void EndUpdate(std::string_view comboBox) override;
    void SetEnabled(std::string_view control, bool enabled) override;
    void SetCursor(TCursor cursor) override;
    void ShowMessage(const std::string& text) override;

    std::FILE* Open(const std::string& path) override;
    void Close(std::FILE* file) override;

    // The logged calls whose line starts with `prefix`.
    std::vector<std::string> CallsStartingWith(const std::string& prefix) const;

private:
    std::map<std::FILE*, std::string> openFiles_;
};
