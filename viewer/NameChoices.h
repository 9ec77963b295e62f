#pragma once

#include "viewer/CellInput.h"
#include "viewer/RecordTable.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zuninfo {

// One name a cell of ids can take: its id and the text offered for it, the
// name shown with the id, "Orc Chief (4)".
struct NameChoice {
    std::int32_t id = 0;
    std::string text;
};

// The names a skin, attack or skill cell offers: each id of the list that
// has a name, in the drop-down lists' order (a name several ids share is
// offered once for each), and what a typed text means.
class NameChoices {
public:
    NameChoices(const RecordTable& table, NameList list);

    const std::vector<NameChoice>& All() const { return choices_; }

    // The choices whose text starts with the typed text, case ignored, in
    // their order (places in All()).
    std::vector<std::size_t> Completions(const std::string& typed) const;

    // The id a typed text stands for: a choice's text, a name that only one
    // id has, an id alone ("4") or in parentheses ("(4)"), case ignored. An
    // id without a name in the list is refused, but for `kept`, the cell's
    // value in the file as loaded; so is a name several ids have, naming
    // them, and any other text.
    CellInput Resolve(const std::string& typed, std::optional<std::int32_t> kept) const;

private:
    const TextRules& rules_;
    NameList list_;
    std::vector<NameChoice> choices_;
    std::vector<std::string> foldedTexts_;
    std::vector<std::string> foldedNames_;
    std::size_t longest_ = 0; // bytes of the longest folded text
};

} // namespace zuninfo
