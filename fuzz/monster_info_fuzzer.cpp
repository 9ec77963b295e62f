// Fuzz target for LoadMonsterInfo. The input is the monster info file. Each
// run starts from the state at process start, lets the first few opens fail
// (how many follows from the input's length; some lengths make the first
// Load give up), loads, and then checks:
//  - the store and LastIndex equal what a whole-buffer parser written here
//    makes of the same bytes, slot for slot, and LastIndex lies in
//    -1..kMonsterSlots-1;
//  - OpenAttempt only grows, by the failed opens, and stops at 500;
//  - the window calls: the opens, then exactly SetCursor crHourGlass,
//    SetCursor crDefault, Close, SetEnabled Button1 false; a Load that gives
//    up shows "File not found" and changes nothing;
//  - a load of the same bytes under an observer fills the same store, tells
//    each stored record once, in slot order, and at most one end.
#include "data/MonsterInfo.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordingFake.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace zuninfo;

namespace {

using Fields = std::array<std::int32_t, kMonsterFieldCount>;

struct ReferenceStore {
    std::array<MonsterRecord, kMonsterSlots> slots{};
    std::size_t used = 0; // slots the file writes into; the rest stay zero
    std::int32_t lastIndex = -1;
};

// The file's grammar, read off the whole buffer: a line starting with CR is
// blank (its CR and the next byte are skipped), one starting with ';' is a
// comment through the next LF, any other is a record of 23 tokens. Tokens
// 0-21 end at a space or tab and are followed by a run of them; token 22
// ends at CR, space or tab; the rest of the line up to CR is ignored, and the
// CR and the byte after it are skipped. A token without a value ends the
// parse, keeping the fields before it; so does a record line when every
// slot is taken.
void ParseReference(std::string_view file, ReferenceStore& store)
{
    constexpr std::size_t npos = std::string_view::npos;
    const auto orEnd = [&](std::size_t at) { return at == npos ? file.size() : at; };

    store = ReferenceStore();
    std::size_t pos = 0;
    while (pos < file.size()) {
        if (file[pos] == '\r') {
            pos += 2;
            continue;
        }
        if (file[pos] == ';') {
            pos = orEnd(file.find('\n', pos)) + 1;
            continue;
        }
        if (store.used == store.slots.size())
            break;
        Fields& slot = store.slots[store.used++].Fields;
        for (std::size_t field = 0; field < slot.size(); ++field) {
            const bool last = field + 1 == slot.size();
            const std::size_t end = orEnd(file.find_first_of(last ? "\r \t" : " \t", pos));
            const std::optional<std::int32_t> value = ReferenceInt(file.substr(pos, end - pos));
            if (!value) {
                store.lastIndex = static_cast<std::int32_t>(store.used) - 2;
                return;
            }
            slot[field] = *value;
            pos = last ? end : orEnd(file.find_first_not_of(" \t", end));
        }
        pos = orEnd(file.find('\r', pos)) + 2;
    }
    store.lastIndex = static_cast<std::int32_t>(store.used) - 1;
}

// The recording fake, with a number of opens that fail before the file is
// found.
struct FlakyFiles : RecordingFake {
    int failuresLeft = 0;
    std::FILE* Open(const std::string& path) override
    {
        if (failuresLeft > 0) {
            --failuresLeft;
            ++openAttempts;
            calls.push_back("Open " + path);
            return nullptr;
        }
        return RecordingFake::Open(path);
    }
};

// Whole-store comparisons in one call: element by element, the fuzzer's
// comparison tracing would cost more than the load itself.
bool SameStore(const std::array<MonsterRecord, kMonsterSlots>& a, const std::array<MonsterRecord, kMonsterSlots>& b)
{
    return std::memcmp(a.data(), b.data(), sizeof a) == 0;
}

// Counts what an observed load tells, checking the order as it goes.
struct CountingObserver final : MonsterInfoObserver {
    std::int32_t stored = 0;
    std::int64_t lastLine = 0;
    int ends = 0;

