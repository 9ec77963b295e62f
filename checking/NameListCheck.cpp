#include "checking/NameListCheck.h"

#include "checking/Message.h"
#include "platform/Conversions.h"

#include <algorithm>
#include <cstdint>

namespace zuninfo {

namespace {

// A name from a list as a message shows it: control bytes and bytes from 128
// up made visible, a long name cut short with its length.
std::string Shown(const ListLine& line)
{
    return VisibleStart(line.name, line.nameLength);
}

} // namespace

NameListCheck::NameListCheck(Report& report, NameList list, ColumnUnit columns, bool wholeNames)
    : report_(report), list_(list), columns_(columns), wholeNames_(wholeNames), setOnLine_(NameTable(list).size(), 0)
{
}

void NameListCheck::LfAlone(FilePlace lf, LfIn /*in*/)
{
    if (!lfAlone_)
        lfAlone_ = lf;
    ++lfsAlone_;
}

void NameListCheck::LoneCr(FilePlace cr, unsigned char skipped)
{
    report_.Add(FindingKind::LoneCr, cr, VisibleBytes(std::string(1, static_cast<char>(skipped))));
}

std::size_t NameListCheck::NameBytesKept() const
{
    return wholeNames_ ? SIZE_MAX : kVisibleStartBytes;
}

void NameListCheck::LineRead(const ListLine& line)
{
    const FilePlace idPlace = line.idPlace;
    const std::int32_t id = line.id;
    // A name runs to the first CR, so every LF in it is one alone, and each
    // takes in the line after it, unless nothing of that line is left for the
    // name: a last LF just before the CR or the end of the file that ends it.
    if (lfAlone_) {
        const std::int64_t lines = lfsAlone_ - (line.nameEndsWithLf ? 1 : 0);
        if (lines == 0)
            NameEndsWithLf(*lfAlone_, line);
        else
            report_.Add(FindingKind::NameRunsOn, *lfAlone_, lines, lfAlone_->line + lines, id);
    }
    lfAlone_.reset();
    lfsAlone_ = 0;

    if (id < 0 || static_cast<std::size_t>(id) >= setOnLine_.size()) {
        report_.Add(FindingKind::ListIdOutsideTable, idPlace, id, setOnLine_.size() - 1, Shown(line));
    } else {
        std::int64_t& setOn = setOnLine_[static_cast<std::size_t>(id)];
        if (setOn != 0) {
            report_.Add(FindingKind::IdSetTwice, idPlace, id, setOn, Shown(line));
            // The name an LF ended before is no longer the one shown.
            for (LfEndedName& ended : lfEnded_) {
                if (ended.id == id && ended.lf.line < idPlace.line && ended.shown == LfNameShown::Everywhere)
                    ended.shown = LfNameShown::ListsOnly;
            }
        } else {
            setOn = idPlace.line;
        }
    }
    if (line.nameLength == 0)
        report_.Add(FindingKind::EmptyName, line.namePlace, id);
}

void NameListCheck::NameEndsWithLf(FilePlace lf, const ListLine& line)
{
    // Told once the list ends, when it is known whether a later line sets
    // the id again; only those the report lists are held.
    if (lfEnded_.size() == static_cast<std::size_t>(InfoOf(FindingKind::LfLineEnd).listed)) {
        report_.AddUnlisted(FindingKind::LfLineEnd);
        return;
    }
    const std::uint64_t length = line.nameLength - 1;
    const bool outside = line.id < 0 || static_cast<std::size_t>(line.id) >= setOnLine_.size();
    lfEnded_.push_back({lf, line.id,
                        VisibleStart(std::string_view(line.name).substr(0, static_cast<std::size_t>(length)), length),
                        outside ? LfNameShown::NoMonster : LfNameShown::Everywhere});
}

void NameListCheck::Finish()
{
    for (const LfEndedName& ended : lfEnded_)
        report_.Add(FindingKind::LfLineEnd, ended.lf,
                    FormatMessage(kLfNameEffects[static_cast<std::size_t>(ended.shown)].words,
                                  {{std::to_string(ended.id), ended.name}}));
    lfEnded_.clear();
}

void NameListCheck::IdRejected(FilePlace idPlace, const std::string& message)
{
    lfAlone_.reset();
    lfsAlone_ = 0;
    report_.Add(FindingKind::BadId, idPlace, message);
}

void NameListCheck::NotOpened(const OpenFailure& failure, bool inViewersFolder)
{
    if (!inViewersFolder) {
        report_.AddUnreadable(failure, UnreadableEffect::Named);
        return;
    }
    // The viewer reads none of the lists after this one.
    std::vector<std::string> notRead;
    for (auto list = std::find(kNameLists.begin(), kNameLists.end(), list_) + 1; list != kNameLists.end(); ++list)
        notRead.push_back(NameListFileName(*list));
    report_.AddUnreadable(failure, UnreadableEffect::AtStartUp, notRead);
}

} // namespace zuninfo
