// zuninfo-check when memory runs out: each allocation of a check fails in
// turn, and the report is still whole, with the check's own error in it.
#include "check/ReportWriters.h"
#include "tests/check/FailingAllocations.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/ProgramState.h"
#include "tools/DataFiles.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <sstream>
#include <string>

using namespace zuninfo;

namespace {

// The check with allocation `failing` failing (0: none); how many
// allocations it made.
long CheckWithFailingAllocation(const DataFiles& files, long failing, Report& report)
{
    ResetProgramState();
    StartCountingAllocations(failing);
    report = CheckDataFiles(files);
    return StopCountingAllocations();
}

TEST(CheckOutOfMemory, EachFailingAllocationEndsTheCheckWithItsOwnErrorInAWholeReport)
{
    FileSandbox sandbox;
    std::string record = "7 1";
    for (int field = 2; field < 23; ++field)
        record += " " + std::to_string(field);
    FileSandbox::Write(sandbox.Folder() / "mons.txt", "0 Goblin\r\n0 Orc Chief\n\r\n5:\r\n");
    FileSandbox::Write(sandbox.Folder() / "zuninfo.qdf", ";\n" + record + "\r\n" + record + " Goblin\n");
    const DataFiles files = NamedDataFiles({"mons.txt", "zuninfo.qdf"});

    Report whole;
    const long needed = CheckWithFailingAllocation(files, 0, whole);
    ASSERT_GT(whole.Findings().size(), 4u);
    for (long failing = 1; failing <= needed; ++failing) {
        SCOPED_TRACE("allocation " + std::to_string(failing) + " of " + std::to_string(needed) + " failing");
        Report report;
        CheckWithFailingAllocation(files, failing, report);
        EXPECT_EQ(report.ExitCode(), 2);
        const std::vector<Finding> findings = report.Findings();
        const auto outOfMemory = std::find_if(findings.begin(), findings.end(),
                                              [](const Finding& f) { return f.kind == FindingKind::OutOfMemory; });
        ASSERT_NE(outOfMemory, findings.end());
        EXPECT_EQ(outOfMemory->file, report.Files().back());

        std::ostringstream json, text;
        WriteJson(report, json);
        const auto parsed = nlohmann::json::parse(json.str(), nullptr, false);
        ASSERT_FALSE(parsed.is_discarded()) << json.str();
        EXPECT_EQ(parsed["findings"][outOfMemory - findings.begin()]["kind"], "out-of-memory");
        EXPECT_EQ(parsed["exit_code"], 2);
        std::ostringstream sarif;
        WriteSarif(report, sarif);
        const auto log = nlohmann::json::parse(sarif.str(), nullptr, false);
        ASSERT_FALSE(log.is_discarded()) << sarif.str();
        EXPECT_EQ(log["runs"][0]["invocations"][0]["executionSuccessful"], false);
        WriteText(report, text);
        EXPECT_NE(text.str().find("the checker ran out of memory"), std::string::npos) << text.str();
    }
    ResetProgramState();
}

} // namespace
