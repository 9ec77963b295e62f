#include "save/ReadBack.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace zuninfo {

namespace {

// A finding as findings are compared: its kind and message, the lines it
// names left out.
std::string ComparedFinding(const Finding& finding)
{
    std::string key = std::string(InfoOf(finding.kind).name) + ": ";
    const std::string& message = finding.message;
    for (std::size_t at = 0; at < message.size();) {
        if (message.compare(at, 5, "line ") == 0 && at + 5 < message.size()
            && std::isdigit(static_cast<unsigned char>(message[at + 5]))) {
            key += "line #";
            for (at += 5; at < message.size() && std::isdigit(static_cast<unsigned char>(message[at])); ++at) {
            }
        } else {
            key += message[at++];
        }
    }
    return key;
}

} // namespace

std::optional<std::size_t> FirstRecordOtherThanAsked(const std::vector<MonsterRecord>& asked,
                                                     const std::vector<ShownRecord>& read)
{
    for (std::size_t slot = 0; slot < std::max(asked.size(), read.size()); ++slot) {
        if (slot >= asked.size() || slot >= read.size() || asked[slot].Fields != read[slot].record.Fields)
            return slot;
    }
    return std::nullopt;
}

std::optional<Finding> FirstNewFinding(const Report& old, const std::string& oldFile, const Report& fresh,
                                       const std::string& freshFile)
{
    std::set<std::string> before;
    for (const Finding& finding : old.Findings()) {
        if (finding.file == oldFile)
            before.insert(ComparedFinding(finding));
    }
    for (const Finding& finding : fresh.Findings()) {
        if (finding.file == freshFile && !before.contains(ComparedFinding(finding)))
            return finding;
    }
    return std::nullopt;
}

} // namespace zuninfo
