#include "viewer/win32/WindowDialogs.h"

#include "platform/CodePageText.h"
#include "platform/win32/MessageBox.h"
#include "viewer/EditMessages.h"

#include <commdlg.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace zuninfo {

namespace {

// The patterns of a filter, "Name (*.a *.b)": "*.a", "*.b".
std::vector<std::string> PatternsOf(std::string_view filter)
{
    std::vector<std::string> patterns;
    const std::size_t open = filter.rfind('('), close = filter.rfind(')');
    if (open == std::string_view::npos || close == std::string_view::npos || close < open)
        return patterns;
    std::string_view inside = filter.substr(open + 1, close - open - 1);
    while (!inside.empty()) {
        const std::size_t space = inside.find(' ');
        const std::string_view pattern = inside.substr(0, space);
        if (!pattern.empty())
            patterns.emplace_back(pattern == "*" ? "*.*" : pattern);
        inside = space == std::string_view::npos ? std::string_view() : inside.substr(space + 1);
    }
    return patterns;
}

// The filters, "Name (*.a *.b);;All files (*)", as a file dialog takes
// them: each name, then its patterns between semicolons, each ended by a
// null, and a null after the last.
std::wstring FilterList(std::string_view filters)
{
    std::wstring list;
    while (!filters.empty()) {
        const std::size_t end = filters.find(";;");
        const std::string_view filter = filters.substr(0, end);
        std::string patterns;
        for (const std::string& pattern : PatternsOf(filter))
            patterns += (patterns.empty() ? "" : ";") + pattern;
        list += Utf16(filter);
        list += L'\0';
        list += Utf16(patterns);
        list += L'\0';
        filters = end == std::string_view::npos ? std::string_view() : filters.substr(end + 2);
    }
    return list + L'\0';
}

// The ending a name without one gets: the first filter's first, "qdf".
std::wstring FirstExtension(std::string_view filters)
{
    const std::vector<std::string> patterns = PatternsOf(filters.substr(0, filters.find(";;")));
    if (patterns.empty() || patterns.front().rfind("*.", 0) != 0 || patterns.front() == "*.*")
        return {};
    return Utf16(patterns.front().substr(2));
}

} // namespace

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

std::optional<std::string> WindowDialogs::ChooseFile(const FileChoice& choice, const std::string& current)
{
    const std::wstring title = Utf16(choice.title);
    const std::wstring filters = FilterList(choice.filters);
    const std::wstring extension = FirstExtension(choice.filters);
    std::wstring file = WideText(current, CP_UTF8);
    file.resize(std::max<std::size_t>(file.size() + 1, 32768), L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner_;
    dialog.lpstrFilter = filters.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrTitle = title.c_str();
    dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY
        | (choice.toWrite ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(choice.toWrite ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog)))
        return std::nullopt;
    return Utf8(file.c_str());
}

} // namespace zuninfo
