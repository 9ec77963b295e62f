// zuninfo-check: checks the viewer's data files (see --help).
#include "check/CheckCommand.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    try {
        return zuninfo::RunCheckCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    } catch (const std::exception& error) {
        // Memory running out while a huge name is held, say: the check is
        // incomplete, and the viewer would fail on the same file.
        std::cerr << "zuninfo-check: the check could not be completed: " << error.what() << '\n';
        return 1;
    }
}
