// The round trip over random monster files: what zuninfo-export writes,
// zuninfo-import writes back byte for byte. ZUNINFO_ROUND_TRIP_SEED sets the
// seed ("fresh": a new one each run, printed on failure), and
// ZUNINFO_ROUND_TRIP_FILES how many files (200 by default).
#include "export/ExportCommand.h"
#include "import/ImportCommand.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/ProgramState.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

using namespace zuninfo;
namespace fs = std::filesystem;

namespace {

class RandomFiles {
public:
    explicit RandomFiles(std::uint32_t seed) : random_(seed) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool OneIn(int n) { return Below(n) == 0; }

    // Names that need quoting, escaping or the formula guard, some not UTF-8.
    std::string Name()
    {
        static const char* const kPieces[] = {"Orc", "Goblin", " ", "Chief", ",", "\"", "'", "=", "-", "+", "@", "\t",
                                              ":", "\xC3\x89", "\\", "x", "\xE9", "\n"};
        std::string name;
        for (int i = Below(5); i > 0; --i)
            name += kPieces[Below(OneIn(3) ? 18 : 16)];
        return name;
    }

    std::string List(int size)
    {
        std::string list;
        for (int line = Below(size + 10); line > 0; --line)
            list += std::to_string(OneIn(20) ? size + Below(5) : Below(size)) + (OneIn(2) ? " " : ":") + Name() + "\r\n";
        return list;
    }

    std::string Number(std::int32_t value)
    {
        std::string digits = std::to_string(value);
        if (value >= 0 && OneIn(6))
            digits.insert(0, "+");
        if (OneIn(6))
            digits.insert(digits[0] == '-' || digits[0] == '+' ? 1 : 0, std::string(Below(3) + 1, '0'));
        return digits;
    }

    std::int32_t Value(int field)
    {
        static const int kIdTables[] = {0, 104, 0, 0, 0, 0, 0, 0, 95, 95, 382, 382};
        if (field == 0)
            return uniqueIndexes_ ? nextIndex_ += 1 + Below(3) : Below(4);
        if (field < 12 && kIdTables[field] != 0 && !OneIn(10))
            return Below(kIdTables[field]);
        switch (Below(5)) {
        case 0: return INT32_MIN + Below(2);
        case 1: return INT32_MAX - Below(2);
        case 2: return -Below(100);
        default: return Below(100000);
        }
    }

    std::string Gap() { return std::string(Below(2) + 1, OneIn(2) ? ' ' : '\t') + (OneIn(4) ? "\t " : ""); }

    // Text of a comment (`cr`: with CRs in it, which a comment runs over),
    // or of a record's trailing text.
    std::string Text(bool cr)
    {
        static const char* const kPieces[] = {"Orc", " ", "\t", ";", "\xC3\x89", ",", "\r"};
        std::string text;
        for (int i = Below(4); i > 0; --i)
            text += kPieces[Below(cr ? 7 : 6)];
        return text;
    }

    // Comments, blank lines, records with every way of writing a number
    // and of spacing it, trailing text, the last line with or without CR LF.
    std::string MonsterFile(bool uniqueIndexes)
    {
        uniqueIndexes_ = uniqueIndexes;
        nextIndex_ = Below(10) - 5;
        std::string file;
        for (int line = Below(OneIn(50) ? 520 : 40); line > 0; --line) {
            if (OneIn(6)) {
                file += ";" + Text(true) + (OneIn(3) ? "\n" : "\r\n");
            } else if (OneIn(8)) {
                file += "\r\n";
            } else if (records_++ < 500) {
                for (int field = 0; field < 23; ++field)
                    file += (field ? Gap() : "") + Number(Value(field));
                file += (OneIn(2) ? Gap() + Text(false) : "") + "\r\n";
            }
        }
        records_ = 0;
        if (!file.empty() && OneIn(3))
            file.resize(file.size() - 2);
        return file;
    }

private:
    std::mt19937 random_;
    bool uniqueIndexes_ = true;
    std::int32_t nextIndex_ = 0;
    int records_ = 0;
};

// zuninfo-import of what zuninfo-export writes gives the monster file back,
// byte for byte: JSON (read from standard input) for every file the viewer
// reads whole, and CSV and TSV where each Index stands once.
TEST(ImportRoundTrip, ExportedRecordsComeBackByteForByte)
{
    const char* seedText = std::getenv("ZUNINFO_ROUND_TRIP_SEED");
    const std::uint32_t seed = seedText == nullptr               ? 1
                               : std::string(seedText) == "fresh" ? std::random_device()()
                                                                  : static_cast<std::uint32_t>(std::stoul(seedText));
    const char* filesText = std::getenv("ZUNINFO_ROUND_TRIP_FILES");
    const int files = filesText != nullptr ? std::stoi(filesText) : 200;
    RandomFiles random(seed);
    FileSandbox sandbox;
    for (int n = 0; n < files; ++n) {
        const bool uniqueIndexes = !random.OneIn(4);
        const std::string lists[] = {random.List(104), random.List(382), random.List(95)};
        const std::string qdf = random.MonsterFile(uniqueIndexes);
        FileSandbox::Write(sandbox.Folder() / "mons.txt", lists[0]);
        FileSandbox::Write(sandbox.Folder() / "skills.txt", lists[1]);
        FileSandbox::Write(sandbox.Folder() / "attacks.txt", lists[2]);
        FileSandbox::Write(sandbox.Folder() / "f.qdf", qdf);
        for (const char* format : {"json", "csv", "tsv"}) {
            if (!uniqueIndexes && std::string(format) != "json")
                continue;
            ResetProgramState();
            std::ostringstream exported, err;
            RunExportCommand({"--format", format, "f.qdf"}, exported, err);
            ResetProgramState();
            std::istringstream in(exported.str());
            std::streambuf* standardInput = std::cin.rdbuf(in.rdbuf());
            std::ostringstream out;
            fs::remove(sandbox.Folder() / "g.qdf");
            const int code = RunImportCommand({"--format", format, "-o", "g.qdf", "-", "f.qdf"}, out, err);
            std::cin.rdbuf(standardInput);
            if (code != 0 || FileSandbox::Read(sandbox.Folder() / "g.qdf") != qdf) {
                ADD_FAILURE() << "seed " << seed << ", file " << n << ", " << format << ": exit code " << code << "\n"
                              << err.str() << "f.qdf: " << ::testing::PrintToString(qdf)
                              << "\nmons.txt: " << ::testing::PrintToString(lists[0]);
                ResetProgramState();
                return;
            }
        }
    }
    ResetProgramState();
}

} // namespace
