// The viewer writes a monster file only when the user saves from the table
// window, and never writes anything else; the tools write only what they are
// told to. The real window, on the sample data in a sandbox's current and
// home folders, loads, browses, takes typing and edits in the table that are
// undone or discarded, and each command-line tool runs there, without
// changing a byte or a time stamp of its files and without making any file;
// and the program's sources open files for reading only, but for the one
// file that writes (save/OutputFile.cpp).
#include "tests/support/ModalBoxWatcher.h"
#include "tests/support/ViewerSandbox.h"
#include "viewer/qt/TableWindow.h"
#include "viewer/qt/Unit1.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const fs::path kSourceDir = ZUNINFO_SOURCE_DIR;

std::string ReadAll(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// What a folder holds, entry by entry, links not followed: the kind, the
// modification and status-change times to the nanosecond, and each regular
// file's bytes.
using Snapshot = std::map<std::string, std::string>;

Snapshot Take(const fs::path& root)
{
    Snapshot snapshot;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        struct stat st {};
        EXPECT_EQ(::lstat(entry.path().c_str(), &st), 0) << entry.path();
        std::ostringstream state;
        state << "mode " << std::oct << st.st_mode << std::dec << " size " << st.st_size << " mtime "
              << st.st_mtim.tv_sec << "." << st.st_mtim.tv_nsec << " ctime " << st.st_ctim.tv_sec << "."
              << st.st_ctim.tv_nsec;
        if (S_ISREG(st.st_mode))
            state << " bytes " << ReadAll(entry.path());
        snapshot[fs::relative(entry.path(), root).string()] = state.str();
    }
    return snapshot;
}

// The entries added, removed or changed between two snapshots.
std::vector<std::string> Differences(const Snapshot& before, const Snapshot& after)
{
    std::vector<std::string> differences;
    for (const auto& [path, state] : before) {
        const auto found = after.find(path);
        if (found == after.end())
            differences.push_back("removed " + path);
        else if (found->second != state)
            differences.push_back("changed " + path);
    }
    for (const auto& [path, state] : after) {
        if (!before.contains(path))
            differences.push_back("created " + path);
    }
    return differences;
}

TEST(ReadOnly, LoadingBrowsingAndCheckingTheSampleDataChangesAndCreatesNoFile)
{
    ViewerSandbox sandbox;
    for (const char* list : {"mons.txt", "skills.txt", "attacks.txt"})
        sandbox.WriteList(list, ReadAll(kSourceDir / "examples" / list));
    sandbox.WriteMonsterInfo(ReadAll(kSourceDir / "examples/zuninfo.qdf"));
    // Old time stamps, so that even a rewrite within the file system's clock
    // tick would show.
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(24 * 365 * 10);
    for (const fs::path& root : {sandbox.Folder(), sandbox.Home()}) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
            if (entry.is_regular_file())
                fs::last_write_time(entry.path(), longAgo);
        }
    }
    const Snapshot folderBefore = Take(sandbox.Folder());
    const Snapshot homeBefore = Take(sandbox.Home());
    ASSERT_EQ(folderBefore.size(), 3u);

    {
        ModalBoxWatcher boxes;
        TForm1 form;
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        const auto click = [&](const char* name) {
            QTest::mouseClick(form.findChild<QWidget*>(QString::fromLatin1(name)), Qt::LeftButton);
        };
        click("Button1");
        for (int i = 0; i < 40; ++i)
            click("Button3");
        for (int i = 0; i < 5; ++i)
            click("Button2");
        EXPECT_EQ(form.findChild<QLabel*>("Label24")->text(), "Item 30 of 35");

        // Typing over a field and a combo box, and Enter, store nothing.
        auto* edit = form.findChild<QLineEdit*>("Edit2");
        edit->setFocus();
        QTest::keyClicks(edit, "12345");
        QTest::keyClick(edit, Qt::Key_Return);
        auto* combo = form.findChild<QComboBox*>("ComboBox1");
        combo->setFocus();
        QTest::keyClicks(combo->lineEdit(), "Typed Name");
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
        click("Button3");
        click("Button2");

        EXPECT_TRUE(boxes.texts.isEmpty()) << boxes.texts.join(", ").toStdString();

        // Edits in the table undone, and edits discarded when it closes.
        zuninfo::TableWindow* table = form.ShowTable();
        ASSERT_TRUE(QTest::qWaitForWindowActive(table));
        table->View()->setFocus();
        ASSERT_TRUE(table->Commit(0, 14, "777"));
        QTest::keyClick(table->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
        EXPECT_FALSE(table->isWindowModified());
        ASSERT_TRUE(table->Commit(1, 14, "778"));
        boxes.onBox = [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Discard)->click();
        };
        form.close();
        EXPECT_EQ(boxes.texts.size(), 1);
        QApplication::processEvents();
    }
    // Each command-line tool, with the files it finds by itself or named.
    const QString monsterFile = QString::fromStdString(sandbox.MonsterInfoFile().string());
    for (QStringList run : std::vector<QStringList>{
             {"zuninfo-check"},
             {"zuninfo-check", "--json", "mons.txt", "skills.txt", "attacks.txt", monsterFile},
             {"zuninfo-export"},
             {"zuninfo-export", "--format", "json", "mons.txt", monsterFile},
             {"zuninfo-diff", monsterFile, monsterFile},
             // The export before it, read back without -o.
             {"zuninfo-import", "--format", "json", "-", monsterFile}}) {
        QProcess tool;
        tool.start(QStringLiteral(ZUNINFO_TOOLS_DIR "/") + run.takeFirst(), run);
        if (run.contains("-")) {
            QProcess exported;
            exported.start(QStringLiteral(ZUNINFO_TOOLS_DIR "/zuninfo-export"), {"--json", monsterFile});
            ASSERT_TRUE(exported.waitForFinished(60000));
            tool.write(exported.readAllStandardOutput());
            tool.closeWriteChannel();
        }
        ASSERT_TRUE(tool.waitForFinished(60000));
        EXPECT_EQ(tool.exitCode(), 0) << run.join(' ').toStdString() << tool.readAllStandardError().toStdString();
    }

    EXPECT_EQ(Differences(folderBefore, Take(sandbox.Folder())), std::vector<std::string>{});
    EXPECT_EQ(Differences(homeBefore, Take(sandbox.Home())), std::vector<std::string>{});
}

