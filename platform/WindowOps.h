#pragma once

#include <exception>
#include <string>
#include <string_view>

// Cursor shapes for the whole application, with the values the window
// library has always given them.
enum class TCursor : int {
    crDefault = 0,
    crHourGlass = -11,
};

namespace zuninfo {

// The operations the loaders and the record browser may perform on the main
// window. Controls are named as in the window's layout ("Edit12",
// "ComboBox3", "Label24", "Button1"). The real window implements this; tests
// use a fake that records every call.
class WindowOps {
public:
    virtual ~WindowOps() = default;

    // The text of an edit box, the edit part of a combo box, or a label's caption.
    virtual void SetText(std::string_view control, const std::string& text) = 0;

    // A series of additions to a combo box's item list is bracketed by
    // BeginUpdate and EndUpdate. The item list is sorted: every added name
    // takes its place in ascending order, duplicates and empty names included.
    virtual void BeginUpdate(std::string_view comboBox) = 0;
    virtual void AddItem(std::string_view comboBox, const std::string& name) = 0;
    virtual void EndUpdate(std::string_view comboBox) = 0;

    virtual void SetEnabled(std::string_view control, bool enabled) = 0;

    // The cursor of the whole application.
    virtual void SetCursor(TCursor cursor) = 0;

    // A modal message box with an OK button; returns when it is dismissed.
    virtual void ShowMessage(const std::string& text) = 0;
};

// Runs one of the window's commands. An error it throws ends the command, not
// the program: its message is shown, and the window goes on.
template <typename Command>
void RunCommand(WindowOps& window, Command command)
{
    try {
        command();
    } catch (const std::exception& error) {
        window.ShowMessage(error.what());
    } catch (...) {
        window.ShowMessage("");
    }
}

} // namespace zuninfo
