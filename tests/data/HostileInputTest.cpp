// Huge hostile files, streamed: the loaders read them a byte at a time, and a
// number token of any length costs a few bytes, so loading one takes no
// memory that grows with the file. Names are held whole, by design.
//
// The files are made as they are read (fopencookie), 64 MiB by default.
// ZUNINFO_HOSTILE_MIB=1024 runs the same checks on 1 GiB files by hand.
#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "platform/Exception.h"
#include "platform/NoWindow.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordingFake.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <numeric>
#include <optional>
#include <string>

using namespace zuninfo;

namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;

std::uint64_t HostileBytes()
{
    const char* mib = std::getenv("ZUNINFO_HOSTILE_MIB");
    return (mib != nullptr && std::atoi(mib) > 0 ? std::strtoull(mib, nullptr, 10) : 64) * kMiB;
}

// A file that is `head`, then `count` copies of `fill`, then `tail`, made as
// it is read.
struct GeneratedFile {
    std::string head;
    char fill = '0';
    std::uint64_t count = 0;
    std::string tail;
};

struct GeneratedStream {
    const GeneratedFile* file;
    std::uint64_t position = 0;
};

ssize_t ReadGenerated(void* cookie, char* buffer, std::size_t size)
{
    auto& stream = *static_cast<GeneratedStream*>(cookie);
    const GeneratedFile& file = *stream.file;
    const std::uint64_t total = file.head.size() + file.count + file.tail.size();
    std::size_t written = 0;
    while (written < size && stream.position < total) {
        const std::uint64_t at = stream.position;
        std::size_t run;
        if (at < file.head.size()) {
            run = std::min<std::uint64_t>(size - written, file.head.size() - at);
            std::memcpy(buffer + written, file.head.data() + at, run);
        } else if (at < file.head.size() + file.count) {
            run = std::min<std::uint64_t>(size - written, file.head.size() + file.count - at);
            std::memset(buffer + written, file.fill, run);
        } else {
            const std::uint64_t tailAt = at - file.head.size() - file.count;
            run = std::min<std::uint64_t>(size - written, file.tail.size() - tailAt);
            std::memcpy(buffer + written, file.tail.data() + tailAt, run);
        }
        written += run;
        stream.position += run;
    }
    return static_cast<ssize_t>(written);
}

int CloseGenerated(void* cookie)
{
    delete static_cast<GeneratedStream*>(cookie);
    return 0;
}

// Opens every path as the one generated file.
class GeneratedFiles : public FileAccess {
public:
    explicit GeneratedFiles(GeneratedFile file) : file_(std::move(file)) {}

    std::FILE* Open(const std::string&) override
    {
        cookie_io_functions_t io{};
        io.read = ReadGenerated;
        io.close = CloseGenerated;
        return fopencookie(new GeneratedStream{&file_}, "rb", io);
    }
    void Close(std::FILE* file) override { std::fclose(file); }

private:
    GeneratedFile file_;
};

// A line of /proc/self/status, in KiB; nothing when it cannot be read.
std::optional<std::int64_t> StatusKiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with(field + ":"))
            return std::strtoll(line.c_str() + field.size() + 1, nullptr, 10);
    }
    return std::nullopt;
}

// Runs `load` and gives how far the peak resident memory rose above the
// resident memory before it, in KiB. The peak is reset first (clear_refs),
// so an earlier peak of the test program does not hide the load's; where
// that cannot be done, the resident memory after the load is used.
template <typename Load>
std::int64_t PeakGrowthKiB(Load load)
{
    const std::int64_t before = StatusKiB("VmRSS").value_or(0);
    const bool peakReset = static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5" << std::flush);
    load();
    const std::int64_t after = StatusKiB(peakReset ? "VmHWM" : "VmRSS").value_or(0);
    std::printf("[ memory   ] %s rose %lld KiB during the load (resident before: %lld KiB)\n",
                peakReset ? "peak resident memory" : "resident memory", static_cast<long long>(after - before),
                static_cast<long long>(before));
    return after - before;
}

constexpr std::int64_t kAllowedGrowthKiB = 64 * 1024;

std::string Counting(int first, int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += (i ? " " : "") + std::to_string(first + i);
    return text;
}

struct MonsterCase {
    const char* what;
    GeneratedFile file;
    std::int32_t lastIndex;
    std::int32_t field0; // of slot 0
    std::int32_t field22; // of slot lastIndex, when there is one
};

