#include "viewer/ReplaceRecordsCommand.h"

namespace zuninfo {

void ReplaceRecordsCommand::Rebase(const std::vector<std::optional<std::size_t>>& moved)
{
    for (std::vector<WantedRecord>* records : {&before_, &after_}) {
        for (WantedRecord& record : *records) {
            if (record.origin)
                record.origin = *record.origin < moved.size() ? moved[*record.origin] : std::nullopt;
        }
    }
}

} // namespace zuninfo
