#pragma once

#include "checking/Report.h"
#include "data/MonsterInfo.h"
#include "data/NameLists.h"

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace zuninfo {

// Turns what the monster info loader tells into findings. Holds one record's
// fields, the Index of each stored record (the store's 500 at most) and a
// few counts, whatever the size of the file.
class MonsterFileCheck final : public MonsterInfoObserver {
public:
    // `listsRead`: by NameList, whether that list was read, so that an id with
    // no name in it can be told. `recordLines`, when given, receives the line
    // each stored record starts on, slot by slot.
    MonsterFileCheck(Report& report, std::array<bool, kNameLists.size()> listsRead, ColumnUnit columns,
                     std::vector<std::int64_t>* recordLines = nullptr);

    ColumnUnit Columns() const override { return columns_; }

    void LfAlone(FilePlace lf, LfIn in) override;
    void LoneCr(FilePlace cr, unsigned char skipped) override;
    void FieldRead(FilePlace token, int field, std::int32_t value) override;
    void RecordStored(std::int64_t line, std::int32_t slot) override;
    void ParseEnded(FilePlace token, int field, const std::string& shown) override;
    void StoreFull(FilePlace lineStart) override;
    void RecordLineNotShown(std::int64_t line, std::int64_t recordLine) override;

    // The file could not be opened; `atViewersPath`: it is the file the
    // viewer looks for, not one named.
    void NotOpened(const OpenFailure& failure, bool atViewersPath);
    // After the load: the findings that need the whole file.
    void Finish();

private:
    void CheckId(int field);
    void CheckIndex();
    void EndTrailingRun();

    Report& report_;
    std::array<bool, kNameLists.size()> listsRead_;
    ColumnUnit columns_;
    // Whether an LF alone is listed yet, by what it stands in.
    std::array<bool, static_cast<std::size_t>(LfIn::Unread) + 1> lfListed_{};
    std::vector<std::int64_t>* recordLines_;
    // The record being read: each field's place and value.
    std::array<FilePlace, kMonsterFieldCount> places_{};
    std::array<std::int32_t, kMonsterFieldCount> values_{};
    std::int32_t records_ = 0;
    std::map<std::int32_t, std::int64_t> indexLines_;
    // What ended the parse early, waiting for the count of the record lines
    // after it.
    struct End {
        FindingKind kind;
        FilePlace place;
        std::vector<std::string> cause; // the first arguments of its message
    };
    std::optional<End> end_;
    std::int64_t linesAfterEnd_ = 0;
    // Record lines read as one record's trailing text.
    struct TrailingRun {
        std::int64_t recordLine = 0;
        std::int64_t firstLine = 0;
        std::int64_t lastLine = 0;
        std::int64_t count = 0;
    };
    TrailingRun run_;
};

} // namespace zuninfo
