#include "viewer/CellInput.h"

#include "platform/Conversions.h"
#include "platform/Exception.h"

namespace zuninfo {

CellInput ReadNumber(std::string_view text)
{
    try {
        return CellInput::Taken(StrToInt(text));
    } catch (const Exception& error) {
        return CellInput::Refused(error.what());
    }
}

} // namespace zuninfo
