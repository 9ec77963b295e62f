#include "save/Splices.h"

#include "platform/Conversions.h"

namespace zuninfo {

SplicedRecords SpliceRecords(const MonsterLayout& layout, const std::vector<MonsterRecord>& old,
                             const std::vector<WantedRecord>& wanted)
{
    SplicedRecords spliced;
    // Each slot's wanted record; none where no record wants it.
    std::vector<const MonsterRecord*> kept(old.size(), nullptr);
    std::vector<const MonsterRecord*> added;
    for (const WantedRecord& record : wanted) {
        if (record.origin && *record.origin < old.size())
            kept[*record.origin] = &record.record;
        else
            added.push_back(&record.record);
    }
    for (std::size_t slot = 0; slot < old.size(); ++slot) {
        const RecordLine& line = layout.records[slot];
        if (kept[slot] == nullptr) {
            spliced.splices.push_back({line.start, line.end, {}});
            ++spliced.removed;
            continue;
        }
        const MonsterRecord& record = *kept[slot];
        spliced.records.push_back(record);
        for (std::size_t field = 0; field < record.Fields.size(); ++field) {
            if (record.Fields[field] != old[slot].Fields[field])
                spliced.splices.push_back({line.tokenStart[field], line.tokenEnd[field], IntToStr(record.Fields[field])});
        }
        spliced.changed += record.Fields != old[slot].Fields ? 1 : 0;
    }
    if (added.empty())
        return spliced;

    // The new lines, after the last record line, with what ends the line
    // before them where nothing does yet.
    Splice lines;
    lines.begin = lines.end = layout.records.empty() ? layout.size : layout.records.back().end;
    if (layout.records.empty()) {
        if (layout.lastByte == '\r')
            lines.text = "\n";
        else if (layout.lastByte != -1 && layout.lastByte != '\n')
            lines.text = "\r\n";
    } else if (kept.back() != nullptr) {
        const RecordLine& last = layout.records.back();
        if (!last.crEnded)
            lines.text = "\r\n";
        else if (last.end == layout.size && layout.lastByte == '\r')
            lines.text = "\n";
    }
    for (const MonsterRecord* record : added) {
        spliced.records.push_back(*record);
        for (std::size_t field = 0; field < record->Fields.size(); ++field)
            lines.text += (field ? layout.separator : "") + IntToStr(record->Fields[field]);
        lines.text += "\r\n";
    }
    spliced.splices.push_back(std::move(lines));
    spliced.added = added.size();
    return spliced;
}

} // namespace zuninfo
