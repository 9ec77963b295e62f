#include "save/SaveMonsterFile.h"

#include "checking/ExitCodes.h"
#include "checking/Report.h"
#include "platform/FileAccess.h"
#include "save/NamedPath.h"
#include "save/OutputFile.h"
#include "save/ReadBack.h"
#include "save/Splices.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace zuninfo {

namespace {

namespace fs = std::filesystem;

// FNV-1a, 64 bits, over the bytes in turn.
constexpr std::uint64_t kFnvOffset = 14695981039346656037ULL;
constexpr std::uint64_t kFnvPrime = 1099511628211ULL;

std::uint64_t Hashed(std::uint64_t hash, std::string_view bytes)
{
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= kFnvPrime;
    }
    return hash;
}

// The files a save reads: the monster file, the lists as the name tables
// hold them.
DataFiles FilesOf(const std::string& monsterFile, const std::array<bool, kNameLists.size()>& listsRead)
{
    DataFiles files;
    files.monsterInfo = monsterFile;
    files.listHeld = listsRead;
    return files;
}

SaveOutcome Outcome(SaveStatus status, std::string message)
{
    return {status, std::move(message), {}};
}

// The first finding that keeps the viewer from reading the file whole.
std::optional<Finding> NotWhole(const ViewerRead& read, const DataFiles& files)
{
    for (const Finding& finding : read.report.Findings()) {
        if (KeepsFromWriting(finding, files))
            return finding;
    }
    return std::nullopt;
}

} // namespace

std::optional<FileFingerprint> FingerprintOf(const std::string& path)
{
    std::FILE* file = OpenNamedFile(path);
    if (file == nullptr)
        return std::nullopt;
    FileFingerprint print{0, kFnvOffset};
    char buffer[64 * 1024];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;) {
        print.hash = Hashed(print.hash, std::string_view(buffer, got));
        print.size += got;
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return failed ? std::nullopt : std::optional(print);
}

FileFingerprint FingerprintOfBytes(std::string_view bytes)
{
    return {bytes.size(), Hashed(kFnvOffset, bytes)};
}

EditableRead ReadForEditing(const std::string& monsterFile)
{
    const DataFiles files = FilesOf(monsterFile, {true, true, true});
    auto store = std::make_unique<OwnMonsterStore>();
    const ViewerRead read = ReadAsTheViewer(files, Listing::AFew, store.get());
    EditableRead editable;
    if (const std::optional<Finding> finding = NotWhole(read, files))
        editable.whyNot = FindingLine(*finding);
    editable.lines.reserve(read.records.size());
    for (const ShownRecord& record : read.records)
        editable.lines.push_back(record.line);
    editable.listsRead = read.listsRead;
    return editable;
}

MonsterSource ReadSource(const DataFiles& files)
{
    auto store = std::make_unique<OwnMonsterStore>();
    MonsterSource source{files, ReadAsTheViewer(files, Listing::EveryRecordFinding, store.get()), {}};
    if (source.read.startsUp && !source.read.readInPart && source.read.report.ExitCode() != kExitTrouble) {
        source.layout = ScanMonsterFile(*files.monsterInfo);
        if (source.layout.records.size() != source.read.records.size())
            throw std::runtime_error("'" + *files.monsterInfo + "' changed while it was read; try again");
    }
    return source;
}

CheckedWrite WriteAndReadBack(const MonsterSource& source, const std::vector<WantedRecord>& wanted, OutputFile& file,
                              const std::string& shown, const std::string& doing)
{
    std::vector<MonsterRecord> old;
    for (const ShownRecord& record : source.read.records)
        old.push_back(record.record);
    const SplicedRecords spliced = SpliceRecords(source.layout, old, wanted);
    const std::string& monsterFile = *source.files.monsterInfo;
    WriteSpliced(monsterFile, source.layout.size, spliced.splices, file.Stream());
    if (!file.Stream().flush()) {
        file.Commit(); // says why the file cannot be written
        throw std::runtime_error("cannot write '" + shown + "'");
    }

    DataFiles back = source.files;
    back.monsterInfo = NamedPathText(file.Temporary());
    back.listHeld = source.read.listsRead;
    auto store = std::make_unique<OwnMonsterStore>();
    CheckedWrite written{ReadAsTheViewer(back, Listing::EveryRecordFinding, store.get()), spliced.changed,
                         spliced.added, spliced.removed};
    const std::vector<ShownRecord>& fresh = written.read.records;
    if (const std::optional<std::size_t> slot = FirstRecordOtherThanAsked(spliced.records, fresh))
        throw ReadBackRefusal("read back with the viewer's loader, " + shown + " would hold "
                                  + std::to_string(fresh.size()) + " records and record " + std::to_string(*slot)
                                  + " other than asked; nothing is written",
                              *slot < spliced.records.size() ? std::optional(*slot) : std::nullopt, {0, 0});
    if (const std::optional<Finding> finding
        = FirstNewFinding(source.read.report, monsterFile, written.read.report, *back.monsterInfo)) {
        const std::string problem = doing + " would give " + shown + " a finding that " + monsterFile
                                    + " does not have, and stops: " + SeverityName(InfoOf(finding->kind).severity)
                                    + ": " + finding->message;
        std::optional<std::size_t> slot;
        for (std::size_t at = 0; at < fresh.size() && !slot; ++at) {
            if (fresh[at].line == finding->line)
                slot = at;
        }
        throw ReadBackRefusal(problem, slot, {finding->line, finding->column});
    }
    return written;
}

