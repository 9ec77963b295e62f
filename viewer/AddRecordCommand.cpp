#include "viewer/AddRecordCommand.h"

#include "platform/Conversions.h"

namespace zuninfo {

std::string AddRecordCommand::Text() const
{
    return "adding record " + IntToStr(slot_) + " (Index " + IntToStr(record_.Fields[0]) + ")";
}

} // namespace zuninfo
