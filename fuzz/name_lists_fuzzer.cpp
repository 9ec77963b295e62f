// Fuzz target for LoadNameLists. The input holds the three lists, split at
// the first two 0xFF bytes: mons.txt, skills.txt, attacks.txt (later 0xFF
// bytes belong to attacks.txt). With fewer than two, the lists that have no
// part are missing. Each run starts with empty tables, loads, and checks:
//  - the window calls, in order, and the tables equal what a whole-buffer
//    reader written here makes of the same bytes; so does the message of a
//    malformed id, and "File not found" for the first missing list;
//  - independently of that reader: every Open that succeeded has its Close
//    and a balanced BeginUpdate/EndUpdate for each of its combo boxes, with
//    Close before the first EndUpdate, and nothing comes after a message;
//  - every stored name lies inside its table and was named by a line of
//    its own list with that id.
#include "data/NameLists.h"
#include "fuzz/FuzzCheck.h"
#include "platform/Exception.h"
#include "tests/support/ProgramState.h"
#include "tests/support/RecordingFake.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using namespace zuninfo;

namespace {

constexpr char kSeparator = '\xFF';

struct ListFile {
    const char* name;
    std::vector<std::string> comboBoxes;
    std::size_t tableSize;
};

const std::array<ListFile, 3> kLists{{
    {"mons.txt", {"ComboBox1"}, 104},
    {"skills.txt", {"ComboBox2", "ComboBox3"}, 382},
    {"attacks.txt", {"ComboBox4", "ComboBox5"}, 95},
}};

struct Expected {
    std::vector<std::string> calls;
    std::array<std::vector<std::string>, 3> tables;
    std::optional<std::string> error; // the Exception's message
};

// One list, read off the whole buffer: from each line's start the id runs
// to the first ' ' or ':' (or the end), which is skipped; the name runs to
// the next CR (or the end); the CR and the byte after it are skipped. The id
// is reported at the line given by the LFs before it. Returns false when a
// bad id ends the load.
bool ReadList(const ListFile& list, std::string_view file, std::vector<std::string>& table, Expected& out)
{
    std::size_t pos = 0;
    while (pos < file.size()) {
        const std::size_t idEnd = std::min(file.find_first_of(" :", pos), file.size());
        const std::string_view id = file.substr(pos, idEnd - pos);
        const std::optional<std::int32_t> value = ReferenceInt(id);
        if (!value) {
            const auto line = 1 + std::count(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(pos), '\n');
            out.error = std::string(list.name) + ", line " + std::to_string(line) + ": " + ReferenceBadTokenMessage(id);
            return false;
        }
        const std::size_t nameStart = std::min(idEnd + 1, file.size());
        const std::size_t nameEnd = std::min(file.find('\r', nameStart), file.size());
        const std::string name(file.substr(nameStart, nameEnd - nameStart));
        for (const std::string& comboBox : list.comboBoxes)
            out.calls.push_back("AddItem " + comboBox + " " + name);
        if (*value >= 0 && static_cast<std::size_t>(*value) < table.size())
            table[static_cast<std::size_t>(*value)] = name;
        pos = nameEnd + 2;
    }
    return true;
}

void ReadReference(const std::array<std::optional<std::string>, 3>& files, Expected& out)
{
    out.calls.clear();
    out.error.reset();
    for (std::size_t i = 0; i < kLists.size(); ++i)
        out.tables[i].assign(kLists[i].tableSize, std::string());
    for (std::size_t i = 0; i < kLists.size(); ++i) {
        const ListFile& list = kLists[i];
        out.calls.push_back(std::string("Open ") + list.name);
        if (!files[i]) {
            out.calls.push_back("ShowMessage File not found");
            return;
        }
        for (const std::string& comboBox : list.comboBoxes)
            out.calls.push_back("BeginUpdate " + comboBox);
        const bool ok = ReadList(list, *files[i], out.tables[i], out);
        out.calls.push_back(std::string("Close ") + list.name);
        for (const std::string& comboBox : list.comboBoxes)
            out.calls.push_back("EndUpdate " + comboBox);
        if (!ok)
            return;
    }
}

// The bracketing rules, checked on the recorded calls alone.
void CheckBrackets(const std::vector<std::string>& calls)
{
    std::size_t i = 0;
    while (i < calls.size()) {
        FUZZ_CHECK(calls[i].starts_with("Open "), "a list's calls do not start with its Open");
        const std::string file = calls[i].substr(5);
        const ListFile* list = nullptr;
        for (const ListFile& candidate : kLists)
            list = candidate.name == file ? &candidate : list;
        FUZZ_CHECK(list != nullptr, "an Open of a file that is no name list");
        ++i;
        if (i < calls.size() && calls[i] == "ShowMessage File not found") {
            FUZZ_CHECK(i + 1 == calls.size(), "calls after the message for a missing list");
            return;
        }
        for (const std::string& comboBox : list->comboBoxes) {
            FUZZ_CHECK(i < calls.size() && calls[i] == "BeginUpdate " + comboBox, "an opened list without BeginUpdate");
            ++i;
        }
        while (i < calls.size() && calls[i].starts_with("AddItem ")) {
            const std::string_view target = std::string_view(calls[i]).substr(8);
            bool own = false;
            for (const std::string& comboBox : list->comboBoxes)
                own = own || (target.starts_with(comboBox) && target.substr(comboBox.size()).starts_with(' '));
            FUZZ_CHECK(own, "an item added to another list's combo box");
            ++i;
        }
        FUZZ_CHECK(i < calls.size() && calls[i] == "Close " + file, "an opened list not closed before EndUpdate");
        ++i;
        for (const std::string& comboBox : list->comboBoxes) {
            FUZZ_CHECK(i < calls.size() && calls[i] == "EndUpdate " + comboBox, "a BeginUpdate without its EndUpdate");
            ++i;
        }
    }
}

// Every name in a table came from a line of the list that gave that id.
void CheckTable(std::span<const std::string> table, const std::optional<std::string>& file)
{
    for (std::size_t id = 0; id < table.size(); ++id) {
        if (table[id].empty())
            continue;
        FUZZ_CHECK(file.has_value(), "a name in the table of a list that is missing");
        FUZZ_CHECK(file->find(table[id]) != std::string::npos, "a stored name that is not in its list");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::array<std::optional<std::string>, 3> files;
    std::size_t start = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const std::size_t end = i + 1 < files.size() ? input.find(kSeparator, start) : input.size();
        files[i] = std::string(input.substr(start, std::min(end, input.size()) - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }

    ResetProgramState();
    RecordingFake fake;
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (files[i])
            fake.files[kLists[i].name] = *files[i];
    }

    std::optional<std::string> error;
    try {
        LoadNameLists(fake, fake);
    } catch (const Exception& exception) {
        error = exception.what();
    }

    CheckBrackets(fake.calls);
    CheckTable(SkinNames, files[0]);
    CheckTable(SkillNames, files[1]);
    CheckTable(AttackNames, files[2]);

    static Expected expected;
    ReadReference(files, expected);
    FUZZ_CHECK(error == expected.error, "the error differs from the reference reader's");
    FUZZ_CHECK(fake.calls == expected.calls, "the window calls differ from the reference reader's");
    const std::array<std::span<const std::string>, 3> tables{SkinNames, SkillNames, AttackNames};
    for (std::size_t i = 0; i < tables.size(); ++i) {
        FUZZ_CHECK(std::equal(tables[i].begin(), tables[i].end(), expected.tables[i].begin(), expected.tables[i].end()),
                   "a table differs from the reference reader's");
    }
    return 0;
}