// The program's sources, as (path relative to the source folder, text).
std::vector<std::pair<std::string, std::string>> ProgramSources()
{
    std::vector<std::pair<std::string, std::string>> sources;
    for (const char* folder :
         {"check", "checking", "data", "diff", "export", "import", "platform", "save", "tools", "viewer"}) {
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(kSourceDir / folder)) {
            const std::string extension = entry.path().extension().string();
            // The one file that writes: what a tool's -o names, what the
            // table window's Save and zuninfo-import's --in-place replace
            // (and their backups), and only that.
            if (entry.path().filename() == "OutputFile.cpp")
                continue;
            if (extension == ".cpp" || extension == ".h")
                sources.emplace_back(fs::relative(entry.path(), kSourceDir).string(), ReadAll(entry.path()));
        }
    }
    return sources;
}

TEST(ReadOnly, TheProgramOpensFilesForReadingOnly)
{
    // A call of the fopen family, up to its closing parenthesis on that line,
    // and its mode.
    const std::regex openCall(R"(\b(_w)?f(re|d)?open\s*\(([^;]*)\))");
    const std::regex readMode(R"(,\s*L?"rb"\s*$)");
    // Other ways to write, make or remove a file.
    const std::regex writing(
        R"((^|[^i<])fstream\b|\bQ(Save|Temporary)?File\b|\bQSettings\b|\bO_(WRONLY|RDWR|CREAT)\b)"
        R"(|\b(fs|filesystem)::(remove|remove_all|rename|copy|copy_file|create_director(y|ies)|create_(hard_|directory_)?symlink|resize_file|permissions)\s*\()"
        R"(|\b(std::)?(remove|rename|unlink|rmdir|mkdir|tmpfile|creat)\s*\()");

    int opens = 0;
    for (const auto& [path, text] : ProgramSources()) {
        SCOPED_TRACE(path);
        std::istringstream lines(text);
        std::string line;
        for (int number = 1; std::getline(lines, line); ++number) {
            const std::string code = line.substr(0, line.find("//"));
            std::smatch call;
            if (std::regex_search(code, call, openCall)) {
                ++opens;
                EXPECT_TRUE(std::regex_search(call[3].str(), readMode)) << "line " << number << ": " << line;
            }
            EXPECT_FALSE(std::regex_search(code, writing)) << "line " << number << ": " << line;
        }
    }
    // The data files' one opening place (platform/FileAccess.cpp).
    EXPECT_GE(opens, 1);
}

} // namespace