TEST(HostileInput, HugeMonsterFilesLoadInBoundedMemory)
{
    const std::uint64_t n = HostileBytes();
    const std::string rest = " " + Counting(1, 22) + "\r\n";
    const MonsterCase cases[] = {
        {"a run of leading zeros gives the exact value", {"", '0', n, "7" + rest}, 0, 7, 22},
        {"a signed run of leading zeros", {"-", '0', n, "5" + rest}, 0, -5, 22},
        {"a run of nines is out of range and ends the parse", {"", '9', n, rest + "1" + rest}, -1, 0, 0},
        {"a last field of zeros", {"3 " + Counting(1, 21) + " ", '0', n, "9\r\n"}, 0, 3, 9},
        {"a huge name after a record is skipped", {"1" + rest.substr(0, rest.size() - 2) + "\t", 'x', n, "\r\n2" + rest},
         1, 1, 22},
        {"a huge comment line is skipped", {";", ' ', n, "\n4" + rest}, 0, 4, 22},
    };
    for (const MonsterCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        RecordingFake window;
        GeneratedFiles files(c.file);

        bool loaded = false;
        EXPECT_LT(PeakGrowthKiB([&] { loaded = LoadMonsterInfo(window, files); }), kAllowedGrowthKiB);
        EXPECT_TRUE(loaded);
        EXPECT_EQ(LastIndex, c.lastIndex);
        EXPECT_EQ(Monsters[0].Fields[0], c.field0);
        if (c.lastIndex >= 0) {
            EXPECT_EQ(Monsters[static_cast<std::size_t>(c.lastIndex)].Fields[22], c.field22);
        }
    }
    ResetProgramState();
}

// A huge id is converted, or shown by its start and length, in bounded memory.
TEST(HostileInput, HugeIdsInNameListsTakeBoundedMemory)
{
    const std::uint64_t n = HostileBytes();
    const struct {
        GeneratedFile file;
        std::string message; // of the Exception; empty: none
    } cases[] = {
        {{"", '0', n, "3 Orc\r\n"}, ""},
        {{"1", '2', n, "x Orc\r\n"},
         "mons.txt, line 1: '1" + std::string(47, '2') + "... (" + std::to_string(n + 2) + " bytes)' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        ResetProgramState();
        RecordingFake window;
        GeneratedFiles files(c.file);
        std::string message;
        EXPECT_LT(PeakGrowthKiB([&] {
                      try {
                          LoadNameLists(window, files);
                      } catch (const Exception& error) {
                          message = error.what();
                      }
                  }),
                  kAllowedGrowthKiB);
        EXPECT_EQ(message, c.message);
        EXPECT_EQ(AttackNames[3], c.message.empty() ? "Orc" : "");
    }
    ResetProgramState();
}

// A name is kept whole, however long: its memory grows with it, but
// loading it is sound.
TEST(HostileInput, ALongNameIsKeptWhole)
{
    constexpr std::uint64_t kNameBytes = 4 * kMiB;
    ResetProgramState();
    RecordingFake window;
    GeneratedFiles files({"5 ", 'n', kNameBytes, "\r\n6 Imp\r\n"});

    LoadNameLists(window, files);
    EXPECT_EQ(SkillNames[5], std::string(kNameBytes, 'n'));
    EXPECT_EQ(SkillNames[6], "Imp");
    EXPECT_EQ(window.items["ComboBox2"].size(), 2u);
    ResetProgramState();
}

// Lines are counted past the 32-bit range: a name of more than 2^31 LF bytes
// (the LFs are part of the name, which runs to CR), then a bad id. Needs
// ZUNINFO_HOSTILE_MIB=2049 or more and about 4 GiB of memory, so it is run
// by hand.
TEST(HostileInput, LinesAreCountedPastTwoBillion)
{
    const std::uint64_t n = HostileBytes();
    if (n <= (std::uint64_t(1) << 31))
        GTEST_SKIP() << "run with ZUNINFO_HOSTILE_MIB=2049 or more";
    ResetProgramState();
    NoWindow window;
    GeneratedFiles files({"1 ", '\n', n, "\r\nx Bad\r\n"});

    std::string message;
    try {
        LoadNameLists(window, files);
    } catch (const Exception& error) {
        message = error.what();
    }
    EXPECT_EQ(message, "mons.txt, line " + std::to_string(n + 2) + ": 'x' is not a valid integer value");
    EXPECT_EQ(SkinNames[1].size(), n);
    ResetProgramState();
}

} // namespace
