#include "data/FileFinding.h"

#include "data/MonsterInfo.h"
#include "platform/FileAccess.h"

#include <vector>

namespace zuninfo {

void RequireListsFolder(const std::string& folder)
{
    if (!IsFolder(folder))
        throw UsageProblem("--lists: there is no folder '" + folder + "'");
}

std::optional<NameList> ListOfFileName(std::string_view name)
{
    for (const NameList list : kNameLists) {
        if (name == NameListFileName(list))
            return list;
    }
    return std::nullopt;
}

std::FILE* OpenNameList(NameList list, const std::optional<std::string>& listsFolder,
                        std::span<const std::string> monsterFiles, std::string& path)
{
    const std::string name = NameListFileName(list);
    std::vector<std::string> places{listsFolder ? FileInFolder(*listsFolder, name) : ProgramFilePath(name)};
    for (const std::string& monsterFile : listsFolder ? std::span<const std::string>() : monsterFiles) {
        // A monster file named without a folder lies in the current one.
        const std::string folder = FolderOf(monsterFile);
        if (!folder.empty())
            places.push_back(FileInFolder(folder, name));
    }
    for (const std::string& place : places) {
        if (std::FILE* file = OpenNamedFile(place)) {
            path = place;
            return file;
        }
    }
    path = places.front();
    return nullptr;
}

std::string NameListPath(NameList list, const std::optional<std::string>& listsFolder,
                         std::span<const std::string> monsterFiles)
{
    std::string path;
    if (std::FILE* file = OpenNameList(list, listsFolder, monsterFiles, path))
        std::fclose(file);
    return path;
}

std::string FixedMonsterFilePath()
{
    return ProgramFilePath(MonsterInfoPath(0));
}

} // namespace zuninfo
