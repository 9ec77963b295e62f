#include "check/MonsterFileCheck.h"

#include "check/Wording.h"
#include "data/MonsterFields.h"

namespace {

// "Skill 1 (field 10)".
std::string FieldName(int field)
{
    return std::string(kMonsterFields[static_cast<std::size_t>(field)].caption) + " (field " + std::to_string(field)
           + ")";
}

} // namespace

MonsterFileCheck::MonsterFileCheck(Report& report, std::array<bool, kNameLists.size()> listsRead)
    : report_(report), listsRead_(listsRead)
{
}

void MonsterFileCheck::LfAlone(FilePlace lf)
{
    report_.Add(FindingKind::LfLineEnd, lf,
                "line ends with LF alone, not CR LF: a comment line ends there all the same, but the viewer reads a "
                "record line on into the next line");
}

void MonsterFileCheck::LoneCr(FilePlace cr, unsigned char skipped)
{
    report_.Add(FindingKind::LoneCr, cr, LoneCrMessage(skipped));
}

void MonsterFileCheck::FieldRead(FilePlace token, int field, std::int32_t value)
{
    places_[static_cast<std::size_t>(field)] = token;
    values_[static_cast<std::size_t>(field)] = value;
}

void MonsterFileCheck::RecordStored(std::int64_t /*line*/, std::int32_t /*slot*/)
{
    ++records_;
    for (int field = 0; field < kMonsterFieldCount; ++field)
        CheckId(field);
    CheckIndex();
}

void MonsterFileCheck::CheckId(int field)
{
    const std::optional<NameList> list = kMonsterFields[static_cast<std::size_t>(field)].names;
    if (!list)
        return;
    const std::int32_t id = values_[static_cast<std::size_t>(field)];
    const std::span<const std::string> names = NameTable(*list);
    const std::string where = FieldName(field) + ": id " + std::to_string(id);
    const std::string shows
        = "; the viewer shows an empty " + std::string(kMonsterFields[static_cast<std::size_t>(field)].caption);
    const FilePlace place = places_[static_cast<std::size_t>(field)];
    if (id < 0 || static_cast<std::size_t>(id) >= names.size())
        report_.Add(FindingKind::IdOutsideTable, place,
                    where + " is outside " + NameListFileName(*list) + "'s ids 0 to "
                        + std::to_string(names.size() - 1) + shows);
    else if (listsRead_[static_cast<std::size_t>(*list)] && names[static_cast<std::size_t>(id)].empty())
        report_.Add(FindingKind::IdWithoutName, place, where + " has no name in " + NameListFileName(*list) + shows);
}

void MonsterFileCheck::CheckIndex()
{
    const auto [first, isNew] = indexLines_.try_emplace(values_[0], places_[0].line);
    if (!isNew)
        report_.Add(FindingKind::IndexTwice, places_[0],
                    "Index " + std::to_string(values_[0]) + " is used again (first on line "
                        + std::to_string(first->second) + "); the viewer shows both records");
}

void MonsterFileCheck::ParseEnded(FilePlace token, int field, const std::string& shown)
{
    end_ = End{FindingKind::BadToken, token, FieldName(field) + ": '" + shown + "' is not a valid integer value"};
}

void MonsterFileCheck::StoreFull(FilePlace lineStart)
{
    end_ = End{FindingKind::StoreFull, lineStart,
               "record line past the " + std::to_string(kMonsterSlots) + "th, the most the viewer holds"};
}

void MonsterFileCheck::RecordLineNotShown(std::int64_t line, std::int64_t recordLine)
{
    if (recordLine == 0) {
        ++linesAfterEnd_;
        return;
    }
    if (recordLine != run_.recordLine) {
        EndTrailingRun();
        run_ = {recordLine, line, line, 0};
    }
    run_.lastLine = line;
    ++run_.count;
}

void MonsterFileCheck::EndTrailingRun()
{
    if (run_.count == 0)
        return;
    std::string message = "this record line is read as part of the trailing text of the record on line "
                          + std::to_string(run_.recordLine)
                          + ", whose line ends with LF alone: the viewer skips on to the next CR and does not show "
                            "this record line";
    if (run_.count > 1)
        message += " or the " + Counted(run_.count - 1, "record line", "record lines") + " after it, up to line "
                   + std::to_string(run_.lastLine);
    report_.Add(FindingKind::TrailingText, FilePlace{run_.firstLine, 1}, message);
    run_ = {};
}

void MonsterFileCheck::NotOpened()
{
    report_.Add(FindingKind::Unreadable, UnreadableMessage("the viewer shows \"File not found\" when Load is pressed"));
}

void MonsterFileCheck::Finish()
{
    EndTrailingRun();
    if (!end_)
        return;
    const std::int64_t notShown = linesAfterEnd_ + 1;
    const std::string message
        = end_->cause + "; the viewer stops reading here, so it shows "
          + (records_ == 0 ? std::string("no record and")
                           : "the " + Counted(records_, "record", "records") + " before this line but")
          + (notShown == 1 ? std::string(" not this record line")
                           : " not the " + std::to_string(notShown) + " record lines from this one on");
    report_.Add(end_->kind, end_->place, message);
}
