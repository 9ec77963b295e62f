#pragma once

#include <array>

enum class ControlKind { Button, Label, BoldLabel, Edit, ComboBox, StatusBar };

// One control of the main window: its place and size in the client area (as
// designed at 96 pixels per inch; labels size themselves to their caption),
// its caption, its place in the tab order (-1: not a tab stop) and its hint
// (nullptr: none).
struct ControlLayout {
    const char* name;
    ControlKind kind;
    int left, top, width, height;
    const char* caption;
    int tabOrder;
    const char* hint;
};

inline constexpr int kFormLeft = 252;
inline constexpr int kFormTop = 128;
inline constexpr int kClientWidth = 523;
inline constexpr int kClientHeight = 476;
inline constexpr const char* kFormCaption = "ZunInfo.qdf";
inline constexpr int kFormFontPoints = 8;

// Every control of the main window, with the buttons first, then the left
// column and the right column from top to bottom, then the status bar. Each
// caption label comes right before the input it names, on the same row.
extern const std::array<ControlLayout, 51> kFormLayout;

// The edit box or combo box that a caption label of kFormLayout names: the
// input right after the label, on the label's row. nullptr for a label that
// names none (Label24, the item count) and for controls that are not labels.
const ControlLayout* CaptionedInput(const ControlLayout& label);
