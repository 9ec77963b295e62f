#include "viewer/EditedFile.h"

#include "save/FileBytes.h"
#include "save/NamedPath.h"
#include "viewer/EditMessages.h"
#include "viewer/TableEditor.h"
#include "viewer/ViewerSession.h"

#include <utility>

namespace zuninfo {

EditedFile::EditedFile(TableEditor& editor, const ViewerSession& session) : editor_(editor), session_(session) {}

void EditedFile::Loaded()
{
    file_ = session_.MonsterFile();
    KeepLoaded(session_.LoadedBytes());
    backedUp_ = false;
    editor_.Start(WhyNotEditable(file_));
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
    const std::optional<std::string> target = dialogs.ChooseTarget(file_);
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
    const std::vector<std::string> lists = session_.NameListFiles();
    for (std::size_t list = 0; list < lists.size() && list < request.listsRead.size(); ++list)
        request.listsRead[list] = IsFile(lists[list]);
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

} // namespace zuninfo
