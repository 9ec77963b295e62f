#include "data/MonsterInfo.h"

#include "data/PlacedReader.h"
#include "platform/ByteReader.h"
#include "platform/Conversions.h"
#include "platform/Exception.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <new>

std::array<MonsterRecord, zuninfo::kMonsterSlots> Monsters{};
std::int32_t LastIndex = 0;
std::int32_t OpenAttempt = 0;
const char MonsterInfoPathTemplate[] = "C:\\projects\\bin\\Data\\Zun\\zuninfo.qdf";

namespace zuninfo {

namespace {

constexpr std::int32_t kMaxOpenAttempt = 500;

bool IsSpaceOrTab(int c) { return c == ' ' || c == '\t'; }

// The parse's input when nobody observes it: bytes at full speed, and each
// of the grammar's hooks does nothing.
class SilentInput {
public:
    explicit SilentInput(std::FILE* file) : in_(file) {}

    int Next() { return in_.Next(); }
    // The first byte of a line.
    int NextLine() { return in_.Next(); }
    // The byte after a CR (the LF of a CR LF, unexamined).
    int StepOverLf() { return in_.Next(); }
    void RecordStarts() {}
    void TokenStarts() {}
    std::int32_t Convert(const IntToken& token, int /*field*/) { return token.Value(); }
    void RecordStored(std::int32_t /*slot*/) {}
    void StoreFull() {}

private:
    ByteReader in_;
};

// The parse's input under an observer: knows the place of every byte (its
// column counted as the observer asks), tells the observer what each hook
// means, and sees which lines the grammar never starts as lines.
class ObservedInput {
public:
    ObservedInput(std::FILE* file, MonsterInfoObserver& observer) : in_(file, &observer), observer_(observer) {}

    // A byte the grammar does not take as a line's first: when it is the
    // first of its line all the same, that line is never read as a record.
    int Next()
    {
        const int c = in_.Next();
        if (in_.StartsLine() && c != EOF && c != '\r' && c != '\n' && c != ';')
            observer_.RecordLineNotShown(in_.Place().line, trailingTextOf_);
        return c;
    }
    // A line's first byte: a record line's unless it starts a comment (or is
    // the CR of a blank line). With every slot taken, a record line ends the
    // parse at its first byte, before any field.
    int NextLine()
    {
        in_.ReadingIn(storeFull_ ? LfIn::Unread : LfIn::Field);
        const int c = in_.Next();
        if (c == ';')
            in_.ReadingIn(LfIn::Comment);
        return c;
    }
    int StepOverLf() { return in_.StepOverLf(); }
    void RecordStarts() { recordLine_ = in_.Place().line; }
    void TokenStarts() { token_ = in_.Place(); }

    std::int32_t Convert(const IntToken& token, int field)
    {
        std::int32_t value = 0;
        try {
            value = token.Value();
        } catch (const Exception&) {
            observer_.ParseEnded(token_, field, token.Shown());
            throw;
        }
        observer_.FieldRead(token_, field, value);
        // After the last field, the rest of the line up to CR is skipped.
        if (field == kMonsterFieldCount - 1) {
            trailingTextOf_ = recordLine_;
            in_.ReadingIn(LfIn::TrailingText);
        }
        return value;
    }

    void RecordStored(std::int32_t slot)
    {
        trailingTextOf_ = 0;
        storeFull_ = slot + 1 >= kMonsterSlots;
        observer_.RecordStored(recordLine_, slot);
    }
    void StoreFull() { observer_.StoreFull(in_.Place()); }

