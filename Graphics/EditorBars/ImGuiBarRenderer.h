#pragma once
// Draws the editor bars with Dear ImGui in the current OpenGL context: ImGui's OpenGL3 back end
// draws, its GLFW back end gives the window size and clock but installs no callbacks, since
// input reaches the bars through the Tw event calls in the engine's numbering.
//
// One ImGui frame per TwDraw, fed at most one button and one key transition (ImGui 1.86 has no
// input queue: a press and release between two frames would otherwise be lost). The OpenGL
// state is left as it was found. Only the graphics system and the executable link this library;
// nothing else in the engine includes ImGui.
namespace TweakBar
{
class ImGuiBarRenderer
{
public:
    // Installs the renderer into the bar layer (TweakBar/BarRenderer.h); call before TwInit, which
    // starts it in the context current then.
    static void Install();
    // After TwTerminate.
    static void Remove();
    // Around a change of OpenGL context (the window opened again): Suspend lets go of the old
    // window and frees ImGui's OpenGL objects while the old context is current; Resume starts
    // again in the new one if the renderer was running. The bars themselves stay.
    static void Suspend();
    static void Resume();
};
} // namespace TweakBar
