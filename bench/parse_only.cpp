// Loads the monster info file once with no window, the way Load finds and
// opens it (set HOME to the folder that holds .wine/drive_c/...). For
// counting the parse's instructions with callgrind.
#include "platform/NoWindow.h"
#include "data/MonsterInfo.h"

#include <cstdio>

using namespace zuninfo;

int main()
{
    NoWindow window;
    // The overload that does the work (the shorter one hands over to it).
    if (!LoadMonsterInfo(window, SystemFiles(), nullptr, ViewerStore()))
        return 1;
    std::printf("{\"records\": %d}\n", LastIndex + 1);
    return 0;
}
