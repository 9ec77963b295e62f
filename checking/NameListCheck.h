#pragma once

#include "checking/Report.h"
#include "data/NameLists.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zuninfo {

// Turns what the name list loader tells about one list into findings. Holds
// the line that set each id of the table, whatever the size of the file.
class NameListCheck final : public NameListObserver {
public:
    // `wholeNames`: the table keeps each name whole, as the viewer does;
    // else only its start.
    NameListCheck(Report& report, NameList list, ColumnUnit columns, bool wholeNames = false);

    ColumnUnit Columns() const override { return columns_; }

    void LfAlone(FilePlace lf, LfIn in) override;
    void LoneCr(FilePlace cr, unsigned char skipped) override;
    void LineRead(const ListLine& line) override;
    // Enough of each name to show its start, so that the check of a list
    // with names of any length takes a few KiB; or the whole name.
    std::size_t NameBytesKept() const override;
    void IdRejected(FilePlace idPlace, const std::string& message) override;

    // The file could not be opened; `inViewersFolder`: it is the list the
    // viewer looks for, not one named, so the lists after it go unread.
    void NotOpened(const OpenFailure& failure, bool inViewersFolder);
    // The list has been read, as far as the viewer reads it: tells what
    // waited for its end.
    void Finish();

private:
    Report& report_;
    NameList list_;
    ColumnUnit columns_;
    bool wholeNames_;
    std::vector<std::int64_t> setOnLine_; // by id: the line that first set it; 0 while none has
    // The first LF alone since the current line's id began, and how many.
    std::optional<FilePlace> lfAlone_;
    std::int64_t lfsAlone_ = 0;
    // The names an LF alone ends, as far as the report lists them.
    struct LfEndedName {
        FilePlace lf;
        std::int32_t id;
        std::string name; // as shown, without the LF
        LfNameShown shown;
    };
    std::vector<LfEndedName> lfEnded_;

    void NameEndsWithLf(FilePlace lf, const ListLine& line);
};

} // namespace zuninfo
