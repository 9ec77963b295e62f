// Fuzz target for zuninfo-check --json. The input holds up to five parts,
// split at the first four 0xFF bytes: mons.txt, skills.txt, attacks.txt,
// the monster file, and the monster file's name (after a 'q', with '/',
// '\\' and NUL made '_', so that it names a file in the folder). A list with
// no part is missing. The files are written to a scratch folder and checked
// by the command as a user runs it, and:
//  - the output is one JSON object that a JSON parser reads, nothing goes
//    to standard error, and the command's exit code is the object's;
//  - it names the four files, each finding's file is one of them, and its
//    counts of errors and warnings are those of its findings, listed or not;
//    the exit code is 2 where a file cannot be read, else 1 for an error.
#include "check/CheckCommand.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/ProgramState.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

using namespace zuninfo;

namespace {

constexpr char kSeparator = '\xFF';
constexpr std::size_t kParts = 5;

// A scratch folder of this process's own, removed when the run ends.
const std::string& ScratchFolder()
{
    static const std::string folder = [] {
        std::string name = (std::filesystem::temp_directory_path() / "zuninfo-check-fuzz.XXXXXX").string();
        FUZZ_CHECK(mkdtemp(name.data()) != nullptr, "no scratch folder");
        return name + "/";
    }();
    static const bool removedAtExit = std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }) == 0;
    (void)removedAtExit;
    return folder;
}

void Write(const std::string& name, std::string_view bytes)
{
    std::ofstream(name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::array<std::optional<std::string_view>, kParts> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i < kParts; ++i) {
        const std::size_t end = i + 1 < kParts ? input.find(kSeparator, start) : input.size();
        parts[i] = input.substr(start, std::min(end, input.size()) - start);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }

    const std::string& folder = ScratchFolder();
    std::vector<std::string> paths = {folder + "mons.txt", folder + "skills.txt", folder + "attacks.txt"};
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (parts[i])
            Write(paths[i], *parts[i]);
        else
            std::filesystem::remove(paths[i]);
    }
    std::string name = "q" + std::string(parts[4].value_or("zuninfo.qdf").substr(0, 200));
    std::replace_if(name.begin(), name.end(), [](char c) { return c == '/' || c == '\\' || c == '\0'; }, '_');
    static std::string monsterFile;
    if (!monsterFile.empty() && monsterFile != folder + name)
        std::filesystem::remove(monsterFile);
    monsterFile = folder + name;
    paths.push_back(monsterFile);
    Write(monsterFile, parts[3].value_or(""));

    ResetProgramState();
    std::vector<std::string> arguments = {"--json"};
    arguments.insert(arguments.end(), paths.begin(), paths.end());
    std::ostringstream out, err;
    const int exitCode = RunCheckCommand(arguments, out, err);

    const nlohmann::json report = nlohmann::json::parse(out.str(), nullptr, false);
    FUZZ_CHECK(!report.is_discarded() && report.is_object(), "the output is no JSON object");
    FUZZ_CHECK(err.str().empty(), "something went to standard error");
    FUZZ_CHECK(report.value("exit_code", -1) == exitCode, "the exit code differs from the output's");
    const nlohmann::json& files = report.at("files");
    FUZZ_CHECK(files.size() == paths.size(), "not every file is named");
    for (std::size_t i = 0; i + 1 < paths.size(); ++i)
        FUZZ_CHECK(files[i] == paths[i], "a list is named other than it was given");

    std::int64_t errors = 0, warnings = 0;
    const auto count = [&](const nlohmann::json& item, std::int64_t n) {
        FUZZ_CHECK(std::find(files.begin(), files.end(), item.at("file")) != files.end(),
                   "a finding names a file that was not checked");
        (item.at("severity") == "error" ? errors : warnings) += n;
    };
    for (const nlohmann::json& finding : report.at("findings"))
        count(finding, 1);
    for (const nlohmann::json& unlisted : report.at("unlisted"))
        count(unlisted, unlisted.at("count").get<std::int64_t>());
    FUZZ_CHECK(report.at("errors") == errors && report.at("warnings") == warnings,
               "the counts differ from the findings'");
    // Every file is named: one that cannot be read is trouble.
    bool unreadable = false;
    for (const nlohmann::json& finding : report.at("findings"))
        unreadable = unreadable || finding.at("kind") == "unreadable" || finding.at("kind") == "out-of-memory";
    FUZZ_CHECK(exitCode == (unreadable ? 2 : errors > 0 ? 1 : 0), "the exit code does not follow the errors");
    return 0;
}
