#include "viewer/FormLayout.h"

#include "viewer/MonsterFields.h"

#include <string_view>

namespace {

constexpr const char* kIndexHint = "The number to identify the monster by. Used in the Zun00XXX.qdf files";
constexpr const char* kSkinHint = "What the monster looks like";
constexpr const char* kSightHint = "How far away a monster sees you.";
constexpr const char* kWalkHint = "How fast the monster walks. The higher the number the slower it goes. 0 = stationary.";

// One row of a column: a field's caption label and, to its right, the input
// that shows the field. Captions, input names and kinds come from
// kMonsterFields.
struct FieldRow {
    int field;
    const char* label;
    int labelLeft, labelTop, labelWidth;
    int inputLeft, inputTop, inputWidth;
    const char* hint = nullptr; // the input's hint
    bool labelHinted = false;   // the label has the same hint
};

constexpr int kLabelHeight = 13;
constexpr int kInputHeight = 21;

// The left column from top to bottom, then the right one.
// clang-format off
constexpr FieldRow kFieldRows[] = {
    // field label     label: left top width  input: left top width  hint
    { 0, "Label1",     8,  48,  26,            56,  40, 145,          kIndexHint, true},
    { 1, "Label2",     8,  80,  21,            56,  72, 145,          kSkinHint, true},
    { 2, "Label3",     8, 112,  59,            88, 104, 113,          kSightHint, true},
    { 3, "Label4",     8, 144,  59,            88, 136, 113,          kWalkHint},
    {14, "Label15",    8, 172,  13,            88, 168, 113},
    {15, "Label16",    8, 204,  16,            88, 200, 113},
    {16, "Label17",    8, 236,  19,            88, 232, 113},
    {17, "Label18",    8, 268,  21,            88, 264, 113},
    {18, "Label19",    8, 300,  53,            88, 296, 113},
    {19, "Label20",    8, 332,  48,            88, 328, 113},
    {20, "Label21",    8, 364,  48,            88, 360, 113},
    {21, "Label22",    8, 396,  29,            88, 392, 113},
    {22, "Label23",    8, 428,  13,            88, 424, 113},
    { 4, "Label5",   264,  48,  83,           368,  40, 145,          "The range of the first Melee attack."},
    { 5, "Label6",   264,  80,  87,           368,  72, 145,          "The range of the Second Melee attack."},
    { 6, "Label7",   264, 108,  92,           368, 104, 145,
      "How long to wait after this attack is used before another attack or skill can be made."},
    { 7, "Label8",   264, 140,  96,           368, 136, 145,          "The same as Att1Int except for the second attack"},
    { 8, "Label9",   264, 172,  97,           368, 168, 145},
    { 9, "Label10",  264, 204, 101,           368, 200, 145},
    {10, "Label11",  264, 236,  28,           368, 232, 145},
    {11, "Label12",  264, 268,  28,           368, 264, 145},
    {12, "Label13",  264, 300,  80,           368, 296, 145},
    {13, "Label14",  264, 332,  84,           368, 328, 145},
};
// clang-format on

constexpr std::array<ControlLayout, 51> BuildLayout()
{
    using K = ControlKind;
    std::array<ControlLayout, 51> layout{};
    std::size_t next = 0;
    layout[next++] = {"Button1", K::Button, 8, 8, 75, 25, "&Load", 0, nullptr, nullptr};
    layout[next++] = {"Button2", K::Button, 120, 8, 75, 25, "Prev", 1, nullptr, nullptr};
    layout[next++] = {"Button3", K::Button, 208, 8, 75, 25, "Next", 2, nullptr, nullptr};
    layout[next++] = {"Label24", K::BoldLabel, 296, 8, 68, 13, "Total Items:", -1, nullptr, nullptr};
    // The inputs follow the buttons in the tab order, row by row.
    int tabOrder = 3;
    for (const FieldRow& row : kFieldRows) {
        const MonsterField& field = kMonsterFields[static_cast<std::size_t>(row.field)];
        const K inputKind = field.shown == FieldShown::Number ? K::Edit : K::ComboBox;
        layout[next++] = {row.label, K::Label, row.labelLeft, row.labelTop, row.labelWidth, kLabelHeight,
                          field.caption, -1, row.labelHinted ? row.hint : nullptr, field.control};
        layout[next++] = {field.control, inputKind, row.inputLeft, row.inputTop, row.inputWidth, kInputHeight,
                          nullptr, tabOrder++, row.hint, nullptr};
    }
    layout[next++] = {"StatusBar1", K::StatusBar, 0, 457, 523, 19, nullptr, -1, nullptr, nullptr};
    return layout;
}

// Every field has exactly one row.
constexpr bool EachFieldOnce()
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
static_assert(EachFieldOnce(), "every field of a record has one row in the window");

} // namespace

const std::array<ControlLayout, 51> kFormLayout = BuildLayout();
