// Odd things at the places where the program reads its files, through the
// real file system: folders, links, devices, named pipes, unreadable files,
// and files that come and go between or during Loads.
#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "platform/PathMapping.h"
#include "tests/support/ProgramState.h"
#include "tests/support/FileSandbox.h"
#include "tests/support/RecordingFake.h"
#include "viewer/RecordBrowser.h"
#include "viewer/ViewerFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

using namespace zuninfo;

namespace {

const std::string kThreeRecords = NumberedRecord(0) + NumberedRecord(1) + NumberedRecord(2);
const std::vector<std::string> kNotFound = {"ShowMessage File not found"};

class OddFilesTest : public ::testing::Test {
protected:
    void SetUp() override { ResetProgramState(); }
    void TearDown() override { ResetProgramState(); }

    // The window; its in-memory files are not used here.
    RecordingFake window;
    FileSandbox sandbox;
};

#ifndef _WIN32
// Runs `load` while another thread keeps trying to open the named pipe's
// writing end without blocking, which succeeds only while a reader has the
// pipe open. So a loader that opened the pipe is let through (it then reads
// an empty stream) instead of hanging the test, and is caught.
bool OpenedWhileRunning(const fs::path& fifo, const std::function<void()>& load)
{
    std::atomic<bool> finished = false;
    std::atomic<bool> readerSeen = false;
    std::thread unblocker([&] {
        while (!finished) {
            const int fd = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                readerSeen = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    load();
    finished = true;
    unblocker.join();
    return readerSeen;
}
#endif

struct MonsterPlaceCase {
    const char* what;
    std::function<void(const FileSandbox&)> make;
    bool loads; // false: "File not found"
};

TEST_F(OddFilesTest, WhatIsAtTheMonsterFilePlace)
{
    const MonsterPlaceCase cases[] = {
        {"a regular file", [](const FileSandbox& s) { FileSandbox::Write(s.MonsterInfoFile(), kThreeRecords); }, true},
        {"a folder", [](const FileSandbox& s) { fs::create_directories(s.MonsterInfoFile()); }, false},
        {"a file where a folder on the way should be",
         [](const FileSandbox& s) { FileSandbox::Write(s.MonsterInfoFile().parent_path(), kThreeRecords); }, false},
        {"nothing at all", [](const FileSandbox&) {}, false},
#ifndef _WIN32 // links, and devices in the file system
        {"a link to the file (followed)",
         [](const FileSandbox& s) {
             const fs::path target = FileSandbox::Write(s.Home() / "elsewhere/monsters.qdf", kThreeRecords);
             fs::create_directories(s.MonsterInfoFile().parent_path());
             fs::create_symlink(target, s.MonsterInfoFile());
         },
         true},
        {"a relative link to a link to the file",
         [](const FileSandbox& s) {
             const fs::path place = s.MonsterInfoFile();
             FileSandbox::Write(place.parent_path() / "real.qdf", kThreeRecords);
             fs::create_symlink("real.qdf", place.parent_path() / "hop.qdf");
             fs::create_symlink("hop.qdf", place);
         },
         true},
        {"a link to a folder on the way",
         [](const FileSandbox& s) {
             FileSandbox::Write(s.Home() / "zun-data/zuninfo.qdf", kThreeRecords);
             fs::create_directories(s.MonsterInfoFile().parent_path().parent_path());
             fs::create_directory_symlink(s.Home() / "zun-data", s.MonsterInfoFile().parent_path());
         },
         true},
        {"a dangling link",
         [](const FileSandbox& s) {
             fs::create_directories(s.MonsterInfoFile().parent_path());
             fs::create_symlink(s.Home() / "gone.qdf", s.MonsterInfoFile());
         },
         false},
        // (/dev/zero, which never ends, is turned away the same way; a
        // loader that opened it would not come back, so the test uses one
        // that ends.)
        {"a link to a character device",
         [](const FileSandbox& s) {
             fs::create_directories(s.MonsterInfoFile().parent_path());
             fs::create_symlink("/dev/null", s.MonsterInfoFile());
         },
         false},
#endif
    };
    for (const MonsterPlaceCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        window = RecordingFake();
        fs::remove_all(sandbox.MonsterInfoFile().parent_path());
        fs::remove_all(sandbox.Home() / "elsewhere");
        fs::remove_all(sandbox.Home() / "zun-data");
        c.make(sandbox);

        // The same place as the fixed path and as a path named on the
        // command line: the same rules.
        ViewerFiles named({sandbox.MonsterInfoFile().string(), std::nullopt, {}});
        for (FileAccess* files : {&SystemFiles(), static_cast<FileAccess*>(&named)}) {
            ResetProgramState();
            window = RecordingFake();
            LoadAndShow(window, *files);
            if (c.loads) {
                EXPECT_TRUE(window.CallsStartingWith("ShowMessage").empty());
                EXPECT_EQ(LastIndex, 2);
                EXPECT_EQ(window.texts["Label24"], "Item 0 of 2");
            } else {
                EXPECT_EQ(window.CallsStartingWith("ShowMessage"), kNotFound);
                EXPECT_EQ(LastIndex, 0);
                EXPECT_EQ(OpenAttempt, 500);
                EXPECT_TRUE(window.CallsStartingWith("SetCursor").empty());
            }
        }
    }
}

#ifndef _WIN32
TEST_F(OddFilesTest, ANamedPipeAtTheMonsterFilePlaceIsNotFoundAndNotWaitedOn)
{
    const fs::path place = sandbox.MonsterInfoFile();
    fs::create_directories(place.parent_path());
    ASSERT_EQ(::mkfifo(place.c_str(), 0600), 0);

    ViewerFiles named({place.string(), std::nullopt, {}});
    for (FileAccess* files : {&SystemFiles(), static_cast<FileAccess*>(&named)}) {
        window = RecordingFake();
        bool loaded = true;
        EXPECT_FALSE(OpenedWhileRunning(place, [&] { loaded = LoadMonsterInfo(window, *files); }));
        EXPECT_FALSE(loaded);
        EXPECT_EQ(window.CallsStartingWith("ShowMessage"), kNotFound);
    }
}
#endif

struct ListPlaceCase {
    const char* what;
    std::function<void(const FileSandbox&)> make;
    std::vector<std::string> messages;
    std::vector<std::string> skinItems; // ComboBox1
    bool skillsRead;
};

TEST_F(OddFilesTest, WhatIsAtTheNameListPlaces)
{
    const auto writeAll = [](const FileSandbox& s) {
        FileSandbox::Write(s.Folder() / "mons.txt", "1 Bat\r\n");
        FileSandbox::Write(s.Folder() / "skills.txt", "1 Heal\r\n");
        FileSandbox::Write(s.Folder() / "attacks.txt", "1 Bite\r\n");
    };
    const ListPlaceCase cases[] = {
        {"three regular files", writeAll, {}, {"Bat"}, true},
        {"mons.txt is a folder",
         [&](const FileSandbox& s) {
             writeAll(s);
             fs::remove(s.Folder() / "mons.txt");
             fs::create_directory(s.Folder() / "mons.txt");
         },
         kNotFound, {}, false},
#ifndef _WIN32 // links, and devices in the file system
        {"mons.txt is a link to a file elsewhere (followed)",
         [&](const FileSandbox& s) {
             writeAll(s);
             fs::remove(s.Folder() / "mons.txt");
             FileSandbox::Write(s.Home() / "lists/skins.txt", "7 Imp\r\n");
             fs::create_symlink(s.Home() / "lists/skins.txt", s.Folder() / "mons.txt");
         },
         {}, {"Imp"}, true},
        {"skills.txt is a dangling link",
         [&](const FileSandbox& s) {
             writeAll(s);
             fs::remove(s.Folder() / "skills.txt");
             fs::create_symlink("no-such-file", s.Folder() / "skills.txt");
         },
         kNotFound, {"Bat"}, false},
        {"skills.txt is a link to a character device",
         [&](const FileSandbox& s) {
             writeAll(s);
             fs::remove(s.Folder() / "skills.txt");
             fs::create_symlink("/dev/null", s.Folder() / "skills.txt");
         },
         kNotFound, {"Bat"}, false},
#endif
    };
    for (const ListPlaceCase& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        window = RecordingFake();
        for (const fs::directory_entry& entry : fs::directory_iterator(sandbox.Folder()))
            fs::remove_all(entry.path());
        fs::remove_all(sandbox.Home() / "lists");
        c.make(sandbox);

        LoadNameLists(window, SystemFiles());
        EXPECT_EQ(window.CallsStartingWith("ShowMessage"), c.messages);
        EXPECT_EQ(window.items["ComboBox1"], c.skinItems);
        EXPECT_EQ(SkillNames[1], c.skillsRead ? "Heal" : "");
        EXPECT_EQ(window.CallsStartingWith("BeginUpdate").size(), window.CallsStartingWith("EndUpdate").size());
    }
}

#ifndef _WIN32
TEST_F(OddFilesTest, ANamedPipeAsANameListIsNotFoundAndNotWaitedOn)
{
    ASSERT_EQ(::mkfifo((sandbox.Folder() / "mons.txt").c_str(), 0600), 0);
    EXPECT_FALSE(OpenedWhileRunning(sandbox.Folder() / "mons.txt", [&] { LoadNameLists(window, SystemFiles()); }));
    EXPECT_EQ(window.CallsStartingWith("ShowMessage"), kNotFound);
    EXPECT_EQ(window.CallsStartingWith("BeginUpdate"), std::vector<std::string>{});
}

TEST_F(OddFilesTest, FilesWithoutReadPermissionAreNotFound)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads files whatever their permission bits; run this test as another user";

    FileSandbox::Write(sandbox.MonsterInfoFile(), kThreeRecords);
    fs::permissions(sandbox.MonsterInfoFile(), fs::perms::none);
    EXPECT_FALSE(LoadMonsterInfo(window, SystemFiles()));
    EXPECT_EQ(window.CallsStartingWith("ShowMessage"), kNotFound);
    ViewerFiles named({sandbox.MonsterInfoFile().string(), std::nullopt, {}});
    EXPECT_FALSE(LoadMonsterInfo(window, named));

    // A folder on the way that cannot be searched.
    fs::permissions(sandbox.MonsterInfoFile(), fs::perms::owner_read);
    fs::permissions(sandbox.MonsterInfoFile().parent_path(), fs::perms::none);
    window = RecordingFake();
    EXPECT_FALSE(LoadMonsterInfo(window, SystemFiles()));
    EXPECT_EQ(window.CallsStartingWith("ShowMessage"), kNotFound);
    fs::permissions(sandbox.MonsterInfoFile().parent_path(), fs::perms::owner_all);

    window = RecordingFake();
    FileSandbox::Write(sandbox.Folder() / "mons.txt", "1 Bat\r\n");
    fs::permissions(sandbox.Folder() / "mons.txt", fs::perms::none);
    LoadNameLists(window, SystemFiles());
    EXPECT_EQ(window.CallsStartingWith("ShowMessage"), kNotFound);
    EXPECT_EQ(window.CallsStartingWith("BeginUpdate"), std::vector<std::string>{});
}
#endif

// Load is disabled once it has read the file, so "two Loads" means a Load
// that found nothing and a later one; a file that goes after a good Load
// is not read again.
TEST_F(OddFilesTest, AFileThatAppearsAfterAFailedLoadIsReadByTheNext)
{
    EXPECT_FALSE(LoadMonsterInfo(window, SystemFiles()));
    EXPECT_EQ(window.CallsStartingWith("ShowMessage"), kNotFound);

    FileSandbox::Write(sandbox.MonsterInfoFile(), kThreeRecords);
    window = RecordingFake();
    LoadAndShow(window, SystemFiles());
    EXPECT_TRUE(window.CallsStartingWith("ShowMessage").empty());
    EXPECT_EQ(window.texts["Label24"], "Item 0 of 2");
}

TEST_F(OddFilesTest, AFileRemovedAfterALoadIsStillBrowsedFromMemory)
{
    FileSandbox::Write(sandbox.MonsterInfoFile(), kThreeRecords);
    LoadAndShow(window, SystemFiles());
    ASSERT_EQ(LastIndex, 2);
    EXPECT_EQ(window.calls.back(), "SetText Label24 Item 0 of 2");
    EXPECT_EQ(window.CallsStartingWith("SetEnabled"), std::vector<std::string>{"SetEnabled Button1 false"});

    fs::remove(sandbox.MonsterInfoFile());
    ShowNext(window);
    ShowNext(window);
    EXPECT_EQ(window.texts["Edit1"], "2");
    ShowPrevious(window);
    EXPECT_EQ(window.texts["Label24"], "Item 1 of 2");
}

// A file system that does something to the file right after opening it.
class AfterOpen : public FileAccess {
public:
    explicit AfterOpen(std::function<void(const fs::path&)> act) : act_(std::move(act)) {}
    std::FILE* Open(const std::string& path) override
    {
        std::FILE* file = SystemFiles().Open(path);
        if (file != nullptr)
            act_(LocalDataPath(path));
        return file;
    }
    void Close(std::FILE* file) override { SystemFiles().Close(file); }

private:
    std::function<void(const fs::path&)> act_;
};

TEST_F(OddFilesTest, AFileChangedWhileLoadHoldsItOpen)
{
    const struct {
        const char* what;
        std::function<void(const fs::path&)> act;
        std::int32_t lastIndex;
    } cases[] = {
        // The open file stays readable to the end.
        {"removed", [](const fs::path& path) { fs::remove(path); }, 2},
#ifndef _WIN32 // where a removed file keeps its name until it is closed
        {"replaced by another file", [](const fs::path& path) {
             fs::remove(path);
             FileSandbox::Write(path, NumberedRecord(7));
         }, 2},
#endif
        // The load ends where the file now ends, as for any shorter file.
        {"cut to nothing", [](const fs::path& path) { fs::resize_file(path, 0); }, -1},
        {"cut inside the second record", [](const fs::path& path) { fs::resize_file(path, NumberedRecord(0).size() + 5); }, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResetProgramState();
        window = RecordingFake();
        FileSandbox::Write(sandbox.MonsterInfoFile(), kThreeRecords);
        AfterOpen files(c.act);

        EXPECT_TRUE(LoadMonsterInfo(window, files));
        EXPECT_EQ(LastIndex, c.lastIndex);
        EXPECT_EQ(window.calls.back(), "SetEnabled Button1 false");
    }
}

} // namespace