    // Reads what the parse left of the file, for the record lines in it.
    void ReadRest()
    {
        trailingTextOf_ = 0;
        in_.ReadingIn(LfIn::Unread);
        while (Next() != EOF) {
        }
    }

private:
    PlacedReader<true> in_;
    MonsterInfoObserver& observer_;
    FilePlace token_;
    std::int64_t recordLine_ = 0;
    // The line of the record whose trailing text is being skipped; 0 outside one.
    std::int64_t trailingTextOf_ = 0;
    bool storeFull_ = false;
};

// Reads one token into `token`, stopping at EOF or at a byte for which
// `endsToken` holds; c is left on that byte.
template <typename Input, typename EndsToken>
void ReadToken(Input& in, int& c, IntToken& token, EndsToken endsToken)
{
    in.TokenStarts();
    token.Clear();
    while (c != EOF && !endsToken(c)) {
        token.Append(static_cast<unsigned char>(c));
        c = in.Next();
    }
}

// Fills Monsters from the input, counting completed records in LastIndex.
// Throws when a token is not a number; the fields of the line converted
// before it are already in the slot.
template <typename Input>
void ParseRecords(Input& in)
{
    IntToken token;
    int c = in.NextLine();
    LastIndex = 0;
    while (c != EOF) {
        if (c == '\r') {
            // A blank line: step onto its LF.
            c = in.StepOverLf();
        } else if (c == ';') {
            // A comment line runs through the next LF.
            while (c != '\n' && c != EOF)
                c = in.Next();
        } else {
            // A record line. One beyond the last slot ends the parse as if
            // the file ended there.
            if (LastIndex >= kMonsterSlots) {
                in.StoreFull();
                return;
            }
            in.RecordStarts();
            MonsterRecord& slot = Monsters[static_cast<std::size_t>(LastIndex)];
            // Fields 0 to 21: each a token, then one or more spaces or tabs.
            for (int field = 0; field < kMonsterFieldCount - 1; ++field) {
                ReadToken(in, c, token, IsSpaceOrTab);
                slot.Fields[static_cast<std::size_t>(field)] = in.Convert(token, field);
                while (IsSpaceOrTab(c))
                    c = in.Next();
            }
            // Field 22 ends at CR, a space or a tab.
            ReadToken(in, c, token, [](int b) { return b == '\r' || IsSpaceOrTab(b); });
            slot.Fields[kMonsterFieldCount - 1] = in.Convert(token, kMonsterFieldCount - 1);
            // Whatever follows up to CR (a monster's name, say) is ignored.
            while (c != '\r' && c != EOF)
                c = in.Next();
            // Step onto the LF.
            c = in.StepOverLf();
            in.RecordStored(LastIndex);
            ++LastIndex;
        }
        // Step past the LF to the first byte of the next line.
        c = in.NextLine();
    }
}

void ParseSilently(std::FILE* file)
{
    try {
        SilentInput in(file);
        ParseRecords(in);
    } catch (...) {
        // A malformed line (or anything else that goes wrong while reading)
        // ends the parse silently with what was read so far.
    }
}

void ParseObserved(std::FILE* file, MonsterInfoObserver& observer)
{
    ObservedInput in(file, observer);
    try {
        ParseRecords(in);
    } catch (const std::bad_alloc&) {
        // Memory running out ends the observer's work, not just the parse:
        // what it would tell from here on is not known.
        throw;
    } catch (...) {
        // The parse ends as it does unobserved; a bad token has been told.
    }
    in.ReadRest();
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

} // namespace zuninfo

bool LoadMonsterInfo(zuninfo::WindowOps& window, zuninfo::FileAccess& files, zuninfo::MonsterInfoObserver* observer)
{
    std::FILE* file = zuninfo::OpenWithRetries(files);
    if (file == nullptr) {
        window.ShowMessage("File not found");
        return false;
    }

    window.SetCursor(TCursor::crHourGlass);
    if (observer == nullptr) {
        zuninfo::ParseSilently(file);
    } else {
        try {
            zuninfo::ParseObserved(file, *observer);
        } catch (...) {
            window.SetCursor(TCursor::crDefault);
            files.Close(file);
            throw;
        }
    }

    window.SetCursor(TCursor::crDefault);
    files.Close(file);
    window.SetEnabled("Button1", false);
    --LastIndex;
    return true;
}
