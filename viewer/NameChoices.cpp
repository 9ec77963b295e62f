#include "viewer/NameChoices.h"

#include "data/MonsterFields.h"
#include "platform/Conversions.h"
#include "viewer/EditMessages.h"

#include <algorithm>

namespace zuninfo {

namespace {

// "3", "3 and 7", "3, 7 and 9".
std::string IdsInWords(const std::vector<std::int32_t>& ids)
{
    std::string words;
    for (std::size_t i = 0; i < ids.size(); ++i) {
        if (i > 0)
            words += i + 1 == ids.size() ? " and " : ", ";
        words += IntToStr(ids[i]);
    }
    return words;
}

// The id in "4" or "(4)", if that is what the text is.
std::optional<std::int32_t> IdTyped(std::string_view typed)
{
    if (typed.size() >= 2 && typed.front() == '(' && typed.back() == ')')
        typed = typed.substr(1, typed.size() - 2);
    return ReadNumber(typed).value;
}

} // namespace

NameChoices::NameChoices(const RecordTable& table, NameList list) : rules_(table.Rules()), list_(list)
{
    for (const std::int32_t id : table.NamedIdsInListOrder(list)) {
        const std::string& name = table.ShownName(list, id);
        choices_.push_back({id, IdWithName(name, id)});
        foldedTexts_.push_back(rules_.Folded(choices_.back().text));
        foldedNames_.push_back(rules_.Folded(name));
        longest_ = std::max(longest_, foldedTexts_.back().size());
    }
}

std::vector<std::size_t> NameChoices::Completions(const std::string& typed) const
{
    std::vector<std::size_t> found;
    const std::string folded = rules_.Folded(typed);
    for (std::size_t i = 0; i < foldedTexts_.size(); ++i) {
        if (foldedTexts_[i].starts_with(folded))
            found.push_back(i);
    }
    return found;
}

CellInput NameChoices::Resolve(const std::string& typed, std::optional<std::int32_t> kept) const
{
    const std::string file = NameListFileName(list_);
    // Folding may make a text longer, but not by this much: a longer text
    // is no choice's, and is not folded at all.
    if (typed.size() <= 4 * longest_ + 16) {
        const std::string folded = rules_.Folded(typed);
        std::vector<std::int32_t> named;
        for (std::size_t i = 0; i < choices_.size(); ++i) {
            if (foldedTexts_[i] == folded)
                return CellInput::Taken(choices_[i].id);
            if (foldedNames_[i] == folded)
                named.push_back(choices_[i].id);
        }
        if (named.size() == 1)
            return CellInput::Taken(named.front());
        std::sort(named.begin(), named.end());
        if (named.size() > 1)
            return CellInput::Refused(Worded(kSharedName, {TypedInWords(typed), "ids " + IdsInWords(named), file,
                                                           IntToStr(named.front())}));
    }
    if (const std::optional<std::int32_t> id = IdTyped(typed)) {
        for (const NameChoice& choice : choices_) {
            if (choice.id == *id)
                return CellInput::Taken(*id);
        }
        if (kept && *kept == *id)
            return CellInput::Taken(*id);
        return CellInput::Refused(Worded(kNamelessId, {IntToStr(*id), file}));
    }
    return CellInput::Refused(Worded(kNoSuchName, {TypedInWords(typed), file}));
}

} // namespace zuninfo
