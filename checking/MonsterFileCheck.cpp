#include "checking/MonsterFileCheck.h"

#include "data/MonsterFields.h"
#include "platform/Conversions.h"

namespace zuninfo {

namespace {

const char* CaptionOf(int field)
{
    return kMonsterFields[static_cast<std::size_t>(field)].caption;
}

} // namespace

MonsterFileCheck::MonsterFileCheck(Report& report, std::array<bool, kNameLists.size()> listsRead,
                                   ColumnUnit columns, std::vector<std::int64_t>* recordLines)
    : report_(report), listsRead_(listsRead), columns_(columns), recordLines_(recordLines)
{
}

void MonsterFileCheck::LfAlone(FilePlace lf, LfIn in)
{
    // The first of each place an LF alone does something different in is
    // listed; the rest, like them, are counted.
    bool& listed = lfListed_[static_cast<std::size_t>(in)];
    if (listed) {
        report_.AddUnlisted(FindingKind::LfLineEnd);
        return;
    }
    listed = true;
    report_.Add(FindingKind::LfLineEnd, lf, kLfAloneEffects[static_cast<std::size_t>(in)].words);
}

void MonsterFileCheck::LoneCr(FilePlace cr, unsigned char skipped)
{
    report_.Add(FindingKind::LoneCr, cr, VisibleBytes(std::string(1, static_cast<char>(skipped))));
}

void MonsterFileCheck::FieldRead(FilePlace token, int field, std::int32_t value)
{
    places_[static_cast<std::size_t>(field)] = token;
    values_[static_cast<std::size_t>(field)] = value;
}

void MonsterFileCheck::RecordStored(std::int64_t line, std::int32_t /*slot*/)
{
    ++records_;
    if (recordLines_ != nullptr)
        recordLines_->push_back(line);
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
    const FilePlace place = places_[static_cast<std::size_t>(field)];
    if (id < 0 || static_cast<std::size_t>(id) >= names.size())
        report_.Add(FindingKind::IdOutsideTable, place, CaptionOf(field), field, id, NameListFileName(*list),
                    names.size() - 1);
    else if (listsRead_[static_cast<std::size_t>(*list)] && names[static_cast<std::size_t>(id)].empty())
        report_.Add(FindingKind::IdWithoutName, place, CaptionOf(field), field, id, NameListFileName(*list));
}

void MonsterFileCheck::CheckIndex()
{
    const auto [first, isNew] = indexLines_.try_emplace(values_[0], places_[0].line);
    if (!isNew)
        report_.Add(FindingKind::IndexTwice, places_[0], values_[0], first->second);
}

void MonsterFileCheck::ParseEnded(FilePlace token, int field, const std::string& shown)
{
    end_ = End{FindingKind::BadToken, token, {CaptionOf(field), std::to_string(field), shown}};
}

void MonsterFileCheck::StoreFull(FilePlace lineStart)
{
    end_ = End{FindingKind::StoreFull, lineStart, {std::to_string(kMonsterSlots)}};
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
    report_.Add(FindingKind::TrailingText, FilePlace{run_.firstLine, 1}, run_.recordLine, run_.count - 1, run_.lastLine);
    run_ = {};
}

void MonsterFileCheck::NotOpened(const OpenFailure& failure, bool atViewersPath)
{
    report_.AddUnreadable(failure, atViewersPath ? UnreadableEffect::AtLoad : UnreadableEffect::Named);
}

void MonsterFileCheck::Finish()
{
    EndTrailingRun();
    if (!end_)
        return;
    // The parse's end names its cause; what the viewer then shows follows it.
    std::vector<std::string> arguments = end_->cause;
    arguments.push_back(std::to_string(records_));
    arguments.push_back(std::to_string(linesAfterEnd_ + 1));
    report_.AddWithArguments(end_->kind, end_->place, std::move(arguments));
}

} // namespace zuninfo
