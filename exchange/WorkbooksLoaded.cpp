// The xlsx and ods code in a program that loads it only when it is first
// asked for: from zuninfo-workbooks.so beside the program (the build
// folder), or in the folder it is installed in. Until then the program
// neither loads the module nor its libraries.
#include "checking/ViewerRead.h"
#include "exchange/RecordColumns.h"
#include "exchange/WorkbookCalls.h"
#include "platform/FileAccess.h"
#include "save/NamedPath.h"
#include "save/OutputFile.h"

#include <dlfcn.h>

#include <filesystem>
#include <stdexcept>
#include <string>

namespace zuninfo {

namespace {

constexpr const char* kModule = "zuninfo-workbooks.so";

std::string ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string(".") : program.parent_path().string();
}

struct Loaded {
    const WorkbookCalls* calls = nullptr;
    std::string why;
};

Loaded Load()
{
    const std::string folder = ProgramFolder();
    const std::string places[] = {folder + "/" + kModule,
                                  std::filesystem::path(folder + "/" ZUNINFO_INSTALLED_MODULE_DIR "/" + kModule)
                                      .lexically_normal()
                                      .string()};
    for (const std::string& place : places) {
        if (std::error_code error; !std::filesystem::exists(place, error))
            continue;
        void* module = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            const char* words = dlerror();
            return {nullptr, place + " cannot be loaded: " + (words != nullptr ? words : "")};
        }
        const auto entry = reinterpret_cast<const WorkbookCalls* (*)()>(dlsym(module, "zuninfo_workbook_calls"));
        const WorkbookCalls* calls = entry != nullptr ? entry() : nullptr;
        if (calls == nullptr || std::string(calls->build) != kTheseWorkbookCalls.build
            || calls->tableSize != kTheseWorkbookCalls.tableSize || calls->recordSize != kTheseWorkbookCalls.recordSize)
            return {nullptr, place + " is of another build than this program"};
        return {calls, {}};
    }
    return {nullptr, std::string(kModule) + ", which writes and reads them, is missing beside the program ("
                         + places[0] + ") and in " + places[1]};
}

// The module's calls, loaded the first time; throws std::runtime_error with
// `what` where they cannot be.
const WorkbookCalls& Calls(const std::string& what)
{
    static const Loaded loaded = Load();
    if (loaded.calls == nullptr)
        throw std::runtime_error("this program cannot " + what + ": " + loaded.why);
    return *loaded.calls;
}

const WorkbookCalls& ReadingCalls(const EditedTable& table)
{
    try {
        return Calls("read xlsx or ods");
    } catch (const std::runtime_error& error) {
        throw Refusal(table.file, {0, 0}, error.what());
    }
}

} // namespace

// What the module calls of the program's own code, which
// WorkbookModule.symbols shows it: named here, never called, so that a
// program that loads the module holds all of it, whatever else it uses.
[[gnu::used]] void CalledByTheWorkbookModule(CellRows& rows, EditedTable& table)
{
    OutputFile file(table.file);
    ReadCellRows(rows, table, true);
    ColumnCaption(kRecordColumns[0]);
    ColumnLetters(0);
    NamedPathText(table.file);
    OpenNamedFile(table.file);
    Quoted(table.file);
    NameTable(NameList::Skins);
    ShownName(NameList::Skins, 0);
}

void WriteXlsx(const std::vector<ShownRecord>& records, std::ostream& out)
{
    Calls("write xlsx").writeXlsx(records, out);
}

void ReadXlsxTable(std::string_view bytes, EditedTable& table)
{
    ReadingCalls(table).readXlsx(bytes, table);
}

void ReadOdsTable(std::string_view bytes, EditedTable& table)
{
    ReadingCalls(table).readOds(bytes, table);
}

} // namespace zuninfo
