#pragma once

#include "tests/support/FileSandbox.h"

#include <filesystem>
#include <string>

// A place for one window test: the temporary current and home folders of a
// FileSandbox, with the program's tables and counters as at process start
// while it lives and after it goes.
class ViewerSandbox {
public:
    ViewerSandbox();
    ~ViewerSandbox();
    ViewerSandbox(const ViewerSandbox&) = delete;
    ViewerSandbox& operator=(const ViewerSandbox&) = delete;

    // Writes a file into the current folder.
    void WriteList(const std::string& name, const std::string& bytes) const;
    // Writes three small, valid name lists.
    void WriteSampleLists() const;
    // Writes the monster info file where Load looks for it.
    void WriteMonsterInfo(const std::string& bytes) const;

    std::filesystem::path Folder() const { return files_.Folder(); }
    std::filesystem::path Home() const { return files_.Home(); }
    std::filesystem::path MonsterInfoFile() const { return files_.MonsterInfoFile(); }

private:
    FileSandbox files_;
};
