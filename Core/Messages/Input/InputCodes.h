#pragma once
// The codes that input messages carry and the names their log texts print. Key codes follow
// the engine's fixed numbering (printable keys are their upper-case character codes, special
// keys from 256). Controller buttons and axes use the engine's fixed controller numbering.
#include "Math/Types.h"

// State of a key or button in every input message.
enum KeyState : u32
{
    KS_NONE = 0,
    KS_TRIGGER = 1, // pressed in this frame
    KS_PRESSED = 2, // held; the input system re-sends it every update
    KS_RELEASE = 3, // released
};

// The printed names below come from fixed tables; a code outside its table prints an
// "unknown" name instead of reading past the table.

// "KS_NONE", "KS_TRIGGER", "KS_PRESSED", "KS_RELEASE".
const char* GetKeyStateName(u32 state);
// Action code 0 prints "ACTION_1", ..., 9 "ACTION_10", 10 "ACTION_PAUSE".
const char* GetInputActionName(u32 action);
// 0 "A Button" to 13 "DPad Left".
const char* GetControllerButtonName(u32 button);
// 0 "Left Stick X", 1 "Left Stick Y", 2 "Trigger", 3 "Right Stick Y", 4 "Right Stick X".
const char* GetControllerAxisName(u32 axis);
// 0 "Left Button", 1 "Right Button", 2 "Middle Button".
const char* GetMouseButtonName(u32 button);
