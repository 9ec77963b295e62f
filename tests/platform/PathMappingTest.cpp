#include "platform/PathMapping.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

using namespace zuninfo;

namespace {

#ifndef _WIN32

TEST(MapWindowsPath, MapsDrivesAndSeparators)
{
    struct Case {
        const char* windowsPath;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"C:\\projects\\bin\\Data\\Zun\\zuninfo.qdf", "/home/ann",
         "/home/ann/.wine/drive_c/projects/bin/Data/Zun/zuninfo.qdf"},
        {"c:\\a", "/home/ann", "/home/ann/.wine/drive_c/a"},
        {"C:\\a", "/home/ann/", "/home/ann/.wine/drive_c/a"},
        {"C:/a\\b", "/home/ann", "/home/ann/.wine/drive_c/a/b"},
        {"C:a", "/home/ann", "/home/ann/.wine/drive_c/a"},
        {"C:", "/home/ann", "/home/ann/.wine/drive_c"},
        {"D:\\games\\x.txt", "/home/ann", "/home/ann/.wine/dosdevices/d:/games/x.txt"},
        {"z:\\x", "/home/ann", "/home/ann/.wine/dosdevices/z:/x"},
        {"mons.txt", "/home/ann", "mons.txt"},
        {"Data\\Zun\\skills.txt", "/home/ann", "Data/Zun/skills.txt"},
        {"\\top\\x", "/home/ann", "/top/x"},
        {"1:\\x", "/home/ann", "1:/x"},
        {":\\x", "/home/ann", ":/x"},
        {"", "/home/ann", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.windowsPath);
        EXPECT_EQ(MapWindowsPath(c.windowsPath, c.home), c.expected);
    }
}

// Sets or clears an environment variable for one test, restoring it after.
class EnvOverride {
public:
    EnvOverride(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value != nullptr)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~EnvOverride()
    {
        if (old_)
            setenv(name_.c_str(), old_->c_str(), 1);
        else
            unsetenv(name_.c_str());
    }
    EnvOverride(const EnvOverride&) = delete;
    EnvOverride& operator=(const EnvOverride&) = delete;

private:
    std::string name_;
    std::optional<std::string> old_;
};

TEST(HomeFolder, PrefersHomeAndFallsBackToPasswordDatabase)
{
    const passwd* entry = getpwuid(getuid());
    const std::string databaseHome = (entry != nullptr && entry->pw_dir != nullptr) ? entry->pw_dir : "";

    {
        EnvOverride home("HOME", "/home/ann");
        EXPECT_EQ(HomeFolder(), "/home/ann");
    }
    {
        EnvOverride home("HOME", "");
        EXPECT_EQ(HomeFolder(), databaseHome);
    }
    {
        EnvOverride home("HOME", nullptr);
        EXPECT_EQ(HomeFolder(), databaseHome);
    }
}

#endif // _WIN32

// A fresh folder under the system temporary folder, removed with everything
// in it after the test; the current folder is restored as well.
class ResolvePathCaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        static std::atomic<int> counter{0};
        root_ = fs::temp_directory_path()
            / ("zuninfo-pathmapping-" + std::to_string(std::random_device{}()) + "-"
               + std::to_string(counter++));
        fs::remove_all(root_);
        fs::create_directories(root_);
        savedCwd_ = fs::current_path();
    }

    void TearDown() override
    {
        std::error_code ec;
        fs::current_path(savedCwd_, ec);
        for (const fs::path& folder : locked_)
            fs::permissions(folder, fs::perms::owner_all, ec);
        fs::remove_all(root_, ec);
    }

    // Creates an empty file at `relative` under the test folder, with all
    // folders on the way.
    void MakeFile(const fs::path& relative)
    {
        const fs::path full = root_ / relative;
        fs::create_directories(full.parent_path());
        std::ofstream(full).put('x');
    }

    void Lock(const fs::path& folder)
    {
        locked_.push_back(folder);
        fs::permissions(folder, fs::perms::none);
    }

    fs::path root_;
    fs::path savedCwd_;
    std::vector<fs::path> locked_;
};

