#pragma once

#include "platform/qt/NameText.h"
#include "viewer/EditedFile.h"
#include "viewer/RecordTable.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenuBar;
class QTableView;

namespace zuninfo {

class CellDelegate;
class RecordModel;
class RecordSortFilter;
class TableEditor;
class ViewerSession;
struct EditPlace;

// "All monsters": every record Load read, one row each, in a table that
// sorts by the column whose header is clicked, keeps the rows a filter
// matches, shows the record of a row chosen (Enter, double-click) in the main
// window, and copies the selected rows (Ctrl+C). A QTableView over a model
// that reads the store through the core's RecordTable, behind a
// QSortFilterProxyModel that sorts and filters by the core's rules.
//
// It edits the records too, through the core's TableEditor (made with the
// window): F2 or typing edits the current cell, Enter or Tab commits,
// Escape cancels; Undo, Redo, Add record, Delete records and Save are in its
// menus. Closing it with changes not saved asks whether to save them.
class TableWindow : public QWidget {
    Q_OBJECT

public:
    // `choose` shows a record (its slot) in the main window; `session` tells
    // which files were read. The window is a top-level window of its own,
    // owned by `owner`.
    TableWindow(std::function<void(int)> choose, const ViewerSession& session, QWidget* owner);
    ~TableWindow() override;

    // Whether Load has read the monster file: the rows follow.
    void SetLoaded(bool loaded);

    QTableView* View() const { return view_; }
    TableEditor& Editor() { return *editor_; }
    // The line under the table.
    QString StatusText() const;

    // A cell's text committed from its editor (a slot of the store): true
    // when taken; else the status line says why.
    bool Commit(int slot, int column, const std::string& text);
    // Whether the text may be committed; else the status line says why.
    bool Acceptable(int slot, int column, const std::string& text);
    // The status line as it was before a refusal.
    void EditEnded();
    // The current cell one column to the right (Tab after a commit).
    void MoveRight();

    // Save to the file loaded, and to another one; true when saved.
    bool Save();
    bool SaveAs();
    // Before Load, another file opened, or the window closed: with changes
    // not saved, asks whether to save them; false to stay as it is.
    bool MayLeave();
    // Undo and Redo, for the last step done or undone.
    void Undo();
    void Redo();
    // Import edits… and Export…: true when done.
    bool ImportEdits();
    bool Export();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenus();
    void CommitOpenEditor();
    void HeaderClicked(int column);
    void FilterChanged(const QString& text);
    void Choose(const QModelIndex& index);
    void CopySelection();
    void UpdateStatus();
    void Say(const std::string& text);
    void AddRecord();
    void DeleteRecords();
    void Show(const std::optional<EditPlace>& place);
    void EditsChanged();
    // After a save (or not): the marks and the status line follow.
    bool Saved(const SaveResult& result);
    int CurrentSlot() const;

    std::function<void(int)> choose_;
    const ViewerSession& session_;
    QtTextRules rules_;
    RecordTable table_;
    std::unique_ptr<TableEditor> editor_;
    TableSort sort_;
    RecordModel* model_ = nullptr;
    RecordSortFilter* proxy_ = nullptr;
    CellDelegate* delegate_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QLineEdit* filter_ = nullptr;
    QTableView* view_ = nullptr;
    QLabel* status_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    QAction* save_ = nullptr;
    QAction* saveAs_ = nullptr;
    QAction* import_ = nullptr;
    QAction* export_ = nullptr;
    QAction* add_ = nullptr;
    QAction* delete_ = nullptr;
    int top_ = 0; // the menu bar's height: everything else is below it

    std::unique_ptr<EditedFile> file_;
};

} // namespace zuninfo
