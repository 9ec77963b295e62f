#pragma once

#include <vector>

// The status bar as the focus moves, whatever the front end: each step
// focuses a control, and the status bar then shows its hint, or nothing for
// an input without one; focusing a button leaves it as it was.
struct FocusStep {
    const char* focus;
    const char* status;
};

inline const std::vector<FocusStep>& FocusSteps()
{
    static const std::vector<FocusStep> steps = {
        {"Edit3", "How fast the monster walks. The higher the number the slower it goes. 0 = stationary."},
        {"Edit8", ""},
        {"ComboBox1", "What the monster looks like"},
        {"ComboBox2", ""},
        {"Edit1", "The number to identify the monster by. Used in the Zun00XXX.qdf files"},
        {"Button2", "The number to identify the monster by. Used in the Zun00XXX.qdf files"},
        {"Edit7", "The same as Att1Int except for the second attack"},
        {"Button3", "The same as Att1Int except for the second attack"},
    };
    return steps;
}
