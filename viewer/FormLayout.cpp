#include "viewer/FormLayout.h"

namespace zuninfo {

namespace {

// Each list's combo boxes: the inputs of the fields whose ids it names.
struct ListInputs {
    std::array<std::string_view, kMonsterFieldCount> names{};
    std::size_t count = 0;
};

constexpr std::array<ListInputs, kNameLists.size()> BuildListInputs()
{
    std::array<ListInputs, kNameLists.size()> lists{};
    for (int field = 0; field < kMonsterFieldCount; ++field) {
        if (const std::optional<NameList> list = kMonsterFields[static_cast<std::size_t>(field)].names) {
            ListInputs& inputs = lists[static_cast<std::size_t>(*list)];
            inputs.names[inputs.count++] = InputOf(field);
        }
    }
    return lists;
}

constexpr std::array<ListInputs, kNameLists.size()> kListInputs = BuildListInputs();

constexpr bool EachFieldHasOneRow()
{
    std::array<int, kMonsterFieldCount> rows{};
    for (const FieldRow& row : kFieldRows) {
        if (row.field < 0 || row.field >= kMonsterFieldCount)
            return false;
        ++rows[static_cast<std::size_t>(row.field)];
    }
    for (const int count : rows) {
        if (count != 1)
            return false;
    }
    return true;
}

// An id is shown in a combo box, a number in an edit box, and the control's
// name says which it is.
constexpr bool InputsNamedForTheirKind()
{
    for (const ControlLayout& control : kFormLayout) {
        const std::string_view name = control.name;
        if ((control.kind == ControlKind::Edit) != name.starts_with("Edit")
            || (control.kind == ControlKind::ComboBox) != name.starts_with("ComboBox"))
            return false;
    }
    return true;
}

constexpr bool NamesAreUnique()
{
    for (std::size_t i = 0; i < kFormLayout.size(); ++i) {
        for (std::size_t j = i + 1; j < kFormLayout.size(); ++j) {
            if (std::string_view(kFormLayout[i].name) == kFormLayout[j].name)
                return false;
        }
    }
    return true;
}

constexpr bool EveryListIsShown()
{
    for (const ListInputs& inputs : kListInputs) {
        if (inputs.count == 0)
            return false;
    }
    return true;
}

static_assert(EachFieldHasOneRow(), "every field of a record has one row in the window");
static_assert(InputsNamedForTheirKind(), "ids go to ComboBox controls, numbers to Edit controls");
static_assert(NamesAreUnique(), "every control has a name of its own");
static_assert(EveryListIsShown(), "every name list fills at least one combo box");

} // namespace

ItemLists ComboBoxesShowing(NameList list)
{
    const ListInputs& inputs = kListInputs[static_cast<std::size_t>(list)];
    return {inputs.names.data(), inputs.count};
}

TextEncoding EncodingOf(std::string_view control)
{
    for (const FieldRow& row : kFieldRows) {
        if (control != row.input)
            continue;
        if (const std::optional<NameList> list = kMonsterFields[static_cast<std::size_t>(row.field)].names)
            return NameListEncoding(*list);
    }
    return TextEncoding::Utf8;
}

} // namespace zuninfo
