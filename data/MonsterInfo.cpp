#include "data/MonsterInfo.h"

#include "platform/ByteReader.h"
#include "platform/Conversions.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

std::array<MonsterRecord, kMonsterSlots> Monsters{};
std::int32_t LastIndex = 0;
std::int32_t OpenAttempt = 0;
const char MonsterInfoPathTemplate[] = "C:\\projects\\bin\\Data\\Zun\\zuninfo.qdf";

namespace {

constexpr std::int32_t kMaxOpenAttempt = 500;

bool IsSpaceOrTab(int c) { return c == ' ' || c == '\t'; }

// Reads one token into `token`, stopping at EOF or at a byte for which
// `endsToken` holds; c is left on that byte.
template <typename EndsToken>
void ReadToken(ByteReader& in, int& c, IntToken& token, EndsToken endsToken)
{
    token.Clear();
    while (c != EOF && !endsToken(c)) {
        token.Append(static_cast<unsigned char>(c));
        c = in.Next();
    }
}

// Fills Monsters from the stream, counting completed records in LastIndex.
// Throws when a token is not a number; the fields of the line converted
// before it are already in the slot.
void ParseRecords(ByteReader& in)
{
    IntToken token;
    int c = in.Next();
    LastIndex = 0;
    while (c != EOF) {
        if (c == '\r') {
            // A blank line: step onto its LF.
            c = in.Next();
        } else if (c == ';') {
            // A comment line runs through the next LF.
            while (c != '\n' && c != EOF)
                c = in.Next();
        } else {
            // A record line. One beyond the last slot ends the parse as if
            // the file ended there.
            if (LastIndex >= kMonsterSlots)
                return;
            MonsterRecord& slot = Monsters[static_cast<std::size_t>(LastIndex)];
            // Fields 0 to 21: each a token, then one or more spaces or tabs.
            for (int field = 0; field < kMonsterFieldCount - 1; ++field) {
                ReadToken(in, c, token, IsSpaceOrTab);
                slot.Fields[static_cast<std::size_t>(field)] = token.Value();
                while (IsSpaceOrTab(c))
                    c = in.Next();
            }
            // Field 22 ends at CR, a space or a tab.
            ReadToken(in, c, token, [](int b) { return b == '\r' || IsSpaceOrTab(b); });
            slot.Fields[kMonsterFieldCount - 1] = token.Value();
            // Whatever follows up to CR (a monster's name, say) is ignored.
            while (c != '\r' && c != EOF)
                c = in.Next();
            // Step onto the LF.
            c = in.Next();
            ++LastIndex;
        }
        // Step past the LF to the first byte of the next line.
        c = in.Next();
    }
}

// vsnprintf behind a function of our own, which compilers do not check
// against its arguments: the template is meant to leave its one unused.
void FormatPath(char* buffer, std::size_t size, const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(buffer, size, format, arguments);
    va_end(arguments);
}

std::FILE* OpenWithRetries(FileAccess& files)
{
    for (;;) {
        if (std::FILE* file = files.Open(MonsterInfoPath(OpenAttempt)))
            return file;
        if (OpenAttempt >= kMaxOpenAttempt)
            return nullptr;
        ++OpenAttempt;
    }
}

} // namespace

std::string MonsterInfoPath(std::int32_t attempt)
{
    char path[100];
    // The template holds no conversion, so the attempt number never shows.
    // A bounded format keeps a longer template from writing past the buffer.
    FormatPath(path, sizeof path, MonsterInfoPathTemplate, attempt);
    std::string formatted(path);
    std::replace(formatted.begin(), formatted.end(), ' ', '0');
    return formatted;
}

bool LoadMonsterInfo(WindowOps& window, FileAccess& files)
{
    std::FILE* file = OpenWithRetries(files);
    if (file == nullptr) {
        window.ShowMessage("File not found");
        return false;
    }

    window.SetCursor(TCursor::crHourGlass);
    try {
        ByteReader in(file);
        ParseRecords(in);
    } catch (...) {
        // A malformed line (or anything else that goes wrong while reading)
        // ends the parse silently with what was read so far.
    }

    window.SetCursor(TCursor::crDefault);
    files.Close(file);
    window.SetEnabled("Button1", false);
    --LastIndex;
    return true;
}
