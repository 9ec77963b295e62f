#include "viewer/EditedFile.h"

#include "exchange/EditedTable.h"
#include "exchange/ImportPlan.h"
#include "platform/Conversions.h"
#include "save/FileBytes.h"
#include "save/NamedPath.h"
#include "save/OutputFile.h"
#include "viewer/EditMessages.h"
#include "viewer/TableEditor.h"
#include "viewer/ViewerSession.h"

#include <stdexcept>
#include <utility>

namespace zuninfo {

EditedFile::EditedFile(TableEditor& editor, const ViewerSession& session) : editor_(editor), session_(session) {}

void EditedFile::Loaded()
{
    file_ = session_.MonsterFile();
    KeepLoaded(session_.LoadedBytes());
    backedUp_ = false;
    EditableRead read = ReadForEditing(file_);
    lines_ = std::move(read.lines);
    listsRead_ = read.listsRead;
    editor_.Start(std::move(read.whyNot));
}

void EditedFile::KeepLoaded(std::optional<std::string> bytes)
{
    loadedBytes_ = std::move(bytes);
    fingerprint_ = loadedBytes_ ? std::optional(FingerprintOfBytes(*loadedBytes_)) : FingerprintOf(file_);
}

std::string EditedFile::TargetRefusal(const std::string& target) const
{
    if (SameFile(target, file_ + ".bak"))
        return Worded(kNotOverBackup, {target});
    for (const std::string& list : session_.NameListFiles()) {
        if (SameFile(target, list))
            return Worded(kNotOverList, {target});
    }
    return {};
}

SaveResult EditedFile::Save(SaveDialogs& dialogs)
{
    return SaveTo(dialogs, file_);
}

SaveResult EditedFile::SaveAs(SaveDialogs& dialogs)
{
    const std::optional<std::string> target = dialogs.ChooseFile(kSaveAsChoice, file_);
    if (!target)
        return {};
    return SaveTo(dialogs, *target);
}

SaveResult EditedFile::SaveTo(SaveDialogs& dialogs, const std::string& target)
{
    if (!session_.Loaded() || !editor_.Editable())
        return {false, false, editor_.WhyNotEditable()};
    if (const std::string refusal = TargetRefusal(target); !refusal.empty()) {
        dialogs.Warn(refusal);
        return {false, false, refusal};
    }
    SaveRequest request;
    request.source = file_;
    request.loaded = fingerprint_.value_or(FileFingerprint{});
    request.loadedBytes = loadedBytes_.value_or(std::string());
    request.target = target;
    request.records = editor_.Wanted();
    request.listsRead = listsRead_;
    // The first save over the file loaded keeps it as it was.
    if (!backedUp_ && SameFile(target, file_))
        request.backup = file_ + ".bak";
    for (;;) {
        const SaveOutcome outcome = SaveMonsterFile(request);
        switch (outcome.status) {
        case SaveStatus::Saved:
            editor_.Saved();
            backedUp_ = true;
            file_ = target;
            KeepLoaded(FileBytes(file_));
            lines_ = outcome.lines;
            return {true, false, Worded(kSavedTo, {target})};
        case SaveStatus::SourceChanged:
        case SaveStatus::BackupTaken: {
            const bool changed = outcome.status == SaveStatus::SourceChanged;
            if (!dialogs.Confirm(Worded(changed ? kSourceChangedQuestion : kBackupTakenQuestion, {outcome.message})))
                return {};
            (changed ? request.overwriteChanged : request.replaceBackup) = true;
            continue;
        }
        case SaveStatus::Refused:
        case SaveStatus::Failed:
            dialogs.Warn(outcome.message);
            return {false, false, outcome.message};
        }
        return {};
    }
}

SaveResult EditedFile::Leave(SaveDialogs& dialogs)
{
    if (!editor_.Modified())
        return {true, false, {}};
    switch (dialogs.AskUnsaved(Worded(kUnsavedQuestion, {file_}))) {
    case SaveDialogs::Unsaved::Save:
        return Save(dialogs);
    case SaveDialogs::Unsaved::Discard:
        editor_.Discard();
        return {true, true, {}};
    case SaveDialogs::Unsaved::Cancel:
        break;
    }
    return {};
}

std::vector<ShownRecord> EditedFile::Shown() const
{
    std::vector<ShownRecord> shown;
    const std::vector<WantedRecord> records = editor_.Wanted();
    shown.reserve(records.size());
    for (std::size_t slot = 0; slot < records.size(); ++slot) {
        const std::optional<std::size_t> origin = records[slot].origin;
        shown.push_back({static_cast<std::int32_t>(slot), origin && *origin < lines_.size() ? lines_[*origin] : 0,
                         records[slot].record});
    }
    return shown;
}

SaveResult EditedFile::Export(SaveDialogs& dialogs)
{
    std::optional<std::string> target = dialogs.ChooseFile(kExportChoice, file_);
    if (!target)
        return {};
    if (NamedPath(*target).extension().empty())
        *target += ".csv";
    const std::optional<RecordFormat> format = FormatOfName(*target);
    std::string refusal;
    if (!format || *format == RecordFormat::Ods || NamedPath(*target).extension() == ".txt")
        refusal = Worded(kExportForms, {*target});
    else if (SameFile(*target, file_))
        refusal = Worded(kNotOverLoaded, {*target});
    else
        refusal = TargetRefusal(*target);
    if (!refusal.empty()) {
        dialogs.Warn(refusal);
        return {false, false, refusal};
    }
    SaveResult result = ExportTo(*target, RecordForm{*format});
    if (!result.done)
        dialogs.Warn(result.status);
    return result;
}

SaveResult EditedFile::ExportTo(const std::string& target, const RecordForm& form)
{
    if (!session_.Loaded())
        return {};
    const std::vector<ShownRecord> shown = Shown();
    try {
        OutputFile file(target);
        WriteRecords(form, shown, file.Stream());
        file.Commit();
    } catch (const std::runtime_error& error) {
        return {false, false, error.what()};
    }
    return {true, false, Worded(kExportedTo, {IntToStr(static_cast<int>(shown.size())), target})};
}

SaveResult EditedFile::ImportEdits(SaveDialogs& dialogs)
{
    const std::optional<std::string> edited = dialogs.ChooseFile(kImportChoice, file_);
    if (!edited)
        return {};
    return ImportEditsFrom(dialogs, *edited);
}

SaveResult EditedFile::ImportEditsFrom(SaveDialogs& dialogs, const std::string& edited)
{
    if (!session_.Loaded() || !editor_.Editable())
        return {false, false, editor_.WhyNotEditable()};
    const auto refused = [&](const std::string& why) {
        dialogs.Warn(why);
        return SaveResult{false, false, why};
    };
    const std::optional<RecordFormat> format = FormatOfName(edited);
    if (!format)
        return refused(Worded(kImportForms, {edited}));
    const std::vector<ShownRecord> shown = Shown();
    const ImportSource source{file_, shown, listsRead_};
    ImportPlan plan;
    EditedTable table;
    try {
        table = ReadEditedTable(ReadEditedBytes(edited, edited), *format, edited);
        try {
            plan = PlanImport(table, source, false);
        } catch (const Refusal& refusal) {
            // Records the table lacks may be deleted, if the user says so.
            try {
                plan = PlanImport(table, source, true);
            } catch (const Refusal&) {
                throw refusal;
            }
            std::size_t kept = 0;
            for (const WantedRecord& record : plan.wanted)
                kept += record.origin ? 1 : 0;
            if (kept == shown.size())
                throw;
            if (!dialogs.Confirm(Worded(kDeleteMissingQuestion, {edited, IntToStr(static_cast<int>(shown.size() - kept))})))
                return {};
        }
    } catch (const Refusal& refusal) {
        return refused(refusal.Text());
    } catch (const std::runtime_error& error) {
        return refused(error.what());
    }

    int changed = 0;
    int added = 0;
    std::size_t kept = 0;
    for (const WantedRecord& record : plan.wanted) {
        if (!record.origin) {
            ++added;
            continue;
        }
        ++kept;
        if (record.record.Fields != shown[*record.origin].record.Fields)
            ++changed;
    }
    const int removed = static_cast<int>(shown.size() - kept);
    const EditOutcome outcome = editor_.ReplaceRecords(plan.wanted, Worded(kImportedStep, {edited}));
    if (!outcome.refusal.empty())
        return refused(outcome.refusal);
    if (!outcome.done)
        return {true, false, Worded(kNoEditsImported, {edited})};
    return {true, false, Worded(kImportedEdits, {edited, IntToStr(changed), IntToStr(added), IntToStr(removed)})};
}

} // namespace zuninfo
