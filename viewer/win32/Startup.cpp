#include "viewer/win32/Startup.h"

#include "platform/Exception.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/NameText.h"
#include "viewer/win32/Unit1.h"

#include <utility>

namespace zuninfo {

namespace {

// Writes the text where the handle leads; false when it leads nowhere (a
// window program started from Explorer or a console has no output of its
// own).
bool Write(DWORD handleName, const std::string& text)
{
    const HANDLE handle = GetStdHandle(handleName);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || GetFileType(handle) == FILE_TYPE_UNKNOWN)
        return false;
    DWORD written = 0;
    return WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != FALSE;
}

} // namespace

int RunViewer(HINSTANCE instance, int showCommand, ViewerOptions options)
{
    return RunApplication(
        [&] {
            TForm1 form(std::move(options), instance);
            form.Show(showCommand);
            MSG message;
            while (GetMessageW(&message, nullptr, 0, 0) > 0) {
                if (!form.HandleKeyboard(message)) {
                    TranslateMessage(&message);
                    DispatchMessageW(&message);
                }
            }
        },
        [](const char* message) { ShowException(Utf16(message)); });
}

int RunFromCommandLine(HINSTANCE instance, int showCommand, const std::vector<std::string>& arguments)
{
    CommandLine commandLine = ParseCommandLine(arguments);
    if (commandLine.action == CommandLine::Action::Run)
        return RunViewer(instance, showCommand, std::move(commandLine.options));
    const bool error = commandLine.action == CommandLine::Action::UsageError;
    if (!Write(error ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE, commandLine.text))
        MessageBoxW(nullptr, Utf16(commandLine.text).c_str(), kMessageTitle,
                    MB_OK | MB_TASKMODAL | (error ? MB_ICONERROR : MB_ICONINFORMATION));
    return commandLine.exitCode;
}


} // namespace zuninfo
