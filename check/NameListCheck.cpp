#include "check/NameListCheck.h"

#include "check/Wording.h"

#include <algorithm>

NameListCheck::NameListCheck(Report& report, NameList list)
    : report_(report), list_(list), setOnLine_(NameTable(list).size(), 0)
{
}

void NameListCheck::LfAlone(FilePlace lf)
{
    if (!lfAlone_)
        lfAlone_ = lf;
}

void NameListCheck::LoneCr(FilePlace cr, unsigned char skipped)
{
    report_.Add(FindingKind::LoneCr, cr, LoneCrMessage(skipped));
}

void NameListCheck::NameRead(FilePlace idPlace, std::int32_t id, FilePlace namePlace, const std::string& name)
{
    // A name runs to the first CR, so every LF in it is one alone. The lines
    // after the first LF that it takes in: an LF at its very end ends the
    // last of them.
    if (lfAlone_) {
        const std::int64_t lines = std::count(name.begin(), name.end(), '\n') - (name.ends_with('\n') ? 1 : 0);
        const std::string what = lines == 0 ? std::string("the LF")
                                            : "the " + Counted(lines, "line", "lines") + " after it (to line "
                                                  + std::to_string(lfAlone_->line + lines) + ")";
        report_.Add(FindingKind::NameRunsOn, *lfAlone_,
                    "line ends with LF alone, not CR LF: the viewer reads " + what + " as part of the name of id "
                        + std::to_string(id) + ", not as lines of their own");
        lfAlone_.reset();
    }

    const std::string idText = "id " + std::to_string(id);
    if (id < 0 || static_cast<std::size_t>(id) >= setOnLine_.size()) {
        report_.Add(FindingKind::ListIdOutsideTable, idPlace,
                    idText + " is outside the table's ids 0 to " + std::to_string(setOnLine_.size() - 1)
                        + ": the viewer lists the name " + QuotedName(name)
                        + " in the drop-down list but shows it for no monster");
    } else {
        std::int64_t& setOn = setOnLine_[static_cast<std::size_t>(id)];
        if (setOn != 0)
            report_.Add(FindingKind::IdSetTwice, idPlace,
                        idText + " is set again (first on line " + std::to_string(setOn)
                            + "): the viewer shows the later name " + QuotedName(name)
                            + " for it; both names stay in the drop-down list");
        setOn = idPlace.line;
    }
    if (name.empty())
        report_.Add(FindingKind::EmptyName, namePlace,
                    idText + " has an empty name: the viewer shows an empty field for it and lists an empty item");
}

void NameListCheck::IdRejected(FilePlace idPlace, const std::string& message)
{
    lfAlone_.reset();
    report_.Add(FindingKind::BadId, idPlace,
                "the id is not a number: the viewer stops at start-up with the message \"" + message
                    + "\" and does not open its window");
}

void NameListCheck::NotOpened()
{
    std::string viewer = "the viewer shows \"File not found\" at start-up";
    const auto later = std::find(kNameLists.begin(), kNameLists.end(), list_) + 1;
    for (auto list = later; list != kNameLists.end(); ++list)
        viewer += std::string(list == later ? " and does not read " : " or ") + NameListFileName(*list);
    report_.Add(FindingKind::Unreadable, UnreadableMessage(viewer));
}
