#include "checking/ViewerRead.h"

#include "data/MonsterFields.h"
#include "platform/NameUtf8.h"


namespace zuninfo {

bool ReadsInPart(const Finding& finding, const DataFiles& files)
{
    return files.monsterInfo && finding.file == *files.monsterInfo
           && InfoOf(finding.kind).severity == Severity::Error && finding.kind != FindingKind::Unreadable
           && finding.kind != FindingKind::OutOfMemory;
}

bool EndsStartUp(const Finding& finding)
{
    return finding.kind == FindingKind::BadId;
}

bool KeepsFromWriting(const Finding& finding, const DataFiles& files)
{
    return finding.kind == FindingKind::Unreadable || finding.kind == FindingKind::OutOfMemory || EndsStartUp(finding)
           || ReadsInPart(finding, files);
}

ViewerRead ReadAsTheViewer(const DataFiles& files, Listing listing, OwnMonsterStore* store)
{
    ViewerRead read;
    std::vector<std::int64_t> lines;
    read.report = CheckDataFiles(files, {ColumnUnit::Bytes, &lines, listing, true, store, &read.listsRead});
    for (const Finding& finding : read.report.Findings()) {
        read.startsUp = read.startsUp && !EndsStartUp(finding);
        read.readInPart = read.readInPart || ReadsInPart(finding, files);
    }
    // Where the viewer does not start, it shows no record at all.
    if (!read.startsUp)
        return read;
    for (std::size_t slot = 0; slot < lines.size(); ++slot)
        read.records.push_back({static_cast<std::int32_t>(slot), lines[slot], store ? store->records[slot] : Monsters[slot]});
    return read;
}

std::string ShownName(NameList list, std::int32_t id)
{
    return NameAsUtf8(NameOfId(list, id), NameListEncoding(list));
}

std::string ShownValue(int field, std::int32_t value)
{
    const std::optional<NameList> list = kMonsterFields[static_cast<std::size_t>(field)].names;
    return list ? IdWithName(ShownName(*list, value), value) : std::to_string(value);
}

} // namespace zuninfo
