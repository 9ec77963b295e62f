#include "viewer/FormLayout.h"

namespace {

constexpr const char* kIndexHint = "The number to identify the monster by. Used in the Zun00XXX.qdf files";
constexpr const char* kSkinHint = "What the monster looks like";
constexpr const char* kSightHint = "How far away a monster sees you.";

using K = ControlKind;

// clang-format off
constexpr std::array<ControlLayout, 51> kTable{{
    // name        kind          left top  width height caption                  tab hint
    {"Button1",    K::Button,      8,   8,  75, 25, "&Load",                   0, nullptr},
    {"Button2",    K::Button,    120,   8,  75, 25, "Prev",                    1, nullptr},
    {"Button3",    K::Button,    208,   8,  75, 25, "Next",                    2, nullptr},
    {"Label24",    K::BoldLabel, 296,   8,  68, 13, "Total Items:",           -1, nullptr},

    {"Label1",     K::Label,       8,  48,  26, 13, "Index",                  -1, kIndexHint},
    {"Edit1",      K::Edit,       56,  40, 145, 21, nullptr,                   3, kIndexHint},
    {"Label2",     K::Label,       8,  80,  21, 13, "Skin",                   -1, kSkinHint},
    {"ComboBox1",  K::ComboBox,   56,  72, 145, 21, nullptr,                   4, kSkinHint},
    {"Label3",     K::Label,       8, 112,  59, 13, "Line of Sight",          -1, kSightHint},
    {"Edit2",      K::Edit,       88, 104, 113, 21, nullptr,                   5, kSightHint},
    {"Label4",     K::Label,       8, 144,  59, 13, "Walk Speed",             -1, nullptr},
    {"Edit3",      K::Edit,       88, 136, 113, 21, nullptr,                   6,
     "How fast the monster walks. The higher the number the slower it goes. 0 = stationary."},
    {"Label15",    K::Label,       8, 172,  13, 13, "Str",                    -1, nullptr},
    {"Edit14",     K::Edit,       88, 168, 113, 21, nullptr,                   7, nullptr},
    {"Label16",    K::Label,       8, 204,  16, 13, "Spr",                    -1, nullptr},
    {"Edit8",      K::Edit,       88, 200, 113, 21, nullptr,                   8, nullptr},
    {"Label17",    K::Label,       8, 236,  19, 13, "Dex",                    -1, nullptr},
    {"Edit9",      K::Edit,       88, 232, 113, 21, nullptr,                   9, nullptr},
    {"Label18",    K::Label,       8, 268,  21, 13, "Pow",                    -1, nullptr},
    {"Edit10",     K::Edit,       88, 264, 113, 21, nullptr,                  10, nullptr},
    {"Label19",    K::Label,       8, 300,  53, 13, "Experience",             -1, nullptr},
    {"Edit11",     K::Edit,       88, 296, 113, 21, nullptr,                  11, nullptr},
    {"Label20",    K::Label,       8, 332,  48, 13, "Direction1",             -1, nullptr},
    {"Edit15",     K::Edit,       88, 328, 113, 21, nullptr,                  12, nullptr},
    {"Label21",    K::Label,       8, 364,  48, 13, "Direction2",             -1, nullptr},
    {"Edit16",     K::Edit,       88, 360, 113, 21, nullptr,                  13, nullptr},
    {"Label22",    K::Label,       8, 396,  29, 13, "Honor",                  -1, nullptr},
    {"Edit17",     K::Edit,       88, 392, 113, 21, nullptr,                  14, nullptr},
    {"Label23",    K::Label,       8, 428,  13, 13, "Fly",                    -1, nullptr},
    {"Edit18",     K::Edit,       88, 424, 113, 21, nullptr,                  15, nullptr},

    {"Label5",     K::Label,     264,  48,  83, 13, "1st Attack Range",       -1, nullptr},
    {"Edit4",      K::Edit,      368,  40, 145, 21, nullptr,                  16,
     "The range of the first Melee attack."},
    {"Label6",     K::Label,     264,  80,  87, 13, "2nd Attack Range",       -1, nullptr},
    {"Edit5",      K::Edit,      368,  72, 145, 21, nullptr,                  17,
     "The range of the Second Melee attack."},
    {"Label7",     K::Label,     264, 108,  92, 13, "1st Attack wait time",   -1, nullptr},
    {"Edit6",      K::Edit,      368, 104, 145, 21, nullptr,                  18,
     "How long to wait after this attack is used before another attack or skill can be made."},
    {"Label8",     K::Label,     264, 140,  96, 13, "2nd Attack wait time",   -1, nullptr},
    {"Edit7",      K::Edit,      368, 136, 145, 21, nullptr,                  19,
     "The same as Att1Int except for the second attack"},
    {"Label9",     K::Label,     264, 172,  97, 13, "1st Attack Animation",   -1, nullptr},
    {"ComboBox4",  K::ComboBox,  368, 168, 145, 21, nullptr,                  20, nullptr},
    {"Label10",    K::Label,     264, 204, 101, 13, "2nd Attack Animation",   -1, nullptr},
    {"ComboBox5",  K::ComboBox,  368, 200, 145, 21, nullptr,                  21, nullptr},
    {"Label11",    K::Label,     264, 236,  28, 13, "Skill 1",                -1, nullptr},
    {"ComboBox2",  K::ComboBox,  368, 232, 145, 21, nullptr,                  22, nullptr},
    {"Label12",    K::Label,     264, 268,  28, 13, "Skill 2",                -1, nullptr},
    {"ComboBox3",  K::ComboBox,  368, 264, 145, 21, nullptr,                  23, nullptr},
    {"Label13",    K::Label,     264, 300,  80, 13, "1st Skill wait time",    -1, nullptr},
    {"Edit12",     K::Edit,      368, 296, 145, 21, nullptr,                  24, nullptr},
    {"Label14",    K::Label,     264, 332,  84, 13, "2nd Skill wait time",    -1, nullptr},
    {"Edit13",     K::Edit,      368, 328, 145, 21, nullptr,                  25, nullptr},

    {"StatusBar1", K::StatusBar,   0, 457, 523, 19, nullptr,                  -1, nullptr},
}};
// clang-format on

constexpr bool IsLabel(const ControlLayout& control)
{
    return control.kind == ControlKind::Label || control.kind == ControlKind::BoldLabel;
}

constexpr bool IsInput(const ControlLayout& control)
{
    return control.kind == ControlKind::Edit || control.kind == ControlKind::ComboBox;
}

// The index of the input the label at `index` names, or kTable.size().
constexpr std::size_t CaptionedInputIndex(std::size_t index)
{
    const std::size_t next = index + 1;
    if (next >= kTable.size() || !IsLabel(kTable[index]) || !IsInput(kTable[next]))
        return kTable.size();
    const ControlLayout& label = kTable[index];
    const ControlLayout& input = kTable[next];
    const bool sameRow = label.top >= input.top && label.top < input.top + input.height;
    return sameRow ? next : kTable.size();
}

constexpr bool EveryInputHasACaption()
{
    for (std::size_t i = 0; i < kTable.size(); ++i) {
        if (IsInput(kTable[i]) && (i == 0 || CaptionedInputIndex(i - 1) != i))
            return false;
    }
    return true;
}

static_assert(EveryInputHasACaption(), "every input follows the label that names it, on the same row");

} // namespace

const std::array<ControlLayout, 51> kFormLayout = kTable;

const ControlLayout* CaptionedInput(const ControlLayout& label)
{
    for (std::size_t i = 0; i < kFormLayout.size(); ++i) {
        if (&kFormLayout[i] == &label) {
            const std::size_t input = CaptionedInputIndex(i);
            return input < kFormLayout.size() ? &kFormLayout[input] : nullptr;
        }
    }
    return nullptr;
}
