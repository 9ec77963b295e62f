#include "tools/DataFiles.h"

#include "data/FileFinding.h"
#include "data/MonsterInfo.h"
#include "platform/Ascii.h"
#include "platform/Exception.h"
#include "platform/FileAccess.h"
#include "tools/CommandLine.h"

#include <filesystem>
#include <map>
#include <new>
#include <stdexcept>

namespace zuninfo {


std::vector<std::string> DataFilePaths(const DataFiles& files)
{
    std::vector<std::string> paths;
    for (const std::optional<std::string>& list : files.lists) {
        if (list)
            paths.push_back(*list);
    }
    if (files.monsterInfo)
        paths.push_back(*files.monsterInfo);
    return paths;
}

std::optional<NameList> ListNamedBy(const std::string& path)
{
    const std::filesystem::path name = NamedPath(path).filename();
    for (const NameList list : kNameLists) {
        if (AsciiCaseEqual(name.native(), std::filesystem::path(NameListFileName(list)).native()))
            return list;
    }
    return std::nullopt;
}

DataFiles NamedDataFiles(const std::vector<std::string>& paths)
{
    DataFiles files;
    for (const std::string& path : paths) {
        const std::optional<NameList> list = ListNamedBy(path);
        std::optional<std::string>* slot = list ? &files.lists[static_cast<std::size_t>(*list)] : &files.monsterInfo;
        if (*slot)
            throw UsageProblem("'" + **slot + "' and '" + path + "' are the same kind of file; name one");
        *slot = path;
    }
    return files;
}

void ChooseLists(DataFiles& files, const std::optional<std::string>& listsFolder,
                 std::span<const std::string> monsterFiles)
{
    if (listsFolder)
        RequireListsFolder(*listsFolder);
    for (const std::optional<std::string>& list : files.lists) {
        if (list && listsFolder)
            throw UsageProblem("'" + *list + "' is a name list and --lists names their folder: give one or the other");
        if (list)
            return;
    }
    for (const NameList list : kNameLists) {
        files.lists[static_cast<std::size_t>(list)] = NameListPath(list, listsFolder, monsterFiles);
        files.listFound[static_cast<std::size_t>(list)] = true;
    }
}

DataFiles ViewerDataFiles()
{
    return ToolDataFiles({}, std::nullopt);
}

DataFiles ToolDataFiles(const std::vector<std::string>& named, const std::optional<std::string>& listsFolder)
{
    DataFiles files = NamedDataFiles(named);
    std::vector<std::string> monsterFiles;
    if (files.monsterInfo)
        monsterFiles.push_back(*files.monsterInfo);
    ChooseLists(files, listsFolder, monsterFiles);
    if (named.empty()) {
        files.monsterInfo = FixedMonsterFilePath();
        files.monsterFound = true;
    }
    return files;
}

void RequireNoInput(const std::string& output, const std::vector<std::string>& inputs)
{
    for (const std::string& input : inputs) {
        std::error_code error;
        if (std::filesystem::equivalent(NamedPath(output), NamedPath(input), error))
            throw UsageProblem("'" + output + "' is " + (input == output ? "" : "'" + input + "', ")
                               + "a file this run reads; name another");
    }
}

} // namespace zuninfo
