#include "diff/UnreadRecords.h"

#include "platform/ByteReader.h"
#include "platform/Conversions.h"
#include "platform/Exception.h"
#include "platform/FileAccess.h"

namespace zuninfo {

std::map<std::int32_t, std::int64_t> UnreadRecordLines(const std::string& path, const std::set<std::int32_t>& wanted,
                                                       const std::set<std::int64_t>& readLines)
{
    std::map<std::int32_t, std::int64_t> found;
    std::FILE* file = OpenNamedFile(path);
    if (file == nullptr)
        return found;
    {
        ByteReader in(file);
        std::int64_t line = 1;
        int c = in.Next();
        while (c != EOF) {
            // The first token of a line that may be a record.
            IntToken token;
            const bool mayBeRecord = c != ';' && c != '\r' && c != '\n' && !readLines.contains(line);
            while (c != EOF && c != ' ' && c != '\t' && c != '\r' && c != '\n') {
                token.Append(static_cast<unsigned char>(c));
                c = in.Next();
            }
            if (mayBeRecord) {
                try {
                    const std::int32_t index = token.Value();
                    if (wanted.contains(index))
                        found.try_emplace(index, line);
                } catch (const Exception&) {
                    // Not a number: not a record the viewer could show.
                }
            }
            while (c != EOF && c != '\n')
                c = in.Next();
            if (c == '\n') {
                ++line;
                c = in.Next();
            }
        }
    }
    std::fclose(file);
    return found;
}

} // namespace zuninfo
