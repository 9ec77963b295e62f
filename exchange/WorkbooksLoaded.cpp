// The xlsx and ods code in a program that loads it only when it is first
// asked for: the writer from zuninfo-xlsx-writer.so, the readers from
// zuninfo-workbook-reader.so, each beside the program (the build folder) or
// in the folder it is installed in. Until then the program loads neither
// the module nor its libraries, and a reader never loads the writer's.
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

// A module, what it does to them ("writes", "reads"), and whether it holds
// the calls for it.
struct Module {
    const char* name;
    const char* does;
    bool (*holds)(const WorkbookCalls& calls);
};
constexpr Module kWriter{"zuninfo-xlsx-writer.so", "writes",
                         [](const WorkbookCalls& calls) { return calls.writeXlsx != nullptr; }};
constexpr Module kReader{"zuninfo-workbook-reader.so", "reads", [](const WorkbookCalls& calls) {
                             return calls.readXlsx != nullptr && calls.readOds != nullptr;
                         }};

Loaded Load(const Module& module)
{
    const std::string folder = ProgramFolder();
    const std::string places[] = {folder + "/" + module.name,
                                  std::filesystem::path(folder + "/" ZUNINFO_INSTALLED_MODULE_DIR "/" + module.name)
                                      .lexically_normal()
                                      .string()};
    for (const std::string& place : places) {
        if (std::error_code error; !std::filesystem::exists(place, error))
            continue;
        void* loaded = dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (loaded == nullptr) {
            const char* words = dlerror();
            return {nullptr, place + " cannot be loaded: " + (words != nullptr ? words : "")};
        }
        const auto entry = reinterpret_cast<const WorkbookCalls* (*)()>(dlsym(loaded, "zuninfo_workbook_calls"));
        const WorkbookCalls* calls = entry != nullptr ? entry() : nullptr;
        if (calls == nullptr || std::string(calls->build) != kTheseWorkbookCalls.build
            || calls->tableSize != kTheseWorkbookCalls.tableSize || calls->recordSize != kTheseWorkbookCalls.recordSize)
            return {nullptr, place + " is of another build than this program"};
        if (!module.holds(*calls))
            return {nullptr, place + " is not the module that " + module.does + " them"};
        return {calls, {}};
    }
    return {nullptr, std::string(module.name) + ", which " + module.does + " them, is missing beside the program ("
                         + places[0] + ") and in " + places[1]};
}

// What `loaded` holds; throws std::runtime_error with `what` where it holds
// nothing.
const WorkbookCalls& Calls(const Loaded& loaded, const std::string& what)
{
    if (loaded.calls == nullptr)
        throw std::runtime_error("this program cannot " + what + ": " + loaded.why);
    return *loaded.calls;
}

// The writer's calls, loaded the first time.
const WorkbookCalls& WritingCalls()
{
    static const Loaded loaded = Load(kWriter);
    return Calls(loaded, "write xlsx");
}

// The readers' calls, loaded the first time; throws Refusal of the table's
// file where they cannot be.
const WorkbookCalls& ReadingCalls(const EditedTable& table)
{
    static const Loaded loaded = Load(kReader);
    try {
        return Calls(loaded, "read xlsx or ods");
    } catch (const std::runtime_error& error) {
        throw Refusal(table.file, {0, 0}, error.what());
    }
}

} // namespace

// What the modules call of the program's own code, which
// WorkbookModule.symbols shows them: named here, never called, so that a
// program that loads them holds all of it, whatever else it uses.
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
    WritingCalls().writeXlsx(records, out);
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
