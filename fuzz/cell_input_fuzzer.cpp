// Fuzz target for what a text typed into a cell of the table window means.
// The input's first byte chooses the column, the rest is the text, of any
// length and bytes. The editor gives a value or a refusal, never both and
// never neither, and:
//  - a number cell takes exactly what the fuzzer's own reading of a number
//    takes, with that value;
//  - a name cell takes only an id that has a name, or the id the file gave
//    the cell, and a choice's own text takes its id;
//  - a refusal is one line of bounded length, whatever the text;
//  - the text committed and then undone leaves the store as it was.
#include "data/MonsterFields.h"
#include "data/MonsterInfo.h"
#include "data/NameLists.h"
#include "fuzz/FuzzCheck.h"
#include "tests/support/AsciiRules.h"
#include "viewer/RecordTable.h"
#include "viewer/TableEditor.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

using namespace zuninfo;

namespace {

struct Setup {
    AsciiRules rules;
    std::unique_ptr<RecordTable> table;
    std::unique_ptr<TableEditor> editor;
    MonsterRecord loaded;

    Setup()
    {
        SkinNames[1] = "Goblin";
        SkinNames[2] = "Orc Chief";
        SkinNames[3] = "Bat";
        SkinNames[7] = "bat";
        SkinNames[9] = "Goblin \xC3\x89" "claireur";
        SkillNames[4] = "Heal";
        SkillNames[5] = "12";
        AttackNames[2] = "Bite";
        AttackNames[3] = "Line\nBreak";
        Monsters = {};
        LastIndex = 0;
        Monsters[0].Fields[0] = 7;
        Monsters[0].Fields[1] = 99; // an id without a name, as the file gave it
        table = std::make_unique<RecordTable>(rules);
        table->SetLoaded(true);
        editor = std::make_unique<TableEditor>(*table);
        loaded = Monsters[0];
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Setup setup;
    if (size == 0)
        return 0;
    const int column = data[0] % kMonsterFieldCount;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    TableEditor& editor = *setup.editor;

    const CellInput input = editor.Check(0, column, text);
    FUZZ_CHECK(input.value.has_value() != !input.refusal.empty(), "a value or a refusal");
    FUZZ_CHECK(input.refusal.size() <= 400, "a refusal of bounded length");
    FUZZ_CHECK(input.refusal.find_first_of("\r\n") == std::string::npos, "a refusal on one line");

    if (RecordTable::IsNumber(column)) {
        FUZZ_CHECK(input.value == ReferenceInt(text), "a number read as the viewer reads it");
    } else if (input.value) {
        const NameList list = *kMonsterFields[static_cast<std::size_t>(column)].names;
        const bool named = !NameOfId(list, *input.value).empty();
        FUZZ_CHECK(named || *input.value == setup.loaded.Fields[static_cast<std::size_t>(column)],
                   "an id with a name, or the file's own");
    }
    if (!RecordTable::IsNumber(column)) {
        for (const NameChoice& choice : editor.ChoicesFor(column).All()) {
            if (choice.text == text)
                FUZZ_CHECK(input.value == choice.id, "a choice's text takes its id");
        }
    }

    const MonsterRecord before = Monsters[0];
    const EditOutcome outcome = editor.SetCell(0, column, text);
    FUZZ_CHECK(outcome.refusal == input.refusal, "committing refuses as checking does");
    if (outcome.done) {
        FUZZ_CHECK(Monsters[0].Fields[static_cast<std::size_t>(column)] == *input.value, "the value taken");
        editor.Undo();
    }
    FUZZ_CHECK(Monsters[0].Fields == before.Fields, "the store as it was");
    FUZZ_CHECK(!editor.Modified(), "nothing left to save");
    return 0;
}
