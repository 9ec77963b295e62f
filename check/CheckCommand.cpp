#include "check/CheckCommand.h"

#include "check/ReportWriters.h"
#include "tools/CommandLine.h"
#include "tools/DataFiles.h"

#include <optional>
#include <stdexcept>

namespace zuninfo {

namespace {

constexpr const char* kAbout = R"(
Checks the data files of ZunInfo Viewer for what the viewer would silently
skip, stop at, or show empty, and says where, as compilers do.

)" ;

constexpr const char* kReportHelp = R"(
Each finding is one line:
  FILE:LINE:COLUMN: error: MESSAGE    the viewer would lose data or stop
  FILE:LINE:COLUMN: warning: MESSAGE  the viewer reads it, but shows it empty
                                      or other than meant
  FILE: error: MESSAGE                about the file as a whole
Lines are counted by LF bytes, from 1. A few findings of each kind are
listed per file and the rest counted. A summary line ends the report.
Nothing is written to any file.
)";

enum class Format { Text, Json, Sarif };

constexpr OptionChoice kFormats[] = {
    {"text", "lines as compilers write them (the default)"},
    {"json", "one JSON object"},
    {"sarif", "a SARIF 2.1.0 log, for code-scanning tools"},
};
constexpr OptionChoice kColumnUnits[] = {
    {"bytes", "each byte one (the default; as Clang and Vim)"},
    {"display", "each UTF-8 character one, a tab on to the next multiple of 8 (as GCC and Emacs)"},
};
constexpr Option kOptions[] = {
    {"format", 0, "FORMAT", "the form of the report, one of:", kFormats},
    kJsonOption,
    {"columns", 0, "UNIT",
     "how text and json count columns, from 1 (sarif counts each UTF-8 character one, as SARIF's columnKind "
     "\"unicodeCodePoints\" says):",
     kColumnUnits},
};

constexpr std::string_view kAboutParts[] = {kAbout, kDataFilesHelp, kReportHelp};

const Tool kTool{"zuninfo-check", "[OPTION...] [--] [FILE...]", kAboutParts, kOptions,
                 "0 when nothing would be lost or stop the viewer (warnings at most)", "1 when something would"};

} // namespace

int RunCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    Format format = Format::Text;
    std::optional<ColumnUnit> columns;
    DataFiles files;
    try {
        const ParsedOptions parsed = kTool.Parse(arguments);
        if (kTool.AnsweredHelpOrVersion(parsed, out))
            return kExitDone;
        const std::string formatName = ChosenFormat(parsed, "text");
        format = formatName == "json" ? Format::Json : formatName == "sarif" ? Format::Sarif : Format::Text;
        if (parsed.Has("columns"))
            columns = parsed.Value("columns") == "display" ? ColumnUnit::Display : ColumnUnit::Bytes;
        if (format == Format::Sarif && columns)
            throw UsageProblem("--columns is for text and json: SARIF counts columns in characters");
        files = ToolDataFiles(parsed.operands, parsed.Optional("lists"));
    } catch (const UsageProblem& problem) {
        return kTool.UsageError(err, problem.what());
    }

    const Report report
        = CheckDataFiles(files, {format == Format::Sarif ? ColumnUnit::Characters : columns.value_or(ColumnUnit::Bytes)});
    switch (format) {
    case Format::Text: WriteText(report, out); break;
    case Format::Json: WriteJson(report, out); break;
    case Format::Sarif: WriteSarif(report, out); break;
    }
    return report.ExitCode();
}

} // namespace zuninfo
