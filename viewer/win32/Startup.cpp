#include "viewer/win32/Startup.h"

#include "platform/Exception.h"
#include "platform/win32/MessageBox.h"
#include "platform/win32/NameText.h"
#include "viewer/win32/Unit1.h"

namespace zuninfo {

int RunViewer(HINSTANCE instance, int showCommand)
{
    return RunApplication(
        [&] {
            TForm1 form(instance);
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

} // namespace zuninfo
