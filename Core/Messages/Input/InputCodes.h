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

// The input actions that the message system's translation of raw input makes, named after what
// makes them: each consumer reads them its own way (a character fires on IA_FIRE, a page presses
// on it). Nothing makes code 6.
enum InputAction : u32
{
    IA_FIRE = 0,       // the left mouse button, the right trigger
    IA_SLOT_1 = 1,     // 1 or Q, the A button, the middle mouse button; Space and Enter too
    IA_SLOT_2 = 2,     // 2 or W, the X button
    IA_SLOT_3 = 3,     // 3 or E, the B button
    IA_SLOT_4 = 4,     // 4 or R, the Y button
    IA_SWAP = 5,       // Tab, either bumper
    IA_LEFT_STICK = 7, // the left stick's button
    IA_BACK = 8,       // Escape, the right stick's button
    IA_RESUME = 9,     // Space and Enter (then IA_SLOT_1), the Back button
    IA_PAUSE = 10,     // Start
};

// The printed names below come from fixed tables; a code outside its table prints an
// "unknown" name instead of reading past the table.

// "KS_NONE", "KS_TRIGGER", "KS_PRESSED", "KS_RELEASE".
const char* GetKeyStateName(u32 state);
// Input action 0 prints "ACTION_1", ..., 9 "ACTION_10", 10 (IA_PAUSE) "ACTION_PAUSE".
const char* GetInputActionName(u32 action);
// 0 "A Button" to 13 "DPad Left".
const char* GetControllerButtonName(u32 button);
// 0 "Left Stick X", 1 "Left Stick Y", 2 "Trigger", 3 "Right Stick Y", 4 "Right Stick X".
const char* GetControllerAxisName(u32 axis);
// 0 "Left Button", 1 "Right Button", 2 "Middle Button".
const char* GetMouseButtonName(u32 button);
