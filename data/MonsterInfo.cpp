#include "data/MonsterInfo.h"

#include "data/MonsterGrammar.h"
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

void ParseSilently(std::FILE* file, const MonsterStore& store)
{
    try {
        SilentInput in(file);
        ParseRecords(in, store);
    } catch (...) {
        // A malformed line (or anything else that goes wrong while reading)
        // ends the parse silently with what was read so far.
    }
}

void ParseObserved(std::FILE* file, MonsterInfoObserver& observer, const MonsterStore& store)
{
    ObservedInput in(file, observer);
    try {
        ParseRecords(in, store);
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

std::FILE* OpenWithRetries(FileAccess& files, std::int32_t& openAttempt)
{
    for (;;) {
        if (std::FILE* file = files.Open(MonsterInfoPath(openAttempt)))
            return file;
        if (openAttempt >= kMaxOpenAttempt)
            return nullptr;
        ++openAttempt;
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

MonsterStore ViewerStore()
{
    return {Monsters, LastIndex, OpenAttempt};
}

} // namespace zuninfo

bool LoadMonsterInfo(zuninfo::WindowOps& window, zuninfo::FileAccess& files, zuninfo::MonsterInfoObserver* observer)
{
    return LoadMonsterInfo(window, files, observer, zuninfo::ViewerStore());
}

bool LoadMonsterInfo(zuninfo::WindowOps& window, zuninfo::FileAccess& files, zuninfo::MonsterInfoObserver* observer,
                     const zuninfo::MonsterStore& store)
{
    std::FILE* file = zuninfo::OpenWithRetries(files, store.openAttempt);
    if (file == nullptr) {
        window.ShowMessage("File not found");
        return false;
    }

    window.SetCursor(TCursor::crHourGlass);
    if (observer == nullptr) {
        zuninfo::ParseSilently(file, store);
    } else {
        try {
            zuninfo::ParseObserved(file, *observer, store);
        } catch (...) {
            window.SetCursor(TCursor::crDefault);
            files.Close(file);
            throw;
        }
    }

    window.SetCursor(TCursor::crDefault);
    files.Close(file);
    window.SetEnabled("Button1", false);
    --store.lastIndex;
    return true;
}
