#pragma once
// One GLSL shader object compiled from one file under assets/Shaders. The graphics system's
// two GLSL header lines ("#version 400", "#define GLSL_400") go before the file's text, so a
// shader file carries no #version of its own. Headers (".vh", ".fh", ".gh") compile like
// shaders and are attached beside them. Main thread only.
#include "Core/Assets/AssetManager.h"
#include <string>

namespace Graphics
{
struct ShaderParam
{
    std::string path;
    u32 stage = 0; // GL_VERTEX_SHADER, GL_FRAGMENT_SHADER or GL_GEOMETRY_SHADER
};

class Shader : public Asset<ShaderParam>
{
public:
    Shader();
    ~Shader() override;

    // Compiles the file; a compile failure logs "Compiler Error [<name>][VERTEX]:" (FRAGMENT
    // for every other stage) with the driver's text, and the shader is refused.
    bool Load() override;
    void Unload() override;
    // Compiles the file's current text into a new object. A failure is logged as in Load and
    // leaves the shader without an object (GetHandle 0), but answers true so that one bad file
    // does not stop the other shaders from reloading.
    bool Reload() override;

    // The OpenGL shader object; 0 when there is none.
    u32 GetHandle() const { return m_handle; }
    u32 GetStage() const { return m_param.stage; }

private:
    bool Compile();

    u32 m_handle;
};
} // namespace Graphics
