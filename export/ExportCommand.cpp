#include "export/ExportCommand.h"

#include "checking/ViewerRead.h"
#include "exchange/RecordFormats.h"
#include "platform/Ascii.h"
#include "save/OutputFile.h"
#include "tools/CommandLine.h"
#include "tools/DataFiles.h"
#include "tools/FindingText.h"

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>

namespace zuninfo {

namespace {

constexpr const char* kAbout = R"(
Writes the records of the monster file as ZunInfo Viewer shows them: the
same records, the same values, and for each skin, attack and skill id the
name the viewer shows for it.

)";

constexpr const char* kFormatsHelp = R"(
Records the viewer does not show are not written. Each place where the
viewer would lose data or stop is said on standard error, in the words of
zuninfo-check. Text is UTF-8. No file that is read is ever written.
)";

constexpr OptionChoice kFormats[] = {
    {"csv", "(the default) RFC 4180: a header row of the fields' captions, then a row a record; an id field is two "
            "columns, \"Skin\" (the name) and \"Skin id\""},
    {"tsv", "the same columns separated by tabs; \\\\, \\t, \\r and \\n stand for a backslash, tab, CR and LF in a name"},
    {"xlsx", "(also chosen by an -o FILE that ends in .xlsx) a workbook of the same columns: numbers as number cells, "
             "names as text cells, always, each with a drop-down of its list's names; a bold, frozen header with an "
             "autofilter, each caption with its field's hint as a note"},
    {"json", "one array of objects, one a record: \"record\" (its place in the viewer's store, from 0), \"line\" (where "
             "it starts in the file), then each field by its caption, an id field as {\"id\": 3, \"name\": \"Orc\"}"},
};
constexpr OptionChoice kSeparators[] = {
    {",", "(the default) a comma"},
    {";", "a semicolon, the list separator of spreadsheets in much of Europe and in Russia"},
};
constexpr Option kOptions[] = {
    {"format", 0, "FORMAT", "the form of the records, one of:", kFormats},
    kJsonOption,
    {"separator", 0, "SEP", "what separates the cells of csv, one of:", kSeparators},
    {"bom", 0, nullptr, "begin csv or tsv with a UTF-8 byte order mark, for spreadsheets that need one to read UTF-8"},
    {"no-formula-guard", 0, nullptr,
     "write names as they stand in csv and tsv; without it, a name that begins with =, +, -, @, a tab or CR is "
     "written after a ' so that spreadsheets take it for text, not a formula"},
    {"output", 'o', "FILE",
     "write to FILE instead of standard output; FILE is replaced only once the export is complete, and never "
     "when it is one of the files read"},
};

constexpr std::string_view kAboutParts[] = {kAbout, kDataFilesHelp, kFormatsHelp};

const Tool kTool{"zuninfo-export", "[--format csv|tsv|xlsx|json] [--separator ';'] [--bom] [-o FILE] [FILE...]", kAboutParts, kOptions,
                 "0 when the viewer reads everything",
                 "1 when it would lose data or stop (when it would show no record, nothing is written)"};

// Whether the viewer would show the monster file's records: it starts (no
// list's id ends its start-up) and the monster file can be opened.
bool ViewerShowsRecords(const ViewerRead& read, const DataFiles& files)
{
    for (const Finding& finding : read.report.Findings()) {
        if (EndsStartUp(finding)
            || (finding.kind == FindingKind::Unreadable && files.monsterInfo && finding.file == *files.monsterInfo))
            return false;
    }
    return files.monsterInfo.has_value();
}

} // namespace

int RunExportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    ParsedOptions parsed;
    DataFiles files;
    RecordForm how;
    try {
        parsed = kTool.Parse(arguments);
        if (kTool.AnsweredHelpOrVersion(parsed, out))
            return kExitDone;
        how.format = *FormatNamed(ChosenFormat(parsed, "csv"));
        const std::string output = parsed.Value("output");
        if (!parsed.Has("format") && !parsed.Has("json") && output.size() > 5
            && std::equal(output.end() - 5, output.end(), ".xlsx", [](char a, char b) { return AsciiLower(a) == b; }))
            how.format = RecordFormat::Xlsx;
        if (parsed.Has("bom") && (how.format == RecordFormat::Json || how.format == RecordFormat::Xlsx))
            throw UsageProblem("--bom is for csv and tsv; JSON text and xlsx have no byte order mark");
        if (parsed.Has("separator") && how.format != RecordFormat::Csv)
            throw UsageProblem("--separator is for csv");
        how.separator = parsed.Value("separator", ",").front();
        files = ToolDataFiles(parsed.operands, parsed.Optional("lists"));
        if (const std::optional<std::string> output = parsed.Optional("output"))
            RequireNoInput(*output, DataFilePaths(files));
    } catch (const UsageProblem& problem) {
        return kTool.UsageError(err, problem.what());
    }

    const ViewerRead read = ReadAsTheViewer(files);
    for (const Finding& finding : read.report.Findings()) {
        if (InfoOf(finding.kind).severity == Severity::Error)
            err << FindingLine(finding) << '\n';
    }
    const int exitCode = read.report.ExitCode();
    if (exitCode == kExitTrouble || !ViewerShowsRecords(read, files))
        return exitCode;

    how.bom = parsed.Has("bom");
    how.formulaGuard = !parsed.Has("no-formula-guard");
    const std::optional<std::string> output = parsed.Optional("output");
    if (!output) {
        WriteRecords(how, read.records, out);
        return exitCode;
    }
    try {
        OutputFile file(*output);
        WriteRecords(how, read.records, file.Stream());
        file.Commit();
    } catch (const std::runtime_error& error) {
        err << kTool.name << ": " << error.what() << '\n';
        return kExitTrouble;
    }
    return exitCode;
}

} // namespace zuninfo
