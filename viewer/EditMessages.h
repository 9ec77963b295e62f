#pragma once

// What the table window's editor says on its status line, each worded once.
// "%1" and "%2" stand for what each message fills in.

#include <initializer_list>
#include <string>
#include <string_view>

namespace zuninfo {

inline constexpr const char* kNamelessId = "Id %1 has no name in %2: give it one in %2 first, or choose a name";
inline constexpr const char* kSharedName = "'%1' is the name of %2 in %3: type the one you mean with its id, as in '%1 (%4)'";
inline constexpr const char* kNoSuchName = "'%1' is no name in %2: choose one from the list, or type its id";
inline constexpr const char* kTableFull = "The table holds %1 records, as many as the monster file can: delete one before adding another";
inline constexpr const char* kNothingToAddFrom = "Choose the record to copy first";
inline constexpr const char* kNothingToDelete = "Choose the records to delete first";
inline constexpr const char* kNotEditable = "Editing is off for this file: %1";

// The table window's menus and what they ask. No menu takes Alt+F, the
// filter's.
inline constexpr const char* kFileMenu = "Fi&le";
inline constexpr const char* kEditMenu = "&Edit";
inline constexpr const char* kRecordsMenu = "&Records";
inline constexpr const char* kSaveCommand = "&Save";
inline constexpr const char* kSaveAsCommand = "Save &as\xE2\x80\xA6";
inline constexpr const char* kCloseCommand = "&Close";
inline constexpr const char* kUndoCommand = "&Undo";
inline constexpr const char* kRedoCommand = "&Redo";
inline constexpr const char* kAddCommand = "&Add record";
inline constexpr const char* kDeleteCommand = "&Delete records";
inline constexpr const char* kSaveShortcut = "Ctrl+S";
inline constexpr const char* kSaveAsShortcut = "Ctrl+Shift+S";
inline constexpr const char* kUndoShortcut = "Ctrl+Z";
inline constexpr const char* kRedoShortcut = "Ctrl+Y";
inline constexpr const char* kRedoOtherShortcut = "Ctrl+Shift+Z";
inline constexpr const char* kCloseShortcut = "Ctrl+W";
inline constexpr const char* kAddShortcut = "Ctrl+N";
inline constexpr const char* kDeleteShortcut = "Ctrl+Del";
// The title of a window with changes not saved, as Windows programs show
// it: a star before the caption.
inline constexpr const char* kModifiedCaption = "*%1";
// The status line while the current cell differs from the file: the
// table's own status, the column's caption, and how the cell changed.
inline constexpr const char* kCurrentCellChanged = "%1. %2: %3";
inline constexpr const char* kUnsavedQuestion = "The monster table has changes that are not saved. Save them to %1?";
inline constexpr const char* kSourceChangedQuestion = "%1\n\nOverwrite it all the same?";
inline constexpr const char* kBackupTakenQuestion = "%1\n\nReplace the backup?";
inline constexpr const char* kSavedTo = "Saved to %1";
inline constexpr const char* kNotOverBackup = "'%1' is the backup of the file loaded: save under another name.";
inline constexpr const char* kNotOverList = "'%1' is a name list: save under another name.";
inline constexpr const char* kImportCommand = "&Import edits\xE2\x80\xA6";
inline constexpr const char* kExportCommand = "&Export\xE2\x80\xA6";
inline constexpr const char* kExportedTo = "Exported %1 records to %2";
inline constexpr const char* kNotOverLoaded = "'%1' is the monster file loaded: export under another name.";
inline constexpr const char* kExportForms = "'%1' does not end in .csv, .tsv, .json or .xlsx: name the form to write by its ending.";
inline constexpr const char* kImportForms = "'%1' does not end in .csv, .txt, .tsv, .json, .xlsx or .ods: name the form it has by its ending.";
inline constexpr const char* kImportedEdits = "Edits from %1: %2 changed, %3 added, %4 removed, not saved yet";
inline constexpr const char* kNoEditsImported = "%1 asks for no change";
inline constexpr const char* kDeleteMissingQuestion = "%1 has no row for %2 of the records. Delete them from the table?";
inline constexpr const char* kImportedStep = "edits from %1";
inline constexpr const char* kChangedFrom = "changed from %1";
inline constexpr const char* kAddedRecord = "added record";

// A file the user chooses: the dialog's title and its filters, as "Name
// (*.a *.b)" parts between ";;".
struct FileChoice {
    const char* title;
    bool toWrite; // a file to write (the dialog asks before replacing one); else one to read
    const char* filters;
};
inline constexpr FileChoice kSaveAsChoice{"Save as", true, "Monster files (*.qdf);;All files (*)"};
inline constexpr FileChoice kExportChoice{"Export", true,
                                          "Spreadsheets and scripts (*.csv *.tsv *.json *.xlsx);;All files (*)"};
inline constexpr FileChoice kImportChoice{
    "Import edits", false, "Edited exports (*.csv *.txt *.tsv *.json *.xlsx *.ods);;All files (*)"};

// Typed text as a message shows it: control characters as \r, \n, \t or
// \xNN, the rest as typed; past its first 48 bytes cut (at a character's
// start) and its length told.
inline std::string TypedInWords(std::string_view typed)
{
    constexpr std::size_t kShown = 48;
    std::size_t end = typed.size();
    if (end > kShown) {
        end = kShown;
        while (end > 0 && (static_cast<unsigned char>(typed[end]) & 0xC0) == 0x80)
            --end;
    }
    std::string text;
    for (std::size_t i = 0; i < end; ++i) {
        const auto byte = static_cast<unsigned char>(typed[i]);
        if (byte == '\r')
            text += "\\r";
        else if (byte == '\n')
            text += "\\n";
        else if (byte == '\t')
            text += "\\t";
        else if (byte < 0x20 || byte == 0x7F) {
            const char* hex = "0123456789ABCDEF";
            text += "\\x";
            text += hex[byte >> 4];
            text += hex[byte & 15];
        } else {
            text += static_cast<char>(byte);
        }
    }
    if (end < typed.size())
        text += "... (" + std::to_string(typed.size()) + " bytes)";
    return text;
}

// The message with each "%N" replaced by the Nth of `fills`.
inline std::string Worded(std::string_view message, std::initializer_list<std::string> fills)
{
    std::string text;
    for (std::size_t at = 0; at < message.size(); ++at) {
        const char next = at + 1 < message.size() ? message[at + 1] : '\0';
        if (message[at] == '%' && next >= '1' && next <= '9' && static_cast<std::size_t>(next - '1') < fills.size()) {
            text += *(fills.begin() + (next - '1'));
            ++at;
        } else {
            text += message[at];
        }
    }
    return text;
}

} // namespace zuninfo
