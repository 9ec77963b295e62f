// zuninfo-export: the records as the viewer shows them, as CSV, TSV or JSON
// (see --help).
#include "export/ExportCommand.h"

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The bytes as they are: CSV's CR LF must not become CR CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    std::ios::sync_with_stdio(false);
    try {
        return zuninfo::RunExportCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "zuninfo-export: the export could not be completed: " << error.what() << '\n';
        return 2;
    }
}