    void RecordStored(std::int64_t line, std::int32_t slot) override
    {
        FUZZ_CHECK(slot == stored++, "a stored record told out of slot order");
        // Two records share a line where a lone CR ends the first.
        FUZZ_CHECK(line >= lastLine, "a stored record told on a line before the last one's");
        lastLine = line;
    }
    void ParseEnded(FilePlace, int, const std::string&) override { ++ends; }
    void StoreFull(FilePlace) override { ++ends; }
};

void CheckStoreIsEmpty()
{
    static const std::array<MonsterRecord, kMonsterSlots> empty{};
    FUZZ_CHECK(LastIndex == 0, "a Load that gave up changed LastIndex");
    FUZZ_CHECK(SameStore(Monsters, empty), "a Load that gave up changed the store");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = MonsterInfoPath(0);
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    ResetProgramState();
    FlakyFiles files;
    // Every 64th length makes the first Load give up (it tries 501 times);
    // the others find the file after 0 to 3 failed opens.
    const bool firstLoadGivesUp = size % 64 == 63;
    files.failuresLeft = firstLoadGivesUp ? 1000 : static_cast<int>(size % 4);
    files.files[path] = bytes;

    if (firstLoadGivesUp) {
        FUZZ_CHECK(!LoadMonsterInfo(files, files), "a Load with no file succeeded");
        FUZZ_CHECK(files.openAttempts == 501, "the first failing Load did not try 501 times");
        FUZZ_CHECK(OpenAttempt == 500, "OpenAttempt did not stop at 500");
        FUZZ_CHECK(files.calls.size() == 502 && files.calls.back() == "ShowMessage File not found",
                   "a failing Load did not end in one message");
        CheckStoreIsEmpty();

        // A later failing Load tries once; it and the one that then finds
        // the file leave OpenAttempt at 500.
        files.calls.clear();
        files.failuresLeft = 1;
        FUZZ_CHECK(!LoadMonsterInfo(files, files), "a Load with no file succeeded");
        FUZZ_CHECK((files.calls == std::vector<std::string>{"Open " + path, "ShowMessage File not found"}),
                   "a later failing Load did not try exactly once");
        FUZZ_CHECK(OpenAttempt == 500, "OpenAttempt changed after reaching 500");
        CheckStoreIsEmpty();
        files.calls.clear();
    }

    const std::int32_t attemptBefore = OpenAttempt;
    const int failures = files.failuresLeft;
    FUZZ_CHECK(LoadMonsterInfo(files, files), "a Load that could open the file failed");
    FUZZ_CHECK(OpenAttempt >= attemptBefore, "OpenAttempt went down");
    FUZZ_CHECK(OpenAttempt == std::min(attemptBefore + failures, 500), "OpenAttempt did not count the failed opens");

    std::vector<std::string> expectedCalls(static_cast<std::size_t>(failures) + 1, "Open " + path);
    expectedCalls.insert(expectedCalls.end(), {"SetCursor crHourGlass", "SetCursor crDefault", "Close " + path,
                                               "SetEnabled Button1 false"});
    FUZZ_CHECK(files.calls == expectedCalls, "the window calls of a Load are not open, busy, default, close, disable");

    FUZZ_CHECK(LastIndex >= -1 && LastIndex <= kMonsterSlots - 1, "LastIndex left -1..kMonsterSlots-1");
    static ReferenceStore expected;
    ParseReference(bytes, expected);
    FUZZ_CHECK(LastIndex == expected.lastIndex, "LastIndex differs from the reference parse");
    FUZZ_CHECK(SameStore(Monsters, expected.slots), "the store differs from the reference parse");

    Monsters = {};
    CountingObserver observer;
    FUZZ_CHECK(LoadMonsterInfo(files, files, &observer), "an observed Load that could open the file failed");
    FUZZ_CHECK(LastIndex == expected.lastIndex, "an observed Load gave another LastIndex");
    FUZZ_CHECK(SameStore(Monsters, expected.slots), "an observed Load filled another store");
    FUZZ_CHECK(observer.stored == LastIndex + 1, "an observed Load told another number of stored records");
    FUZZ_CHECK(observer.ends <= 1, "an observed Load told more than one end");
    return 0;
}
