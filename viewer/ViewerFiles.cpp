#include "viewer/ViewerFiles.h"

#include "data/MonsterInfo.h"
#include "data/NameLists.h"

#include <utility>

namespace zuninfo {

namespace {

bool IsNameList(const std::string& path)
{
    for (const NameList list : kNameLists) {
        if (path == NameListFileName(list))
            return true;
    }
    return false;
}

} // namespace

ViewerFiles::ViewerFiles(ViewerOptions options) : options_(std::move(options)) {}

std::FILE* ViewerFiles::Open(const std::string& path)
{
    // Every attempt of a Load asks for the same path.
    if (options_.monsterFile && path == MonsterInfoPath(0))
        return OpenNamedFile(*options_.monsterFile);
    if (IsNameList(path)) {
        if (options_.listsFolder)
            return OpenFileInFolder(*options_.listsFolder, path);
        if (std::FILE* file = SystemFiles().Open(path))
            return file;
        if (options_.monsterFile)
            return OpenFileInFolder(FolderOf(*options_.monsterFile), path);
        return nullptr;
    }
    return SystemFiles().Open(path);
}

void ViewerFiles::Close(std::FILE* file)
{
    SystemFiles().Close(file);
}

} // namespace zuninfo
