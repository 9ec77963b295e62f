// zuninfo-check: checks the viewer's data files (see --help).
#include "check/CheckCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    return RunCheckCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
