#include "check/ReportWriters.h"
#include "tools/CommandLine.h"
#include "tools/JsonText.h"
#include "tools/Message.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
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

// The JSON of an artifact location; `index` into the run's artifacts.
std::string LocationJson(const ArtifactLocation& location, std::size_t index)
{
    std::string json = "{\"uri\": " + JsonString(location.uri);
    if (location.relative)
        json += ", \"uriBaseId\": \"" + std::string(kBase) + "\"";
    return json + ", \"index\": " + std::to_string(index) + "}";
}

void WriteResult(std::ostream& out, FindingKind kind, const std::string& message, const std::string& artifact,
                 std::int64_t line, std::int64_t column)
{
    const auto index = static_cast<std::size_t>(kind);
    out << "        {\"ruleId\": \"" << kFindingKinds[index].name << "\", \"ruleIndex\": " << index
        << ", \"level\": \"" << SeverityName(kFindingKinds[index].severity) << "\", \"message\": {\"text\": "
        << JsonString(message) << "}, \"locations\": [{\"physicalLocation\": {\"artifactLocation\": " << artifact;
    // A finding about the file as a whole has no region.
    if (line != 0)
        out << ", \"region\": {\"startLine\": " << line << ", \"startColumn\": " << column << "}";
    out << "}}]}";
}

} // namespace

void WriteSarif(const Report& report, std::ostream& out)
{
    std::error_code error;
    fs::path currentFolder = fs::current_path(error);
    if (error)
        currentFolder.clear();

    out << "{\n  \"$schema\": \"" << kSchema << "\",\n  \"version\": \"2.1.0\",\n  \"runs\": [\n    {\n"
        << "      \"tool\": {\"driver\": {\"name\": \"zuninfo-check\", \"version\": \"" << ToolsVersion()
        << "\", \"semanticVersion\": \"" << ToolsVersion() << "\", \"rules\": [";
    for (std::size_t kind = 0; kind < kFindingKinds.size(); ++kind) {
        const FindingKindInfo& info = kFindingKinds[kind];
        out << (kind ? "," : "") << "\n        {\"id\": \"" << info.name << "\", \"shortDescription\": {\"text\": "
            << JsonString(info.description) << "}, \"defaultConfiguration\": {\"level\": \""
            << SeverityName(info.severity) << "\"}}";
    }
    out << "\n      ]}},\n      \"columnKind\": \"unicodeCodePoints\",\n";
    if (!currentFolder.empty()) {
        // A folder's URI ends with '/'.
        std::string folderUri = FileUri(currentFolder);
        if (!folderUri.ends_with('/'))
            folderUri += '/';
        out << "      \"originalUriBaseIds\": {\"" << kBase << "\": {\"uri\": " << JsonString(folderUri) << "}},\n";
    }

    const std::vector<std::string> files = report.Files();
    std::map<std::string, std::string> artifactOf; // by path: the JSON of its location
    out << "      \"artifacts\": [";
    for (std::size_t i = 0; i < files.size(); ++i) {
        const ArtifactLocation location = LocationOf(files[i], currentFolder);
        artifactOf[files[i]] = LocationJson(location, i);
        out << (i ? "," : "") << "\n        {\"location\": {\"uri\": " << JsonString(location.uri);
        if (location.relative)
            out << ", \"uriBaseId\": \"" << kBase << "\"";
        out << "}}";
    }
    out << (files.empty() ? "" : "\n      ") << "],\n      \"results\": [";

    const std::vector<Finding> findings = report.Findings();
    const char* separator = "\n";
    for (const Finding& finding : findings) {
        out << separator;
        WriteResult(out, finding.kind, finding.message, artifactOf[finding.file], finding.line, finding.column);
        separator = ",\n";
    }
    for (const Report::Unlisted& unlisted : report.UnlistedFindings()) {
        out << separator;
        const std::string message
            = FormatMessage(InfoOf(unlisted.kind).more, {{std::to_string(unlisted.count)}}) + " (not listed)";
        WriteResult(out, unlisted.kind, message, artifactOf[unlisted.path], 0, 0);
        separator = ",\n";
    }
    // Memory running out leaves the check unfinished.
    const bool finished = std::none_of(findings.begin(), findings.end(),
                                       [](const Finding& f) { return f.kind == FindingKind::OutOfMemory; });
    out << (*separator == ',' ? "\n      " : "") << "],\n      \"invocations\": [{\"executionSuccessful\": "
        << (finished ? "true" : "false") << ", \"exitCode\": " << report.ExitCode() << "}]\n    }\n  ]\n}\n";
}

} // namespace zuninfo
