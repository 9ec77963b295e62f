#include "viewer/ViewerFiles.h"

#include "data/FileFinding.h"
#include "data/MonsterInfo.h"

#include <utility>

namespace zuninfo {

ViewerFiles::ViewerFiles(ViewerOptions options) : options_(std::move(options)) {}

std::FILE* ViewerFiles::Open(const std::string& path)
{
    // Every attempt of a Load asks for the same path.
    if (options_.monsterFile && path == MonsterInfoPath(0))
        return OpenNamedFile(*options_.monsterFile);
    if (const std::optional<NameList> list = ListOfFileName(path)) {
        std::span<const std::string> monsterFiles;
        if (options_.monsterFile)
            monsterFiles = {&*options_.monsterFile, 1};
        std::string found;
        return OpenNameList(*list, options_.listsFolder, monsterFiles, found);
    }
    return SystemFiles().Open(path);
}

void ViewerFiles::Close(std::FILE* file)
{
    SystemFiles().Close(file);
}

} // namespace zuninfo
