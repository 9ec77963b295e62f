#pragma once

#include "data/MonsterFields.h"
#include "data/NameLists.h"
#include "platform/TextEncoding.h"

#include <array>
#include <cstddef>
#include <iterator>
#include <string_view>

namespace zuninfo {

enum class ControlKind { Button, Label, BoldLabel, Edit, ComboBox, StatusBar };

// One control of the main window: its place and size in the client area (as
// designed at 96 pixels per inch; labels size themselves to their caption),
// its caption, its place in the tab order (-1: not a tab stop), its hint
// (nullptr: none) and, for the label beside a field, the input it names.
struct ControlLayout {
    const char* name;
    ControlKind kind;
    int left, top, width, height;
    const char* caption = nullptr;
    int tabOrder = -1;
    const char* hint = nullptr;
    const char* buddy = nullptr;
};

inline constexpr int kFormLeft = 252;
inline constexpr int kFormTop = 128;
inline constexpr int kClientWidth = 523;
inline constexpr int kClientHeight = 476;
inline constexpr const char* kFormCaption = "ZunInfo.qdf";
inline constexpr const char* kFormFontFace = "MS Sans Serif";
inline constexpr int kFormFontPoints = 8;

inline constexpr ControlLayout kButtons[] = {
    {"Button1", ControlKind::Button, 8, 8, 75, 25, "&Load"},
    {"Button2", ControlKind::Button, 120, 8, 75, 25, "Prev"},
    {"Button3", ControlKind::Button, 208, 8, 75, 25, "Next"},
};

// One row of a column: a field's caption label and, to its right, the input
// that shows the field: an edit box for a number, a combo box for an id. The
// caption, and whether the field is an id, come from kMonsterFields.
struct FieldRow {
    int field;
    const char* label;
    const char* input;
    int labelLeft, labelTop, labelWidth;
    int inputLeft, inputTop, inputWidth;
    bool labelHinted = false; // the label has the field's hint too (kMonsterFields)
};

inline constexpr int kLabelHeight = 13;
inline constexpr int kInputHeight = 21;

// The left column from top to bottom, then the right one: the order in which
// Tab moves through the inputs.
// clang-format off
inline constexpr FieldRow kFieldRows[] = {
    // field label     input        label: left top width  input: left top width
    { 0, "Label1",  "Edit1",        8,  48,  26,            56,  40, 145, true},
    { 1, "Label2",  "ComboBox1",    8,  80,  21,            56,  72, 145, true},
    { 2, "Label3",  "Edit2",        8, 112,  59,            88, 104, 113, true},
    { 3, "Label4",  "Edit3",        8, 144,  59,            88, 136, 113},
    {14, "Label15", "Edit14",       8, 172,  13,            88, 168, 113},
    {15, "Label16", "Edit8",        8, 204,  16,            88, 200, 113},
    {16, "Label17", "Edit9",        8, 236,  19,            88, 232, 113},
    {17, "Label18", "Edit10",       8, 268,  21,            88, 264, 113},
    {18, "Label19", "Edit11",       8, 300,  53,            88, 296, 113},
    {19, "Label20", "Edit15",       8, 332,  48,            88, 328, 113},
    {20, "Label21", "Edit16",       8, 364,  48,            88, 360, 113},
    {21, "Label22", "Edit17",       8, 396,  29,            88, 392, 113},
    {22, "Label23", "Edit18",       8, 428,  13,            88, 424, 113},
    { 4, "Label5",  "Edit4",      264,  48,  83,           368,  40, 145},
    { 5, "Label6",  "Edit5",      264,  80,  87,           368,  72, 145},
    { 6, "Label7",  "Edit6",      264, 108,  92,           368, 104, 145},
    { 7, "Label8",  "Edit7",      264, 140,  96,           368, 136, 145},
    { 8, "Label9",  "ComboBox4",  264, 172,  97,           368, 168, 145},
    { 9, "Label10", "ComboBox5",  264, 204, 101,           368, 200, 145},
    {10, "Label11", "ComboBox2",  264, 236,  28,           368, 232, 145},
    {11, "Label12", "ComboBox3",  264, 268,  28,           368, 264, 145},
    {12, "Label13", "Edit12",     264, 300,  80,           368, 296, 145},
    {13, "Label14", "Edit13",     264, 332,  84,           368, 328, 145},
};
// clang-format on

// The controls that are neither buttons nor fields: the item count, and the
// status bar along the bottom edge.
inline constexpr ControlLayout kOtherControls[] = {
    {"Label24", ControlKind::BoldLabel, 296, 8, 68, 13, "Total Items:"},
    {"StatusBar1", ControlKind::StatusBar, 0, 457, 523, 19},
};

inline constexpr std::size_t kControlCount = std::size(kButtons) + 2 * std::size(kFieldRows) + std::size(kOtherControls);

constexpr std::array<ControlLayout, kControlCount> BuildFormLayout()
{
    std::array<ControlLayout, kControlCount> layout{};
    std::size_t next = 0;
    for (const ControlLayout& button : kButtons)
        layout[next++] = button;
    for (const FieldRow& row : kFieldRows) {
        const MonsterField& field = kMonsterFields[static_cast<std::size_t>(row.field)];
        layout[next++] = {row.label, ControlKind::Label, row.labelLeft, row.labelTop, row.labelWidth, kLabelHeight,
                          field.caption, -1, row.labelHinted ? field.hint : nullptr, row.input};
        layout[next++] = {row.input, field.names ? ControlKind::ComboBox : ControlKind::Edit, row.inputLeft,
                          row.inputTop, row.inputWidth, kInputHeight, nullptr, -1, field.hint};
    }
    for (const ControlLayout& control : kOtherControls)
        layout[next++] = control;
    // Buttons and inputs are tab stops, in the order of the table.
    int tabOrder = 0;
    for (ControlLayout& control : layout) {
        if (control.kind == ControlKind::Button || control.kind == ControlKind::Edit
            || control.kind == ControlKind::ComboBox)
            control.tabOrder = tabOrder++;
    }
    return layout;
}

// Every control of the main window, in the order it is made and tabbed
// through: the three buttons; each field's label and then its input, down
// the left column and then down the right one; the item count and the
// status bar.
inline constexpr std::array<ControlLayout, kControlCount> kFormLayout = BuildFormLayout();

// The main window's context menu, on its background: the table of all
// monsters (also Ctrl+T), and a monster file to open as if dropped on the
// window.
inline constexpr const char* kTableCommand = "All monsters";
inline constexpr const char* kTableShortcut = "Ctrl+T";
inline constexpr const char* kOpenCommand = "Open monster file\xE2\x80\xA6";

// The table of all monsters, a window of its own. As designed at 96 pixels
// per inch: the filter box above the table and the status line along the
// bottom edge, across the full width; the table fills the rest.
inline constexpr const char* kTableCaption = "All monsters";
inline constexpr int kTableClientWidth = 760;
inline constexpr int kTableClientHeight = 440;
inline constexpr ControlLayout kTableControls[] = {
    {"FilterLabel", ControlKind::Label, 8, 12, 32, 13, "&Filter:", -1, nullptr, "Filter"},
    {"Filter", ControlKind::Edit, 48, 8, 200, 21, nullptr, 0,
     "Keeps the rows in which a cell holds this text, case ignored"},
};
inline constexpr int kTableTop = 37;
inline constexpr int kTableStatusHeight = 19;
// The narrowest column of numbers and of names; one whose caption is wider
// is as wide as the caption.
inline constexpr int kNumberColumnWidth = 56;
inline constexpr int kNameColumnWidth = 150;

// The input that shows a field.
constexpr std::string_view InputOf(int field)
{
    for (const FieldRow& row : kFieldRows) {
        if (row.field == field)
            return row.input;
    }
    return {};
}

// The combo boxes that show a list's names, in field order.
ItemLists ComboBoxesShowing(NameList list);

// How a front end reads the bytes it is given for a control: in the encoding
// of the name table whose names the control shows (its item list and its
// text alike), else as UTF-8 (numbers, the item count and messages are
// ASCII).
TextEncoding EncodingOf(std::string_view control);

} // namespace zuninfo
