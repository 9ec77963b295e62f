// zuninfo-diff: two monster files compared record by record, as the viewer
// reads them (see --help).
#include "diff/DiffCommand.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    try {
        return zuninfo::RunDiffCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "zuninfo-diff: the comparison could not be completed: " << error.what() << '\n';
        return 2;
    }
}
