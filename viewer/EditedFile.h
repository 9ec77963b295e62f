#pragma once

#include "checking/ViewerRead.h"
#include "exchange/RecordFormats.h"
#include "save/SaveMonsterFile.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zuninfo {

class TableEditor;
class ViewerSession;
struct FileChoice;

// What a front end asks the user while a file is saved or left, in the
// core's words: each shows its own boxes.
class SaveDialogs {
public:
    enum class Unsaved { Save, Discard, Cancel };

    virtual ~SaveDialogs() = default;
    // A question of Yes or Cancel, Cancel the default: true for Yes.
    virtual bool Confirm(const std::string& question) = 0;
    // Save, Discard or Cancel, Save the default; closing the box cancels.
    virtual Unsaved AskUnsaved(const std::string& question) = 0;
    // A failure told in a box of its own.
    virtual void Warn(const std::string& message) = 0;
    // A file chosen from the system's dialog, starting at `current`; none
    // when cancelled.
    virtual std::optional<std::string> ChooseFile(const FileChoice& choice, const std::string& current) = 0;
};

// What became of a save or of leaving the changes.
struct SaveResult {
    bool done = false;       // saved; or, for Leave, the changes may be left
    bool discarded = false;  // Leave: the records are the file's again
    std::string status;      // for the status line: "Saved to …", or why not
};

// The monster file being edited in the table window: the file Load read,
// its bytes as loaded (or last saved), whether its backup was kept this
// session; saved through the one save pipeline, asking what it must.
class EditedFile {
public:
    EditedFile(TableEditor& editor, const ViewerSession& session);

    // Load has read the file: it becomes the one edited, the history starts
    // empty, editing is off where the viewer reads it only in part.
    void Loaded();
    const std::string& File() const { return file_; }

    // Save to the file loaded; Save as another, chosen by the user (never
    // the loaded file's backup or a name list).
    SaveResult Save(SaveDialogs& dialogs);
    SaveResult SaveAs(SaveDialogs& dialogs);
    // Saves to `target` as Save as does once chosen.
    SaveResult SaveTo(SaveDialogs& dialogs, const std::string& target);

    // Before the changes are left (the window closed, Load, another file
    // opened): with changes not saved, asks Save, Discard or Cancel. Done
    // when there were none, they were saved, or discarded (the front end
    // then shows the records anew).
    SaveResult Leave(SaveDialogs& dialogs);

    // Why the records may not be saved as `target`; empty when they may.
    std::string TargetRefusal(const std::string& target) const;

    // The records as the table shows them, edits and all, written to a
    // file the user chooses in the form its name ends in (".csv" added to a
    // name with no ending), as zuninfo-export writes them; never over the
    // monster file, its backup or a name list. Done when written.
    SaveResult Export(SaveDialogs& dialogs);
    SaveResult ExportTo(const std::string& target, const RecordForm& form);
    // An edited export, as zuninfo-import reads it, made pending edits of
    // the table as one step (saved only by Save). Where it lacks records
    // that the table has, asks whether to delete them. Done when taken.
    SaveResult ImportEdits(SaveDialogs& dialogs);
    SaveResult ImportEditsFrom(SaveDialogs& dialogs, const std::string& edited);

    // The records in store order as the tools show them: each with its slot
    // and the line of the file it comes from (0 for a record added).
    std::vector<ShownRecord> Shown() const;

private:
    void KeepLoaded(std::optional<std::string> bytes);

    TableEditor& editor_;
    const ViewerSession& session_;
    std::string file_;
    std::optional<FileFingerprint> fingerprint_;
    std::optional<std::string> loadedBytes_; // the file as loaded or last saved
    bool backedUp_ = false;
    std::vector<std::int64_t> lines_; // of the file's records, by slot
    std::array<bool, kNameLists.size()> listsRead_{};
};

} // namespace zuninfo
