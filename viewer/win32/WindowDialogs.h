#pragma once

#include "viewer/EditedFile.h"

#include <windows.h>

#include <optional>
#include <string>

namespace zuninfo {

// What a save or leaving the changes asks, as Windows' own boxes over the
// table window: message boxes titled with the program's name, and the
// system's dialogs to choose a file to write or to read. Paths are UTF-8,
// as the session and the save take them.
class WindowDialogs final : public SaveDialogs {
public:
    explicit WindowDialogs(HWND owner) : owner_(owner) {}

    // OK or Cancel, Cancel the default.
    bool Confirm(const std::string& question) override;
    // Yes saves, No discards, Cancel (or Escape) keeps the changes; Yes the
    // default.
    Unsaved AskUnsaved(const std::string& question) override;
    void Warn(const std::string& message) override;
    std::optional<std::string> ChooseFile(const FileChoice& choice, const std::string& current) override;

private:
    int Ask(const std::string& text, UINT buttons) const;

    HWND owner_;
};

} // namespace zuninfo
