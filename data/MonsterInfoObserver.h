#pragma once

#include "data/LoadObserver.h"

#include <cstdint>
#include <string>

namespace zuninfo {

// What LoadMonsterInfo tells an observer while it parses, besides odd line
// ends. With an observer the loader, once its parse has ended, reads on to
// the end of the file without storing anything, to tell which record lines
// the viewer never reads.
class MonsterInfoObserver : public LoadObserver {
public:
    // A field's token converted: where the token starts, the field (0 to
    // 22) and its value.
    virtual void FieldRead(FilePlace /*token*/, int /*field*/, std::int32_t /*value*/) {}

    // A record complete and counted, in `slot`; `line` is where it starts.
    virtual void RecordStored(std::int64_t /*line*/, std::int32_t /*slot*/) {}

    // A token that is not a number ends the parse; the record it belongs to
    // is not counted. `shown` is the token as a message shows it: control
    // bytes made visible, a long token cut short with its length.
    virtual void ParseEnded(FilePlace /*token*/, int /*field*/, const std::string& /*shown*/) {}

    // A record line finds every slot taken, which ends the parse.
    virtual void StoreFull(FilePlace /*lineStart*/) {}

    // A line that would start a record (its first byte is none of CR, LF and
    // ';') but that the parse never reads as one: it lies after the end of
    // the parse (recordLine 0), or inside the trailing text of the record
    // that starts on recordLine, which runs over an LF alone to the next CR.
    virtual void RecordLineNotShown(std::int64_t /*line*/, std::int64_t /*recordLine*/) {}
};

} // namespace zuninfo
