#pragma once

#include <filesystem>
#include <string>

// A temporary current folder (where the name lists are read) and a temporary
// home folder (under which Load looks for the monster info file) for tests
// that go through the real file system, without a window toolkit. Both are
// removed, and the previous current folder and HOME put back, when the
// sandbox goes. On Windows, where the monster info file's path is used as it
// stands, Load reads C:\projects\...\zuninfo.qdf itself: the sandbox
// removes that file, and the folders it leaves empty, when it goes. The
// program's tables are left alone: reset them yourself.
// A path as the program takes the paths a user names: UTF-8 on every system.
inline std::string PathText(const std::filesystem::path& path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

class FileSandbox {
public:
    FileSandbox();
    ~FileSandbox();
    FileSandbox(const FileSandbox&) = delete;
    FileSandbox& operator=(const FileSandbox&) = delete;

    std::filesystem::path Folder() const { return root_ / "cwd"; }
    std::filesystem::path Home() const { return root_ / "home"; }
    // Where Load finds the monster info file: under Home(), or on Windows
    // its own path.
    std::filesystem::path MonsterInfoFile() const;

    // Writes a file (creating the folders on the way) and gives its path.
    static std::filesystem::path Write(const std::filesystem::path& path, const std::string& bytes);
    // A file's bytes; empty where there is none.
    static std::string Read(const std::filesystem::path& path);

private:
    std::filesystem::path root_;
    std::filesystem::path previousFolder_;
    std::string previousHome_;
    bool hadHome_ = false;
};
