#pragma once

namespace zuninfo {

// What a tool's exit code says, the same in every tool.
enum ExitCode : int {
    kExitDone = 0,    // as asked, and nothing found
    kExitFinding = 1, // a finding: data the viewer would lose, records that differ
    kExitTrouble = 2, // a usage error, a file named that cannot be read, an output that cannot be
                      // written, memory running out
};

} // namespace zuninfo
