#include "check/CheckCommand.h"

#include "check/ReportWriters.h"
#include "tools/CommandLine.h"
#include "tools/DataFiles.h"

#include <optional>
#include <stdexcept>

namespace zuninfo {

namespace {

constexpr const char* kHelp = R"(Usage: zuninfo-check [OPTION...] [--] [FILE...]

Checks the data files of ZunInfo Viewer for what the viewer would silently
skip, stop at, or show empty, and says where, as compilers do.

With no FILE it checks what the viewer reads, found as the viewer finds it:
mons.txt, skills.txt and attacks.txt in the current folder, then the monster
file C:\projects\bin\Data\Zun\zuninfo.qdf (elsewhere than on Windows, drive
C: is ~/.wine/drive_c and each backslash a '/'). Where no file or folder of
exactly that name exists, one whose name differs only in ASCII case is read.

Otherwise it checks each FILE named, at its path as it stands: no drive
mapped, no backslash turned into '/', no other case tried. mons.txt,
skills.txt and attacks.txt are known by their names (ASCII case ignored);
any other file is a monster file.

Each finding is one line:
  FILE:LINE:COLUMN: error: MESSAGE    the viewer would lose data or stop
  FILE:LINE:COLUMN: warning: MESSAGE  the viewer reads it, but shows it empty
                                      or other than meant
  FILE: error: MESSAGE                about the file as a whole
Lines are counted by LF bytes, from 1. A few findings of each kind are
listed per file and the rest counted. A summary line ends the report.

Options:
  --format=FORMAT  the report as text (the default), json (one JSON object)
                   or sarif (a SARIF 2.1.0 log, for code-scanning tools)
  --json           the same as --format=json
  --columns=UNIT   how text and json count columns, from 1:
                     bytes    each byte one (the default; as Clang and Vim)
                     display  each UTF-8 character one, a tab on to the
                              next multiple of 8 (as GCC and Emacs)
                   sarif counts each UTF-8 character one, as SARIF's
                   columnKind "unicodeCodePoints" says.
  -h, --help       this text
  --version        the name and version of the program
  --               every argument after it is a FILE, even one that starts
                   with '-'

Exit status: 0 when nothing would be lost or stop the viewer (warnings at
most), 1 when something would, 2 for a usage error. Nothing is written to
any file.
)";

constexpr std::array<Option, 5> kOptions{{
    {"json", 0, false},
    {"format", 0, true},
    {"columns", 0, true},
    {"help", 'h', false},
    {"version", 0, false},
}};

enum class Format { Text, Json, Sarif };

} // namespace

int RunCheckCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    constexpr std::string_view kTool = "zuninfo-check";
    Format format = Format::Text;
    std::optional<ColumnUnit> columns;
    DataFiles files;
    try {
        const Arguments parsed = ParseArguments(arguments, kOptions);
        if (AnswerHelpOrVersion(parsed, kTool, kHelp, out))
            return 0;
        if (parsed.Has("json"))
            format = Format::Json;
        if (const auto value = parsed.options.find("format"); value != parsed.options.end()) {
            if (value->second == "text")
                format = Format::Text;
            else if (value->second == "json")
                format = Format::Json;
            else if (value->second == "sarif")
                format = Format::Sarif;
            else
                throw std::invalid_argument("unknown format '" + value->second + "' (text, json or sarif)");
        }
        if (const auto unit = parsed.options.find("columns"); unit != parsed.options.end()) {
            if (unit->second == "bytes")
                columns = ColumnUnit::Bytes;
            else if (unit->second == "display")
                columns = ColumnUnit::Display;
            else
                throw std::invalid_argument("unknown column unit '" + unit->second + "' (bytes or display)");
        }
        if (format == Format::Sarif && columns)
            throw std::invalid_argument("--columns is for text and json: SARIF counts columns in characters");
        files = parsed.operands.empty() ? ViewerDataFiles() : NamedDataFiles(parsed.operands);
    } catch (const std::invalid_argument& error) {
        return UsageError(err, kTool, error.what());
    }

    const Report report
        = CheckDataFiles(files, format == Format::Sarif ? ColumnUnit::Characters : columns.value_or(ColumnUnit::Bytes));
    switch (format) {
    case Format::Text: WriteText(report, out); break;
    case Format::Json: WriteJson(report, out); break;
    case Format::Sarif: WriteSarif(report, out); break;
    }
    return report.ExitCode();
}

} // namespace zuninfo
