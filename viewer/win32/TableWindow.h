#pragma once

#include "platform/win32/Controls.h"
#include "platform/win32/NameText.h"
#include "viewer/EditedFile.h"
#include "viewer/RecordTable.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zuninfo {

class TableEditor;
class ViewerSession;
struct EditPlace;

// "All monsters": every record Load read, one row each, in a report-mode
// ListView that asks for its cells as it draws them (LVS_OWNERDATA). A click
// on a column's header sorts by it, the filter box keeps the rows it
// matches (both by the core's rules), Enter or a double-click shows the
// row's record in the main window, and Ctrl+C copies the selected rows.
// Closing the window hides it; it goes with the main window.
//
// It edits the records too, through the core's TableEditor (made with the
// window): the current cell is the focused row's cell in the current
// column, framed; F2 or a character typed edits it in a control over it (a
// drop-down of names for an id), Enter or Tab commits, Escape cancels.
// Changed cells are coloured, and the status bar tells how the current one
// changed. Undo, Redo, Add record, Delete records and Save are in its menus,
// with their keys. Closing it with changes not saved asks whether to save.
class TableWindow final : public ScaledWindow {
public:
    // `choose` shows a record (its slot) in the main window, which owns this
    // window; `session` tells which files were read. Made hidden.
    TableWindow(HWND owner, std::function<void(int)> choose, const ViewerSession& session,
                HINSTANCE instance = GetModuleHandleW(nullptr));
    ~TableWindow();

    HWND List() const { return list_; }
    HWND FilterBox() const { return filter_; }
    HWND StatusBar() const { return status_; }
    // The control a cell is edited in while one is; nullptr otherwise.
    HWND CellEditor() const { return cellEditor_; }
    TableEditor& Editor() { return *editor_; }
    // The current cell: its row in the list (-1 for none) and its column
    // (the field).
    int CurrentRow() const;
    int CurrentColumn() const { return column_; }

    // Shows the window, the keyboard in the table.
    void Show();

    // Whether Load has read the monster file: the rows follow.
    void SetLoaded(bool loaded);

    // Tab, Shift+Tab, Alt+F and Enter in this window, the keys of the
    // current cell and its editor, and the menus' keys; true when the
    // message was one of those and has been handled.
    bool HandleKeyboard(MSG& message);

    // Save to the file loaded, and to another one; true when saved.
    bool Save();
    bool SaveAs();
    // Before Load, another file opened, or a window closed: with changes
    // not saved, asks whether to save them; false to stay as it is.
    bool MayLeave();
    // Import edits… and Export…: true when done.
    bool ImportEdits();
    bool Export();

private:
    struct Editing {
        int slot = -1;
        int column = -1;
        std::wstring typed; // a name cell's text as typed, before completion
    };

    LRESULT HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Notified(const NMHDR& header);
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw);
    void CreateControls(HINSTANCE instance);
    void CreateMenus();
    void ApplyDpi() override;
    void PlaceControls();
    void Refill();
    void ShowSortArrows(int before);
    void Choose(int item);
    void CopySelection();
    void Command(int command);

    bool CurrentCellKey(const MSG& message);
    bool CellEditorKey(const MSG& message);
    void MoveTo(int row, int column);
    RECT CellRect(int row, int column) const;
    int RowOf(int slot) const;
    bool RowDiffers(int row) const;
    void BeginEdit(const std::wstring& text, bool fresh);
    void Complete();
    void FinishEdit(bool tab);
    void CancelEdit();
    void CloseEditor();
    void EditorLeft(HWND editor);
    void CommitOpenEditor();
    bool Commit(int slot, int column, const std::string& text);

    void Undo();
    void Redo();
    void AddRecord();
    void DeleteRecords();
    void ShowPlace(const std::optional<EditPlace>& place);
    void EditsChanged();
    bool Saved(const SaveResult& result);
    void UpdateStatus();
    void Say(const std::string& text);

    const ViewerSession& session_;
    Win32TextRules rules_;
    RecordTable table_{rules_};
    std::unique_ptr<TableEditor> editor_;
    std::unique_ptr<EditedFile> file_;
    TableSort sort_;
    // The records shown, in the order shown: the list's rows.
    std::vector<int> rows_;
    // The current cell's column (a field; the list's columns are shown in
    // field order).
    int column_ = 0;
    std::wstring status_text_;
    std::wstring caption_;
    std::function<void(int)> choose_;
    HWND label_ = nullptr;
    HWND filter_ = nullptr;
    HWND list_ = nullptr;
    HWND status_ = nullptr;
    HWND cellEditor_ = nullptr;
    HMENU menu_ = nullptr;
    HACCEL accelerators_ = nullptr;
    HFONT font_ = nullptr;
    Editing editing_;
    bool completing_ = false;
    int paintedCurrentRow_ = -1; // while the list paints
};

} // namespace zuninfo
