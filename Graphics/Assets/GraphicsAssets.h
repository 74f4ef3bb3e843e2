#pragma once
// The graphics system's operations over all its asset managers. The managers are reached
// through their Instance pointers, set while they exist. Main thread only (the context's).
#include "Core/Engine.h"

namespace Graphics
{
class GraphicsAssets
{
public:
    // Creates the managers, empty, in the order texture, model, shader, shader program, frame
    // buffer, font, material, logging "<Kind> Assets Loaded." after each ("FBO" for the frame
    // buffers); asset batches and the renderer's targets fill them.
    static void Create();
    // After the window and its context were recreated: every texture, model, shader, program,
    // render target and font makes its OpenGL objects again, in that order. Materials keep their
    // textures.
    static void ReloadAll();
    // F10: every program and shader is unloaded, then every shader compiled from its file's
    // current text and every program linked again from the same shader assets.
    static void ReloadShaders();
    // Unloads and deletes the managers in the order texture, model, shader program, shader,
    // frame buffer, font, material, clearing their pointers.
    static void Destroy();
    // Registers the managers' asset-batch sections with the asset loader.
    static void RegisterSections();
};
} // namespace Graphics
