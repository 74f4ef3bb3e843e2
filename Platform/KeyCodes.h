#pragma once
// The engine's key and controller numbering, and its translation from GLFW 3's.
//
// Keys: printable keys are their character codes (letters upper case); special keys start at
// 256: Escape 257, F1 to F25 258 to 282, Up 283, Down 284, Left 285, Right 286, left and right
// Shift 287/288, Control 289/290, Alt 291/292, Tab 293, Enter 294, Backspace 295, Insert 296,
// Delete 297, Page Up 298, Page Down 299, Home 300, End 301, keypad 0 to 9 302 to 311, keypad
// divide, multiply, subtract, add, decimal, equal and Enter 312 to 318, Num Lock 319, Caps Lock
// 320, Scroll Lock 321, Pause 322, left and right Super 323/324, Menu 325.
//
// Controllers: buttons 0 A, 1 B, 2 X, 3 Y, 4 and 5 left and right bumper, 6 Back, 7 Start, 8
// and 9 left and right stick button, 10 to 13 pad Up, Right, Down, Left; axes 0 left X, 1 left
// Y (positive up), 2 left trigger minus right trigger (each 0 to 1), 3 right Y (positive down),
// 4 right X.
#include "Platform/WindowLayer.h"

namespace Platform
{
namespace Keys
{
constexpr int Space = 32;
constexpr int Escape = 257;
constexpr int F1 = 258;
constexpr int F2 = 259;
constexpr int F6 = 263;
constexpr int F8 = 265;
constexpr int F9 = 266;
constexpr int F10 = 267;
constexpr int F11 = 268;
constexpr int F25 = 282;
constexpr int Up = 283;
constexpr int Down = 284;
constexpr int Left = 285;
constexpr int Right = 286;
constexpr int LeftShift = 287;
constexpr int RightShift = 288;
constexpr int LeftControl = 289;
constexpr int RightControl = 290;
constexpr int LeftAlt = 291;
constexpr int RightAlt = 292;
constexpr int Tab = 293;
constexpr int Enter = 294;
constexpr int Backspace = 295;
constexpr int Insert = 296;
constexpr int Delete = 297;
constexpr int PageUp = 298;
constexpr int PageDown = 299;
constexpr int Home = 300;
constexpr int End = 301;
constexpr int Keypad0 = 302;
constexpr int KeypadDivide = 312;
constexpr int KeypadMultiply = 313;
constexpr int KeypadSubtract = 314;
constexpr int KeypadAdd = 315;
constexpr int KeypadDecimal = 316;
constexpr int KeypadEqual = 317;
constexpr int KeypadEnter = 318;
constexpr int NumLock = 319;
constexpr int CapsLock = 320;
constexpr int ScrollLock = 321;
constexpr int Pause = 322;
constexpr int LeftSuper = 323;
constexpr int RightSuper = 324;
constexpr int Menu = 325;
} // namespace Keys

constexpr int NoKey = -1;

// The engine's code of a GLFW 3 key, or NoKey for a key the engine does not number.
int TranslateKey(int glfwKey);

// GLFW 3's gamepad state (the mapped layout: 6 axes, 15 buttons) in the engine's numbering.
constexpr int GamepadAxes = 6;
constexpr int GamepadButtons = 15;
constexpr int EngineControllerAxes = 5;
constexpr int EngineControllerButtons = 14;
void TranslateGamepad(const float (&axes)[GamepadAxes],
                      const unsigned char (&buttons)[GamepadButtons], JoystickState& state);
} // namespace Platform