SaveOutcome SaveMonsterFile(const SaveRequest& request)
{
    // The file a link names is replaced, and the link kept.
    std::string target = request.target;
    std::error_code unresolved;
    if (const fs::path real = fs::canonical(NamedPath(target), unresolved); !unresolved)
        target = NamedPathText(real);
    try {
        // What the changes are made to: the bytes as loaded, or the file
        // as it stands where it is still as loaded.
        const std::optional<FileFingerprint> now = FingerprintOf(request.source);
        const bool changed = !now || *now != request.loaded;
        if (changed && !request.overwriteChanged)
            return Outcome(SaveStatus::SourceChanged,
                           "'" + request.source + "' " + (now ? "changed on disk" : "is gone")
                               + " since it was loaded: saving writes over what another program wrote");
        std::optional<OutputFile> loadedCopy;
        std::string base = request.source;
        if (!request.loadedBytes.empty()) {
            if (FingerprintOfBytes(request.loadedBytes) != request.loaded)
                return Outcome(SaveStatus::Failed, "the bytes kept of '" + request.source + "' are not those loaded");
            if (changed) {
                // Never renamed into place: removed when the save ends.
                loadedCopy.emplace(target);
                loadedCopy->Stream() << request.loadedBytes;
                if (!loadedCopy->Stream().flush())
                    throw std::runtime_error("cannot write beside '" + target + "'");
                base = NamedPathText(loadedCopy->Temporary());
            }
        } else if (changed) {
            return Outcome(SaveStatus::Failed, "the file as loaded is not kept, so it cannot be saved over '"
                                                   + request.source + "'");
        }

        const MonsterSource source = ReadSource(FilesOf(base, request.listsRead));
        if (const std::optional<Finding> finding = NotWhole(source.read, source.files))
            return Outcome(SaveStatus::Refused, "the viewer reads '" + request.source + "' only in part, and it is "
                                                    "not saved: " + FindingLine(*finding));

        // The old file kept first, whole or not at all.
        if (request.backup) {
            const std::optional<FileFingerprint> kept = FingerprintOf(*request.backup);
            std::error_code error;
            const bool taken = fs::symlink_status(NamedPath(*request.backup), error).type() != fs::file_type::not_found;
            if (taken && kept != request.loaded && !request.replaceBackup)
                return Outcome(SaveStatus::BackupTaken,
                               "'" + *request.backup + "' holds other bytes than the file as loaded");
        }

        OutputFile file(target);
        const CheckedWrite written = WriteAndReadBack(source, request.records, file, request.target, "saving");
        if (request.backup && FingerprintOf(*request.backup) != request.loaded) {
            OutputFile backup(*request.backup);
            std::FILE* old = OpenNamedFile(base);
            if (old == nullptr)
                throw std::runtime_error("cannot read '" + base + "' again");
            char buffer[64 * 1024];
            for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, old)) > 0;)
                backup.Stream().write(buffer, static_cast<std::streamsize>(got));
            std::fclose(old);
            backup.KeepPermissionsOf(NamedPath(request.source));
            backup.Commit();
        }
        std::error_code error;
        if (fs::exists(NamedPath(target), error))
            file.KeepPermissionsOf(NamedPath(target));
        else
            file.KeepPermissionsOf(NamedPath(request.source));
        file.Commit();
        std::string message = "saved " + request.target + ": " + std::to_string(written.read.records.size()) + " records; "
                              + std::to_string(written.changed) + " changed, " + std::to_string(written.added)
                              + " added, " + std::to_string(written.removed) + " removed";
        if (request.backup)
            message += "; the file as loaded is kept as " + *request.backup;
        SaveOutcome saved = Outcome(SaveStatus::Saved, message);
        saved.lines.reserve(written.read.records.size());
        for (const ShownRecord& record : written.read.records)
            saved.lines.push_back(record.line);
        return saved;
    } catch (const ReadBackRefusal& refusal) {
        return Outcome(SaveStatus::Refused, refusal.what());
    } catch (const std::runtime_error& error) {
        return Outcome(SaveStatus::Failed, error.what());
    }
}

} // namespace zuninfo
