// zuninfo-check: checks the viewer's data files (see --help).
#include "check/CheckCommand.h"
#include "tools/CommandLine.h"

int main(int argc, char** argv)
{
    // An error the check does not expect leaves it incomplete: something
    // the viewer may trip over too.
    return zuninfo::ToolMain(argc, argv, "zuninfo-check", zuninfo::RunCheckCommand, 1);
}