// Names that differ only in case, which a Windows file system cannot hold
// side by side, and whose lookup it does itself.
#ifndef _WIN32
TEST_F(ResolvePathCaseTest, ResolvesComponentByComponent)
{
    struct Case {
        const char* name;
        std::vector<const char*> files;
        const char* query;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"program path, every level differs",
         {"Projects/BIN/data/ZUN/ZunInfo.QDF"},
         "projects/bin/Data/Zun/zuninfo.qdf",
         "Projects/BIN/data/ZUN/ZunInfo.QDF"},
        {"exact match wins over a case variant",
         {"Data/a", "data/b"}, "data/b", "data/b"},
        {"exact match wins even when it leads nowhere",
         {"Data/a", "data/b"}, "data/a", "data/a"},
        {"several variants: smallest in byte order",
         {"Data/x", "data/x", "dATA/x"}, "DATA/x", "Data/x"},
        {"several file variants",
         {"readme.TXT", "ReadMe.txt", "README.txt"}, "readme.txt", "README.txt"},
        {"missing folder in the middle keeps the rest as given",
         {"Projects/BIN/data/zuninfo.qdf"},
         "projects/missing/Bin/DATA/zuninfo.qdf",
         "Projects/missing/Bin/DATA/zuninfo.qdf"},
        {"missing file at the end",
         {"Projects/x"}, "projects/Y", "Projects/Y"},
        {"bytes of UTF-8 sequences do not fold",
         {"\xC3\x84pfel"}, "\xC3\xA4pfel", "\xC3\xA4pfel"},
        {"punctuation 0x20 apart does not fold",
         {"a[1]@"}, "A{1}`", "A{1}`"},
        {"dot and dot-dot stay",
         {"One/Two/f.txt"}, "one/./two/../TWO/F.TXT", "One/./Two/../Two/f.txt"},
        {"trailing separator stays",
         {"One/Two/f.txt"}, "one/two/", "One/Two/"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        const fs::path base = root_ / std::to_string(i);
        fs::create_directories(base);
        for (const char* file : c.files)
            MakeFile(fs::path(std::to_string(i)) / file);
        EXPECT_EQ(ResolvePathCase(base / c.query), base / c.expected);
    }
}

#endif

TEST_F(ResolvePathCaseTest, ResultExistsOnlyWhenEverythingMatched)
{
    MakeFile("Projects/BIN/data/ZUN/ZunInfo.QDF");
    EXPECT_TRUE(fs::is_regular_file(ResolvePathCase(root_ / "PROJECTS/bin/DATA/zun/zuninfo.qdf")));

    fs::path result;
    EXPECT_NO_THROW(result = ResolvePathCase(root_ / "projects/nothing/data/zuninfo.qdf"));
    EXPECT_FALSE(fs::exists(result));
}

// Links, case variants and permission bits: none of them on Windows.
#ifndef _WIN32
TEST_F(ResolvePathCaseTest, DanglingSymlinkCountsAsExactMatch)
{
    fs::create_directory(root_ / "LINK");
    fs::create_symlink(root_ / "nowhere", root_ / "Link");
    // "LINK" < "Link" in byte order, so only the exact test keeps "Link".
    EXPECT_EQ(ResolvePathCase(root_ / "Link"), root_ / "Link");
    EXPECT_EQ(ResolvePathCase(root_ / "link"), root_ / "LINK");
}

TEST_F(ResolvePathCaseTest, RelativePathIsResolvedFromCurrentFolder)
{
    MakeFile("Projects/BIN/data/ZUN/ZunInfo.QDF");
    MakeFile("Mons.TXT");
    fs::current_path(root_);

    struct Case {
        const char* query;
        const char* expected;
    };
    const Case cases[] = {
        {"mons.txt", "Mons.TXT"},
        {"./mons.txt", "./Mons.TXT"},
        {"projects/bin/Data/Zun/zuninfo.qdf", "Projects/BIN/data/ZUN/ZunInfo.QDF"},
        {"skills.txt", "skills.txt"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.query);
        const fs::path result = ResolvePathCase(c.query);
        EXPECT_EQ(result, fs::path(c.expected));
        EXPECT_TRUE(result.is_relative());
    }
}

TEST_F(ResolvePathCaseTest, UnreadableFolderDoesNotThrow)
{
    MakeFile("Locked/Inner/file.txt");
    Lock(root_ / "Locked");

    fs::path result;
    EXPECT_NO_THROW(result = ResolvePathCase(root_ / "locked/inner/file.txt"));
    if (geteuid() != 0) {
        // The folder itself is found, but nothing inside can be looked at.
        EXPECT_EQ(result, root_ / "Locked/inner/file.txt");
    }
    EXPECT_NO_THROW(ResolvePathCase(root_ / "Locked/Inner/file.txt"));
}

TEST_F(ResolvePathCaseTest, LocalDataPathFindsFileInWineDrive)
{
    MakeFile(".wine/drive_c/Projects/BIN/data/ZUN/ZunInfo.QDF");
    EnvOverride home("HOME", root_.c_str());
    EXPECT_EQ(LocalDataPath("C:\\projects\\bin\\Data\\Zun\\zuninfo.qdf"),
              root_ / ".wine/drive_c/Projects/BIN/data/ZUN/ZunInfo.QDF");
}
#endif

} // namespace
