#include "tests/support/ViewerSandbox.h"

#include "tests/support/ProgramState.h"

ViewerSandbox::ViewerSandbox()
{
    ResetProgramState();
}

ViewerSandbox::~ViewerSandbox()
{
    ResetProgramState();
}

void ViewerSandbox::WriteList(const std::string& name, const std::string& bytes) const
{
    FileSandbox::Write(Folder() / name, bytes);
}

void ViewerSandbox::WriteSampleLists() const
{
    WriteList("mons.txt", "0 Blob\r\n3 Orc Chief\r\n1 Goblin\r\n2 Goblin\r\n");
    WriteList("skills.txt", "0 Rest\r\n10 Fire Bolt\r\n11 Heal\r\n");
    WriteList("attacks.txt", "0 Tap\r\n8 Club Swing\r\n9 Bite\r\n");
}

void ViewerSandbox::WriteMonsterInfo(const std::string& bytes) const
{
    FileSandbox::Write(files_.MonsterInfoFile(), bytes);
}
