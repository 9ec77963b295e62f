#include "tests/support/FileSandbox.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

FileSandbox::FileSandbox() : previousFolder_(fs::current_path())
{
    std::string pattern = (fs::temp_directory_path() / "zuninfo-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder from " + pattern);
    root_ = buffer.data();

    if (const char* home = std::getenv("HOME")) {
        hadHome_ = true;
        previousHome_ = home;
    }
    fs::create_directories(Folder());
    fs::create_directories(Home());
    fs::current_path(Folder());
    setenv("HOME", Home().c_str(), 1);
}

FileSandbox::~FileSandbox()
{
    std::error_code ignored;
    fs::current_path(previousFolder_, ignored);
    if (hadHome_)
        setenv("HOME", previousHome_.c_str(), 1);
    else
        unsetenv("HOME");
    // Tests may leave entries without permissions behind.
    for (auto it = fs::recursive_directory_iterator(root_, ignored); !ignored && it != fs::recursive_directory_iterator();
         it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(root_, ignored);
}

fs::path FileSandbox::MonsterInfoFile() const
{
    return Home() / ".wine/drive_c/projects/bin/Data/Zun/zuninfo.qdf";
}

fs::path FileSandbox::Write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}
