#include "viewer/win32/WindowDialogs.h"

#include "platform/CodePageText.h"
#include "platform/win32/MessageBox.h"
#include "viewer/EditMessages.h"

#include <commdlg.h>

#include <algorithm>

namespace zuninfo {

int WindowDialogs::Ask(const std::string& text, UINT buttons) const
{
    const HWND owner = owner_ != nullptr && IsWindowVisible(owner_) ? owner_ : nullptr;
    return MessageBoxW(owner, Utf16(text).c_str(), kMessageTitle, buttons | MB_APPLMODAL);
}

bool WindowDialogs::Confirm(const std::string& question)
{
    return Ask(question, MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2) == IDOK;
}

SaveDialogs::Unsaved WindowDialogs::AskUnsaved(const std::string& question)
{
    switch (Ask(question, MB_YESNOCANCEL | MB_ICONWARNING | MB_DEFBUTTON1)) {
    case IDYES:
        return Unsaved::Save;
    case IDNO:
        return Unsaved::Discard;
    default:
        return Unsaved::Cancel;
    }
}

void WindowDialogs::Warn(const std::string& message)
{
    Ask(message, MB_OK | MB_ICONWARNING);
}

std::optional<std::string> WindowDialogs::ChooseTarget(const std::string& current)
{
    // The dialog's title is the command's, without its marked letter and
    // its ellipsis.
    std::wstring title = Utf16(kSaveAsCommand);
    title.erase(std::remove_if(title.begin(), title.end(), [](wchar_t c) { return c == L'&' || c == L'\u2026'; }),
                title.end());
    std::wstring file = WideText(current, CP_UTF8);
    file.resize(std::max<std::size_t>(file.size() + 1, 32768), L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = L"Monster files (*.qdf)\0*.qdf\0All files (*.*)\0*.*\0";
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = L"qdf";
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    if (!GetSaveFileNameW(&dialog))
        return std::nullopt;
    return Utf8(file.c_str());
}

} // namespace zuninfo
