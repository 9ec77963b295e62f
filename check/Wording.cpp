#include "check/Wording.h"

#include "platform/Conversions.h"

#include <string_view>

std::string Counted(std::int64_t count, const char* singular, const char* plural)
{
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

std::string QuotedName(const std::string& name)
{
    return "'" + VisibleStart(name, name.size()) + "'";
}

std::string LoneCrMessage(unsigned char skipped)
{
    const char byte = static_cast<char>(skipped);
    return "CR with no LF after it: the viewer skips the next byte ('" + VisibleBytes(std::string_view(&byte, 1))
           + "') unexamined, as if it were the LF, and reads on from the byte after it as a new line";
}

std::string UnreadableMessage(const std::string& viewer)
{
    return "cannot be read: it is missing, not a regular file, or not readable; " + viewer;
}
