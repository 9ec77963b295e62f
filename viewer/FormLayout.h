#pragma once

#include <array>

enum class ControlKind { Button, Label, BoldLabel, Edit, ComboBox, StatusBar };

// One control of the main window: its place and size in the client area (as
// designed at 96 pixels per inch; labels size themselves to their caption),
// its caption, its place in the tab order (-1: not a tab stop), its hint
// (nullptr: none) and, for the label beside a field, the input it names.
struct ControlLayout {
    const char* name;
    ControlKind kind;
    int left, top, width, height;
    const char* caption;
    int tabOrder;
    const char* hint;
    const char* buddy;
};

inline constexpr int kFormLeft = 252;
inline constexpr int kFormTop = 128;
inline constexpr int kClientWidth = 523;
inline constexpr int kClientHeight = 476;
inline constexpr const char* kFormCaption = "ZunInfo.qdf";
inline constexpr const char* kFormFontFace = "MS Sans Serif";
inline constexpr int kFormFontPoints = 8;

// Every control of the main window: the three buttons and the item count,
// then each field's label and input, down the left column and then down the
// right one (which is also the inputs' tab order), then the status bar.
extern const std::array<ControlLayout, 51> kFormLayout;
