#include "check/ReportWriters.h"
#include "checking/Message.h"
#include "tools/CommandLine.h"
#include "exchange/JsonWriter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace zuninfo {

namespace {

constexpr const char* kSchema = "https://docs.oasis-open.org/sarif/sarif/v2.1.0/errata01/os/schemas/sarif-schema-2.1.0.json";
// The base the files' relative URIs are resolved against: the current folder.
constexpr const char* kBase = "SRCROOT";

// A path as a URI path: '/' between folders, every byte but the unreserved
// ones percent-encoded (so a ':' or '\' in a name stays part of the name).
std::string UriPath(const fs::path& path)
{
    std::string uri;
    for (const char ch : path.generic_string()) {
        const auto byte = static_cast<unsigned char>(ch);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || ch == '-'
            || ch == '.' || ch == '_' || ch == '~' || ch == '/') {
            uri += ch;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            uri += escaped;
        }
    }
    return uri;
}

// An absolute path as a file: URI: "file:///x" (or "file:///C:/x", the
// drive's colon as it stands).
std::string FileUri(const fs::path& absolute)
{
    const std::string path = absolute.generic_string();
    const bool drive = path.size() >= 2 && path[1] == ':'
        && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
    if (drive)
        return "file:///" + path.substr(0, 2) + UriPath(fs::path(path.substr(2)));
    return "file://" + UriPath(absolute);
}

// Where a file lies: relative to the current folder where it lies inside it,
// else as an absolute file: URI.
struct ArtifactLocation {
    std::string uri;
    bool relative;
};

ArtifactLocation LocationOf(const std::string& shownPath, const fs::path& currentFolder)
{
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(shownPath), error).lexically_normal();
    if (error || currentFolder.empty())
        return {UriPath(fs::path(shownPath)), true};
    const fs::path relative = absolute.lexically_relative(currentFolder);
    if (!relative.empty() && *relative.begin() != "..")
        return {UriPath(relative), true};
    return {FileUri(absolute), false};
}

// An artifact's location; `index` into the run's artifacts, when given.
void WriteLocation(JsonWriter& json, const ArtifactLocation& location, std::optional<std::size_t> index)
{
    json.Object().Member("uri", location.uri);
    if (location.relative)
        json.Member("uriBaseId", kBase);
    if (index)
        json.Member("index", static_cast<std::int64_t>(*index));
    json.End();
}

// A result at `line` and `column` of the artifact (none: the file as a
// whole, which has no region).
void WriteResult(JsonWriter& json, FindingKind kind, const std::string& message, const ArtifactLocation& artifact,
                 std::size_t artifactIndex, std::int64_t line, std::int64_t column)
{
    const FindingKindInfo& info = InfoOf(kind);
    json.Object()
        .Member("ruleId", info.name)
        .Member("ruleIndex", static_cast<std::int64_t>(kind))
        .Member("level", SeverityName(info.severity))
        .Key("message").Object().Member("text", message).End()
        .Key("locations").Array().Object()
        .Key("physicalLocation").Object().Key("artifactLocation");
    WriteLocation(json, artifact, artifactIndex);
    if (line != 0)
        json.Key("region").Object().Member("startLine", line).Member("startColumn", column).End();
    json.End().End().End().End();
}

} // namespace

void WriteSarif(const Report& report, std::ostream& out)
{
    using Layout = JsonWriter::Layout;
    std::error_code error;
    fs::path currentFolder = fs::current_path(error);
    if (error)
        currentFolder.clear();

    JsonWriter json(out);
    json.Object(Layout::Lines).Member("$schema", kSchema).Member("version", "2.1.0");
    json.Key("runs").Array(Layout::Lines).Object(Layout::Lines);
    json.Key("tool").Object().Key("driver").Object()
        .Member("name", "zuninfo-check")
        .Member("version", ToolsVersion())
        .Member("semanticVersion", ToolsVersion())
        .Key("rules").Array(Layout::Lines);
    for (const FindingKindInfo& info : kFindingKinds) {
        json.Object()
            .Member("id", info.name)
            .Key("shortDescription").Object().Member("text", info.description).End()
            .Key("defaultConfiguration").Object().Member("level", SeverityName(info.severity)).End()
            .End();
    }
    json.End().End().End().Member("columnKind", "unicodeCodePoints");
    if (!currentFolder.empty()) {
        // A folder's URI ends with '/'.
        std::string folderUri = FileUri(currentFolder);
        if (!folderUri.ends_with('/'))
            folderUri += '/';
        json.Key("originalUriBaseIds").Object().Key(kBase).Object().Member("uri", folderUri).End().End();
    }

    const std::vector<std::string> files = report.Files();
    std::map<std::string, std::size_t> indexOf; // by path
    std::vector<ArtifactLocation> locations;
    json.Key("artifacts").Array(Layout::Lines);
    for (const std::string& file : files) {
        indexOf.try_emplace(file, locations.size());
        locations.push_back(LocationOf(file, currentFolder));
        json.Object().Key("location");
        WriteLocation(json, locations.back(), std::nullopt);
        json.End();
    }
    json.End().Key("results").Array(Layout::Lines);
    const auto artifact = [&](const std::string& path) { return indexOf.at(path); };
    const std::vector<Finding> findings = report.Findings();
    for (const Finding& finding : findings) {
        const std::size_t index = artifact(finding.file);
        WriteResult(json, finding.kind, finding.message, locations[index], index, finding.line, finding.column);
    }
    for (const Report::Unlisted& unlisted : report.UnlistedFindings()) {
        const std::string message
            = FormatMessage(InfoOf(unlisted.kind).more, {{std::to_string(unlisted.count)}}) + " (not listed)";
        const std::size_t index = artifact(unlisted.path);
        WriteResult(json, unlisted.kind, message, locations[index], index, 0, 0);
    }
    // Memory running out leaves the check unfinished.
    const bool finished = std::none_of(findings.begin(), findings.end(),
                                       [](const Finding& f) { return f.kind == FindingKind::OutOfMemory; });
    json.End().Key("invocations").Array().Object()
        .Member("executionSuccessful", finished)
        .Member("exitCode", std::int64_t{report.ExitCode()})
        .End().End();
    json.End().End().End();
    out << '\n';
}

} // namespace zuninfo
