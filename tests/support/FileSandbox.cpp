#include "tests/support/FileSandbox.h"

#include "data/MonsterInfo.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A new, empty folder of a name nobody else has, under the temporary folder.
fs::path MakeUniqueFolder()
{
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path folder = fs::temp_directory_path() / ("zuninfo-test-" + std::to_string(random()));
        if (fs::create_directory(folder))
            return folder;
    }
    throw std::runtime_error("cannot make a temporary folder under " + fs::temp_directory_path().string());
}

} // namespace

FileSandbox::FileSandbox() : root_(MakeUniqueFolder()), previousFolder_(fs::current_path())
{
    fs::create_directories(Folder());
    fs::create_directories(Home());
    fs::current_path(Folder());
#ifndef _WIN32
    if (const char* home = std::getenv("HOME")) {
        hadHome_ = true;
        previousHome_ = home;
    }
    setenv("HOME", Home().c_str(), 1);
#endif
}

FileSandbox::~FileSandbox()
{
    std::error_code ignored;
    fs::current_path(previousFolder_, ignored);
#ifdef _WIN32
    // The monster info file and the folders on its way that are left empty.
    fs::remove_all(MonsterInfoFile(), ignored);
    for (fs::path folder = MonsterInfoFile().parent_path(); folder != folder.root_path(); folder = folder.parent_path()) {
        if (!fs::remove(folder, ignored))
            break;
    }
#else
    if (hadHome_)
        setenv("HOME", previousHome_.c_str(), 1);
    else
        unsetenv("HOME");
#endif
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
#ifdef _WIN32
    return zuninfo::MonsterInfoPath(0);
#else
    return Home() / ".wine/drive_c/projects/bin/Data/Zun/zuninfo.qdf";
#endif
}

std::string FileSandbox::Read(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

fs::path FileSandbox::Write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}
