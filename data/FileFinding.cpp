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

std::string NameListPath(NameList list, const std::optional<std::string>& listsFolder,
                         std::span<const std::string> monsterFiles)
{
    const std::string name = NameListFileName(list);
    if (listsFolder)
        return FileInFolder(*listsFolder, name);
    std::vector<std::string> places{ProgramFilePath(name)};
    for (const std::string& monsterFile : monsterFiles) {
        // A monster file named without a folder lies in the current one.
        const std::string folder = FolderOf(monsterFile);
        if (!folder.empty())
            places.push_back(FileInFolder(folder, name));
    }
    if (places.size() > 1) {
        for (const std::string& place : places) {
            if (std::FILE* file = OpenNamedFile(place)) {
                std::fclose(file);
                return place;
            }
        }
    }
    return places.front();
}

std::string FixedMonsterFilePath()
{
    return ProgramFilePath(MonsterInfoPath(0));
}

} // namespace zuninfo
