#include "export/ExportCommand.h"

#include "export/RecordFormats.h"
#include "tools/CommandLine.h"
#include "tools/FindingText.h"
#include "tools/OutputFile.h"
#include "tools/ViewerRead.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>

namespace zuninfo {

namespace {

constexpr std::string_view kTool = "zuninfo-export";

constexpr const char* kHelp = R"(Usage: zuninfo-export [--format csv|tsv|json] [--bom] [-o FILE] [FILE...]

Writes the records of the monster file as ZunInfo Viewer shows them: the
same records, the same values, and for each skin, attack and skill id the
name the viewer shows for it.

With no FILE it reads what the viewer reads: mons.txt, skills.txt and
attacks.txt in the current folder, then the monster file
C:\projects\bin\Data\Zun\zuninfo.qdf (elsewhere than on Windows, drive C:
is ~/.wine/drive_c). Otherwise it reads the FILEs named, as zuninfo-check
does: each at its path as it stands; mons.txt, skills.txt and attacks.txt
known by their names, any other file as the monster file.

Records the viewer does not show are not written. Each place where the
viewer would lose data or stop is said on standard error, in the words of
zuninfo-check.

Options:
  --format csv     (the default) RFC 4180: a header row of the fields'
                   captions, then a row a record; an id field is two columns,
                   "Skin" (the name) and "Skin id"
  --format tsv     the same columns separated by tabs; \\, \t, \r and \n
                   stand for a backslash, tab, CR and LF in a name
  --format json    one array of objects, one a record: "record" (its place in
                   the viewer's store, from 0), "line" (where it starts in the
                   file), then each field by its caption, an id field as
                   {"id": 3, "name": "Orc"}
  --bom            begin csv or tsv with a UTF-8 byte order mark, for
                   spreadsheets that need one to read UTF-8
  -o, --output FILE
                   write to FILE instead of standard output; FILE is replaced
                   only once the export is complete, and never when it is one
                   of the files read
  -h, --help       this text
  --version        the version
  --               the arguments after it are files, also when they begin
                   with '-'

Text is UTF-8. Exit status: 0 when the viewer reads everything, 1 when it
would lose data or stop (when it would show no record, nothing is written),
2 for a usage error, an output that cannot be written, or memory running
out. No file that is read is ever written.
)";

constexpr std::array<Option, 5> kOptions{{
    {"format", 0, true},
    {"bom", 0, false},
    {"output", 'o', true},
    {"help", 'h', false},
    {"version", 0, false},
}};

std::optional<RecordFormat> FormatNamed(std::string_view name)
{
    if (name == "csv")
        return RecordFormat::Csv;
    if (name == "tsv")
        return RecordFormat::Tsv;
    if (name == "json")
        return RecordFormat::Json;
    return std::nullopt;
}

// The files the run reads, as their paths stand.
std::vector<std::string> Inputs(const DataFiles& files)
{
    std::vector<std::string> inputs;
    for (const std::optional<std::string>& list : files.lists) {
        if (list)
            inputs.push_back(*list);
    }
    if (files.monsterInfo)
        inputs.push_back(*files.monsterInfo);
    return inputs;
}

// The input that `output` names too, if any: the same file by whatever path
// or link.
std::optional<std::string> InputAt(const std::string& output, const std::vector<std::string>& inputs)
{
    for (const std::string& input : inputs) {
        std::error_code error;
        if (std::filesystem::equivalent(NamedPath(output), NamedPath(input), error))
            return input;
    }
    return std::nullopt;
}

// Whether the viewer would show the monster file's records: it starts (no
// list's id ends its start-up) and the monster file can be opened.
bool ViewerShowsRecords(const ViewerRead& read, const DataFiles& files)
{
    for (const Finding& finding : read.report.Findings()) {
        if (finding.kind == FindingKind::BadId
            || (finding.kind == FindingKind::Unreadable && files.monsterInfo && finding.file == *files.monsterInfo))
            return false;
    }
    return files.monsterInfo.has_value();
}

void Write(RecordFormat format, bool bom, const std::vector<ShownRecord>& records, std::ostream& out)
{
    if (bom)
        out << "\xEF\xBB\xBF";
    switch (format) {
    case RecordFormat::Csv: WriteCsv(records, out); break;
    case RecordFormat::Tsv: WriteTsv(records, out); break;
    case RecordFormat::Json: WriteJson(records, out); break;
    }
}

} // namespace

int RunExportCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    Arguments parsed;
    DataFiles files;
    try {
        parsed = ParseArguments(arguments, kOptions);
        if (AnswerHelpOrVersion(parsed, kTool, kHelp, out))
            return 0;
        files = parsed.operands.empty() ? ViewerDataFiles() : NamedDataFiles(parsed.operands);
    } catch (const std::invalid_argument& error) {
        return UsageError(err, kTool, error.what());
    }
    const std::optional<RecordFormat> format = FormatNamed(parsed.Has("format") ? parsed.options["format"] : "csv");
    if (!format)
        return UsageError(err, kTool, "no such format '" + parsed.options["format"] + "' (csv, tsv, json)");
    const bool bom = parsed.Has("bom");
    if (bom && *format == RecordFormat::Json)
        return UsageError(err, kTool, "--bom is for csv and tsv; JSON text has no byte order mark");
    const std::optional<std::string> output
        = parsed.Has("output") ? std::optional(parsed.options["output"]) : std::nullopt;
    if (output) {
        if (const std::optional<std::string> input = InputAt(*output, Inputs(files)))
            return UsageError(err, kTool,
                              "'" + *output + "' is " + (*input == *output ? "" : "'" + *input + "', ")
                                  + "a file this run reads; name another");
    }

    const ViewerRead read = ReadAsTheViewer(files);
    for (const Finding& finding : read.report.Findings()) {
        if (InfoOf(finding.kind).severity == Severity::Error)
            err << FindingLine(finding) << '\n';
    }
    const int exitCode = read.report.ExitCode();
    const std::vector<Finding> findings = read.report.Findings();
    if (std::any_of(findings.begin(), findings.end(), [](const Finding& f) { return f.kind == FindingKind::OutOfMemory; }))
        return 2;
    if (!ViewerShowsRecords(read, files))
        return exitCode;

    if (!output) {
        Write(*format, bom, read.records, out);
        out.flush();
        return exitCode;
    }
    try {
        OutputFile file(*output);
        Write(*format, bom, read.records, file.Stream());
        file.Commit();
    } catch (const std::runtime_error& error) {
        err << kTool << ": " << error.what() << '\n';
        return 2;
    }
    return exitCode;
}

} // namespace zuninfo
