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
    if (!LoadMonsterInfo(window, SystemFiles()))
        return 1;
    std::printf("{\"records\": %d}\n", LastIndex + 1);
    return 0;
}
