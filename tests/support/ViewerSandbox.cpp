#include "tests/support/ViewerSandbox.h"

#include "tests/support/ProgramState.h"

#include <fstream>

namespace {

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

ViewerSandbox::ViewerSandbox()
    : previousFolder_(std::filesystem::current_path()), previousHome_(qgetenv("HOME"))
{
    std::filesystem::create_directories(Folder());
    std::filesystem::create_directories(Home());
    std::filesystem::current_path(Folder());
    qputenv("HOME", QByteArray::fromStdString(Home().string()));
    ResetProgramState();
}

ViewerSandbox::~ViewerSandbox()
{
    std::filesystem::current_path(previousFolder_);
    qputenv("HOME", previousHome_);
    ResetProgramState();
}

std::filesystem::path ViewerSandbox::Folder() const
{
    return std::filesystem::path(dir_.path().toStdString()) / "cwd";
}

std::filesystem::path ViewerSandbox::Home() const
{
    return std::filesystem::path(dir_.path().toStdString()) / "home";
}

void ViewerSandbox::WriteList(const std::string& name, const std::string& bytes) const
{
    WriteFile(Folder() / name, bytes);
}

void ViewerSandbox::WriteSampleLists() const
{
    WriteList("mons.txt", "0 Blob\r\n3 Orc Chief\r\n1 Goblin\r\n2 Goblin\r\n");
    WriteList("skills.txt", "0 Rest\r\n10 Fire Bolt\r\n11 Heal\r\n");
    WriteList("attacks.txt", "0 Tap\r\n8 Club Swing\r\n9 Bite\r\n");
}

void ViewerSandbox::WriteMonsterInfo(const std::string& bytes) const
{
    WriteFile(Home() / ".wine/drive_c/projects/bin/Data/Zun/zuninfo.qdf", bytes);
}
